#include "activities/screenshare/core/StripBlock.h"

#include "activities/screenshare/core/ShareTileGrid.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

uint8_t* PutU32(uint8_t* at, uint32_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
    at[2] = static_cast<uint8_t>(value >> 16);
    at[3] = static_cast<uint8_t>(value >> 24);
    return at + 4;
}

} // namespace

size_t BuildStripPayload(const uint32_t* indexes, size_t count, const uint8_t* jpeg,
                         size_t jpegLength, std::vector<uint8_t>& buffer)
{
    constexpr size_t kLimit = std::numeric_limits<uint32_t>::max();
    if (count > (kLimit - 12) / 4 || jpegLength > kLimit - 12 - 4 * count)
        return 0;
    const size_t total = 12 + 4 * count + jpegLength;
    if (buffer.size() < total)
        buffer.resize(std::max(buffer.size() + (total - buffer.size()) + kStripPayloadSlack,
                               kStripPayloadStart));
    uint8_t* at = PutU32(buffer.data(), static_cast<uint32_t>(total));
    at = PutU32(at, static_cast<uint32_t>(count));
    for (size_t k = 0; k < count; ++k)
        at = PutU32(at, indexes[k]);
    at = PutU32(at, static_cast<uint32_t>(jpegLength));
    if (jpegLength)
        std::memcpy(at, jpeg, jpegLength);
    return total;
}

size_t CompressStripPayload(const uint8_t* payload, size_t size, std::vector<uint8_t>& out)
{
    const size_t needed = std::max<size_t>(size + size / 10 + 12, compressBound(static_cast<uLong>(size)));
    if (out.size() < needed)
        out.resize(needed);
    uLongf length = static_cast<uLongf>(out.size());
    if (compress2(out.data(), &length, payload, static_cast<uLong>(size), 9) != Z_OK)
        return 0;
    return length;
}

std::vector<StripRun> SplitStrip(size_t tileCount, int tileWidth)
{
    std::vector<StripRun> runs;
    const size_t perStrip = static_cast<size_t>(MaxTilesPerStrip(tileWidth));
    if (perStrip == 0)
        return runs;
    for (size_t begin = 0; begin < tileCount; begin += perStrip)
        runs.push_back({begin, std::min(begin + perStrip, tileCount)});
    return runs;
}
