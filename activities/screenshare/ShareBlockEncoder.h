// CShareBlockEncoder: the canvas cut into tiles; each cycle, the tiles that must go out are
// found by comparing their pixels with what was last sent, laid side by side into one strip,
// saved as one JPEG and packed into a zlib-compressed tile block. A tile counts as sent only once
// its block was made: a failed encode leaves it to go out with the next cycle. Used by the class
// broadcast and the single-receiver streams, which differ in the tile floor and their rules of
// what goes into the strip.
#pragma once

#include "activities/screenshare/BroadPartData.h"
#include "activities/screenshare/StripJpegEncoder.h"
#include "activities/screenshare/core/ShareTileGrid.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Where a cycle's time went, in performance-counter ticks (filled when asked for).
struct ShareStageTimes {
    int64_t compare = 0;
    int64_t encode = 0;
    int64_t compress = 0;
    int64_t deliver = 0;
    size_t blockBytes = 0;
};

// One finished block: the compressed payload (valid during the call), its raw and its data size.
using ShareBlockSink = std::function<void(const uint8_t* data, uint32_t rawSize, uint32_t length)>;

class CShareBlockEncoder {
public:
    // False when the size is unusable, a bitmap cannot be made or GDI+ has no JPEG encoder.
    bool Setup(int canvasWidth, int canvasHeight, int tileFloor);

    const ShareTileGrid& Grid() const { return m_grid; }
    size_t TileCount() const { return m_tiles.size(); }

    // The tiles to send this cycle, in grid order: those whose pixels changed, those never sent,
    // and with everything set every tile. changed tells whether any tile's pixels changed.
    std::vector<size_t> Collect(HDC canvas, bool everything, bool& changed, ShareStageTimes* times = nullptr);
    // Encodes those tiles, one block per strip a JPEG can hold; sink receives each block.
    // The number of tiles sent.
    size_t Encode(const std::vector<size_t>& tiles, int quality, const ShareBlockSink& sink,
                  ShareStageTimes* times = nullptr);

private:
    bool EncodeRun(const std::vector<size_t>& tiles, size_t begin, size_t end, int quality,
                   const ShareBlockSink& sink, ShareStageTimes* times);

    ShareTileGrid m_grid;
    std::vector<std::unique_ptr<CBroadPartData>> m_tiles;
    CMemBitmap m_strip;
    CStripJpegEncoder m_jpegEncoder;
    std::vector<uint8_t> m_jpeg;
    std::vector<uint8_t> m_payload;
    std::vector<uint8_t> m_compressed;
    std::vector<uint32_t> m_indexes;
};
