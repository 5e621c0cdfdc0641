// Feeds arbitrary bytes as a whole packet to the decoder and every thumbnail part (type 7) it
// yields through the checks a student thread makes before decoding: a part passed for drawing
// must fit the slot's thumbnail, and its picture (as its header says) must fit its rectangle, so
// nothing decoded can be larger than what the slot shows.
#include "foundation/core/PacketCodec.h"
#include "sessions/core/ThumbnailPartRules.h"

#include <cstdlib>

namespace {

struct SlotSize {
    int width;
    int height;
};

// The first layout's size, a small grid's, one slot never given a picture, and a large screen's.
const SlotSize kSlots[] = {{200, 150}, {115, 85}, {0, 0}, {1915, 1077}};

void CheckAgainst(const PacketFields& packet, const SlotSize& slot, bool turned)
{
    const PacketRect& r = packet.rect;
    const ThumbnailPartCheck check = CheckThumbnailPart(r.left, r.top, r.right, r.bottom, packet.image.data,
                                                        packet.image.size, slot.width, slot.height, turned);
    if (check.verdict != ThumbnailPartVerdict::Draw)
        return;
    const long long width = static_cast<long long>(r.right) - r.left;
    const long long height = static_cast<long long>(r.bottom) - r.top;
    if (width != check.width || height != check.height || width < 1 || height < 1 || width > slot.width ||
        height > slot.height || width > kMaxThumbnailPartSide || height > kMaxThumbnailPartSide)
        std::abort();
    const PictureSize& picture = check.picture;
    const bool fits = (picture.width <= width && picture.height <= height) ||
                      (turned && picture.width <= height && picture.height <= width);
    if (picture.width < 1 || picture.height < 1 || !fits)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PacketFields packet;
    if (!DecodePacket(data, size, SoftwareTextCipher, packet) || packet.type != 7)
        return 0;
    if (packet.image.size > size || (packet.image.size > 0 && (packet.image.data < data ||
                                                               packet.image.data + packet.image.size > data + size)))
        std::abort();
    for (const SlotSize& slot : kSlots) {
        CheckAgainst(packet, slot, false);
        CheckAgainst(packet, slot, true);
    }
    return 0;
}
