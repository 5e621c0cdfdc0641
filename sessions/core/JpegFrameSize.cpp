#include "sessions/core/JpegFrameSize.h"

namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kStartOfScan = 0xDA;

// C0..CF are the frame kinds, except C4 (Huffman tables), C8 (reserved) and CC (arithmetic
// conditioning).
bool IsStartOfFrame(uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM and the restart markers.
bool IsStandalone(uint8_t marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

unsigned ReadU16(const uint8_t* at)
{
    return static_cast<unsigned>(at[0]) << 8 | at[1];
}

} // namespace

bool ReadJpegFrameSize(const uint8_t* data, size_t size, PictureSize& frame)
{
    frame = PictureSize();
    if (!data || size < 4 || data[0] != kMarkerPrefix || data[1] != kStartOfImage)
        return false;
    size_t offset = 2;
    while (offset < size) {
        if (data[offset] != kMarkerPrefix)
            return false;
        while (offset < size && data[offset] == kMarkerPrefix)   // fill bytes before a marker
            ++offset;
        if (offset >= size)
            return false;
        const uint8_t marker = data[offset++];
        if (IsStandalone(marker))
            continue;
        if (marker == kStartOfImage || marker == kEndOfImage || marker == kStartOfScan || marker == 0x00)
            return false;
        if (size - offset < 2)
            return false;
        const unsigned length = ReadU16(data + offset);
        if (length < 2 || size - offset < length)
            return false;
        if (IsStartOfFrame(marker)) {
            // Length, precision, height, width: the frame segment holds at least those.
            if (length < 8)
                return false;
            frame.height = static_cast<int>(ReadU16(data + offset + 3));
            frame.width = static_cast<int>(ReadU16(data + offset + 5));
            return frame.width > 0 && frame.height > 0;
        }
        offset += length;
    }
    return false;
}
