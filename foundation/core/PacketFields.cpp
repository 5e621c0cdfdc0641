#include "foundation/core/PacketFields.h"

#include <cstring>

namespace {

bool SameBytes(const ByteSpan& a, const ByteSpan& b)
{
    return a.size == b.size && (a.size == 0 || std::memcmp(a.data, b.data, a.size) == 0);
}

bool SameKeys(const std::vector<KeyEntry>& a, const std::vector<KeyEntry>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t n = 0; n < a.size(); ++n) {
        if (a[n].message != b[n].message || a[n].virtualKey != b[n].virtualKey ||
            a[n].repeatCount != b[n].repeatCount || a[n].flags != b[n].flags)
            return false;
    }
    return true;
}

bool SameMice(const std::vector<MouseEntry>& a, const std::vector<MouseEntry>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t n = 0; n < a.size(); ++n) {
        if (a[n].message != b[n].message || a[n].keyFlags != b[n].keyFlags || a[n].x != b[n].x ||
            a[n].y != b[n].y || a[n].wheelDelta != b[n].wheelDelta)
            return false;
    }
    return true;
}

bool SameRecord(const PacketFields& a, const PacketFields& b)
{
    return std::memcmp(a.recordValues, b.recordValues, sizeof a.recordValues) == 0 &&
           std::memcmp(a.recordShorts, b.recordShorts, sizeof a.recordShorts) == 0 &&
           SameBytes(a.recordA, b.recordA) && SameBytes(a.recordB, b.recordB);
}

bool SameImage(const PacketFields& a, const PacketFields& b)
{
    return a.valueA == b.valueA && a.valueB == b.valueB && a.valueC == b.valueC &&
           a.valueD == b.valueD && a.valueE == b.valueE && a.valueF == b.valueF &&
           a.valueG == b.valueG && a.rect.left == b.rect.left && a.rect.top == b.rect.top &&
           a.rect.right == b.rect.right && a.rect.bottom == b.rect.bottom &&
           SameBytes(a.image, b.image);
}

} // namespace

bool SamePacketFields(const PacketFields& a, const PacketFields& b)
{
    return a.type == b.type && a.digest == b.digest && a.text == b.text &&
           a.screenWidth == b.screenWidth && a.screenHeight == b.screenHeight &&
           a.bitsPerPixel == b.bitsPerPixel && SameRecord(a, b) && SameKeys(a.keys, b.keys) &&
           SameMice(a.mice, b.mice) && SameImage(a, b) && a.value == b.value &&
           a.flag == b.flag && a.leadingValue == b.leadingValue && a.rawSize == b.rawSize &&
           a.sequence == b.sequence && SameBytes(a.data, b.data) &&
           a.transferKind == b.transferKind && a.pieceCount == b.pieceCount &&
           a.pieceNumber == b.pieceNumber && a.fileName == b.fileName;
}
