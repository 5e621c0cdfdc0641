// Feeds arbitrary bytes as a whole packet to the packet decoder and every thumbnail part (type 7)
// it yields to the thumbnail decoder's own steps (DecodeThumbnailPart, which CThumbnailDecoder
// runs with GDI+ and GDI as its canvas), here with a canvas that checks each request: nothing is
// made before the part is measured, no picture is larger than the slot's thumbnail, the picture
// decoded is the one measured and fits what was made, and every copy lies inside both the
// picture and the thumbnail.
#include "foundation/core/PacketCodec.h"
#include "sessions/core/ThumbnailPartRules.h"

#include <cstdlib>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

class CheckingCanvas : public IThumbnailCanvas {
public:
    CheckingCanvas(const ThumbnailSlotState& slot, const uint8_t* data, size_t size, bool failDecode)
        : m_slot(slot), m_data(data), m_size(size), m_failDecode(failDecode) {}

    bool MakePicture(int width, int height) override
    {
        Require(width >= 1 && height >= 1 && width <= kMaxThumbnailPartSide && height <= kMaxThumbnailPartSide);
        Require((width <= m_slot.width && height <= m_slot.height) || (height <= m_slot.width && width <= m_slot.height));
        m_pictureWidth = width;
        m_pictureHeight = height;
        return true;
    }

    bool DrawJpeg(const uint8_t* jpeg, size_t length, const PictureSize& measured, bool upright) override
    {
        Require(m_pictureWidth > 0 && jpeg >= m_data && jpeg + length <= m_data + m_size);
        PictureSize header;
        Require(ReadJpegFrameSize(jpeg, length, header) && header.width == measured.width &&
                header.height == measured.height);
        const bool turnable = upright && m_slot.clientKind == 3;
        Require(FitsWithin(measured, m_pictureWidth, m_pictureHeight) ||
                (turnable && FitsWithin(measured, m_pictureHeight, m_pictureWidth)));
        m_decoded = true;
        return !m_failDecode;
    }

    bool StretchUpright(int width, int height) override
    {
        Require(m_decoded && width == m_pictureHeight && height == m_pictureWidth);
        m_uprightWidth = width;
        m_uprightHeight = height;
        return true;
    }

    bool CopyToSlot(int x, int y, int sourceX, int sourceY, int width, int height, bool fromUpright) override
    {
        Require(m_decoded && width >= 1 && height >= 1 && x >= 0 && y >= 0);
        Require(static_cast<long long>(x) + width <= m_slot.width && static_cast<long long>(y) + height <= m_slot.height);
        const int sourceWidth = fromUpright ? m_uprightWidth : m_pictureWidth;
        const int sourceHeight = fromUpright ? m_uprightHeight : m_pictureHeight;
        Require(sourceX >= 0 && sourceY >= 0 && static_cast<long long>(sourceX) + width <= sourceWidth &&
                static_cast<long long>(sourceY) + height <= sourceHeight);
        m_copied = true;
        return true;
    }

    bool Copied() const { return m_copied; }

private:
    ThumbnailSlotState m_slot;
    const uint8_t* m_data;
    size_t m_size;
    bool m_failDecode;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    int m_uprightWidth = 0;
    int m_uprightHeight = 0;
    bool m_decoded = false;
    bool m_copied = false;
};

// The first layout's size, a small grid's, one slot never given a picture, and a large screen's;
// a PC, and pads in each orientation.
const int kSlotSizes[][2] = {{200, 150}, {115, 85}, {0, 0}, {1915, 1077}};
const int kKinds[][2] = {{1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {3, 3}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PacketFields packet;
    if (!DecodePacket(data, size, SoftwareTextCipher, packet) || packet.type != 7)
        return 0;
    for (const auto& slotSize : kSlotSizes) {
        for (const auto& kind : kKinds) {
            const ThumbnailSlotState slot{slotSize[0], slotSize[1], kind[0], kind[1]};
            CheckingCanvas canvas(slot, data, size, (packet.valueA & 1) != 0);
            bool drawn = false;
            const ThumbnailPartCheck check =
                DecodeThumbnailPart(slot, packet.rect, packet.image.data, packet.image.size, canvas, drawn);
            Require(drawn == canvas.Copied());
            Require(!drawn || check.verdict == ThumbnailPartVerdict::Draw);
        }
    }
    return 0;
}
