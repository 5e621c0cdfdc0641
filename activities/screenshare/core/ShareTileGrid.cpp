#include "activities/screenshare/core/ShareTileGrid.h"

bool IsShareSizeUsable(int width, int height)
{
    return width >= kMinShareSide && width <= kMaxShareSide && height >= kMinShareSide &&
           height <= kMaxShareSide;
}

ShareRect FitIntoCanvas(int width, int height, int canvasWidth, int canvasHeight)
{
    if (!IsShareSizeUsable(width, height) || !IsShareSizeUsable(canvasWidth, canvasHeight))
        return {};
    const int64_t w = width, h = height, cw = canvasWidth, ch = canvasHeight;
    ShareRect fit;
    if (cw * h <= w * ch) {             // the canvas is no wider than the picture
        const int fittedHeight = static_cast<int>(h * cw / w);
        fit.left = 0;
        fit.top = (canvasHeight - fittedHeight) / 2;
        fit.right = canvasWidth;
        fit.bottom = fit.top + fittedHeight;
    } else {
        const int fittedWidth = static_cast<int>(w * ch / h);
        fit.left = (canvasWidth - fittedWidth) / 2;
        fit.top = 0;
        fit.right = fit.left + fittedWidth;
        fit.bottom = canvasHeight;
    }
    return fit;
}

int TileSide(int canvasSide, int floor)
{
    int side = canvasSide;
    if (side < floor)
        return side;
    while (side % 2 == 0) {
        side /= 2;
        if (side < floor)
            break;
    }
    return side;
}

ShareTileGrid MakeTileGrid(int canvasWidth, int canvasHeight, int floor)
{
    ShareTileGrid grid;
    if (!IsShareSizeUsable(canvasWidth, canvasHeight))
        return grid;
    grid.tileWidth = TileSide(canvasWidth, floor);
    grid.tileHeight = TileSide(canvasHeight, floor);
    grid.columns = canvasWidth / grid.tileWidth;
    grid.rows = canvasHeight / grid.tileHeight;
    return grid;
}

std::vector<ShareRect> ShareTileGrid::Tiles() const
{
    std::vector<ShareRect> tiles;
    tiles.reserve(static_cast<size_t>(Count()));
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const int left = column * tileWidth, top = row * tileHeight;
            tiles.push_back({left, top, left + tileWidth, top + tileHeight});
        }
    return tiles;
}

int MaxTilesPerStrip(int tileWidth)
{
    return tileWidth <= 0 ? 0 : kMaxJpegWidth / tileWidth;
}
