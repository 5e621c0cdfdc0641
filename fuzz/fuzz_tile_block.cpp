// Feeds arbitrary bytes to the tile-block reader and places every tile it reads on a grid: a
// block that reads must point inside the bytes, and every placed tile must lie inside the screen.
#include "sessions/core/RemoteScreen.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TileBlock block;
    if (!ReadTileBlock(data, size, block))
        return 0;
    if (block.indexes.empty() || block.indexes.size() > kMaxTilesPerBlock || block.image < data ||
        block.image + block.imageLength > data + size)
        std::abort();
    const int width = 1366 + static_cast<int>(size % 7);
    const int height = 768;
    const TileGrid grid = MakeTileGrid(width, height, 683, 192);
    for (uint32_t index : block.indexes) {
        int x = 0;
        int y = 0;
        if (TileOrigin(grid, index, x, y) && (x < 0 || y < 0 || x + grid.tileWidth > width || y + grid.tileHeight > height))
            std::abort();
    }
    return 0;
}
