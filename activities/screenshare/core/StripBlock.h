// The payload of a tile block: the tiles of one strip and their JPEG, little-endian
//   u32 total (this field included) | u32 count | count x u32 tile index | u32 JPEG length | JPEG
// and its zlib compression. The buffers are kept by the caller and reused from block to block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr size_t kStripPayloadStart = 2000000;
constexpr size_t kStripPayloadSlack = 100000;

// Writes the payload into buffer (grown when too small, by the missing size and the slack) and
// returns its size; 0 when it would not fit the 32-bit total.
size_t BuildStripPayload(const uint32_t* indexes, size_t count, const uint8_t* jpeg,
                         size_t jpegLength, std::vector<uint8_t>& buffer);

// zlib at its highest level into out (grown to at least 1.1 x size + 12 bytes); the compressed
// size, or 0 when zlib failed.
size_t CompressStripPayload(const uint8_t* payload, size_t size, std::vector<uint8_t>& out);

// The strip order cut into runs that one JPEG can carry: [begin, end) of each run.
struct StripRun {
    size_t begin = 0;
    size_t end = 0;
};
std::vector<StripRun> SplitStrip(size_t tileCount, int tileWidth);
