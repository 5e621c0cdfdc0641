#include "sessions/core/RemoteScreen.h"

#include <algorithm>

namespace {

bool ReadU32(const uint8_t* data, size_t size, size_t& offset, uint32_t& value)
{
    if (offset > size || size - offset < 4)
        return false;
    value = static_cast<uint32_t>(data[offset]) | static_cast<uint32_t>(data[offset + 1]) << 8 |
            static_cast<uint32_t>(data[offset + 2]) << 16 | static_cast<uint32_t>(data[offset + 3]) << 24;
    offset += 4;
    return true;
}

} // namespace

bool IsReportableScreenSize(long long width, long long height)
{
    return width >= 0 && height >= 0 && width <= kMaxRemoteScreenSide && height <= kMaxRemoteScreenSide;
}

bool IsFrameScreenSize(long long width, long long height)
{
    return width >= 1 && height >= 1 && IsReportableScreenSize(width, height) && width * height <= kMaxRemoteScreenPixels;
}

bool ReadTileBlock(const uint8_t* data, size_t size, TileBlock& block)
{
    block = TileBlock();
    if (!data)
        return false;
    size_t offset = 0;
    uint32_t total = 0;
    uint32_t count = 0;
    if (!ReadU32(data, size, offset, total) || !ReadU32(data, size, offset, count))
        return false;
    if (count == 0 || count > kMaxTilesPerBlock || (size - offset) / 4 < count)
        return false;
    block.indexes.resize(count);
    for (uint32_t& index : block.indexes)
        ReadU32(data, size, offset, index);
    uint32_t imageLength = 0;
    if (!ReadU32(data, size, offset, imageLength) || imageLength == 0 || imageLength > size - offset) {
        block = TileBlock();
        return false;
    }
    block.image = data + offset;
    block.imageLength = imageLength;
    return true;
}

TileGrid MakeTileGrid(int screenWidth, int screenHeight, int tileWidth, int tileHeight)
{
    TileGrid grid;
    if (tileWidth <= 0 || tileHeight <= 0 || screenWidth <= 0 || screenHeight <= 0)
        return grid;
    grid.tileWidth = tileWidth;
    grid.tileHeight = tileHeight;
    grid.columns = screenWidth / tileWidth;
    grid.rows = screenHeight / tileHeight;
    if (!grid.IsUsable())
        grid = TileGrid();
    return grid;
}

bool TileOrigin(const TileGrid& grid, uint32_t index, int& x, int& y)
{
    if (!grid.IsUsable())
        return false;
    const uint64_t cells = static_cast<uint64_t>(grid.columns) * static_cast<uint64_t>(grid.rows);
    if (index >= cells)
        return false;
    x = static_cast<int>(index % static_cast<uint32_t>(grid.columns)) * grid.tileWidth;
    y = static_cast<int>(index / static_cast<uint32_t>(grid.columns)) * grid.tileHeight;
    return true;
}

bool AcceptFrameSequence(uint32_t sequence, uint32_t lastAccepted, int clientKind)
{
    return sequence >= lastAccepted || (clientKind == 2 && sequence < 10);
}

bool AcceptImageFrame(int clientKind, uint32_t sequence, uint32_t lastAccepted, long long rectWidth,
                      int screenWidth, int frameBitmapWidth)
{
    if (clientKind == 3)
        return true;
    if (clientKind == 1)
        return false;
    if (clientKind == 2 && rectWidth != screenWidth && frameBitmapWidth == screenWidth)
        return false;
    return AcceptFrameSequence(sequence, lastAccepted, clientKind);
}

bool ClipToScreen(const ScreenRect& rect, int screenWidth, int screenHeight, ScreenRect& clipped)
{
    clipped.left = std::max<long long>(rect.left, 0);
    clipped.top = std::max<long long>(rect.top, 0);
    clipped.right = std::min<long long>(rect.right, screenWidth);
    clipped.bottom = std::min<long long>(rect.bottom, screenHeight);
    return clipped.right > clipped.left && clipped.bottom > clipped.top;
}
