// The geometry of a shared screen: how the captured rectangle is fitted into the canvas, how the
// canvas is cut into tiles, and how many tiles one JPEG strip may carry. Shared by the class
// broadcast (tiles from 50 pixels up) and the single-receiver streams (from 200 up).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Canvas and capture sides outside this range are refused: below it there is nothing to share,
// above it the bitmaps would not fit in a 32-bit process.
constexpr int kMinShareSide = 16;
constexpr int kMaxShareSide = 8192;
// GDI+ writes no JPEG wider than this.
constexpr int kMaxJpegWidth = 65500;

constexpr int kBroadcastTileFloor = 50;
constexpr int kStreamTileFloor = 200;

bool IsShareSizeUsable(int width, int height);

struct ShareRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ShareRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Where a width x height picture lands in the canvas with its aspect kept (centred, black
// margins). Computed with products, never quotients, so no rounding drifts the comparison.
// An unusable size gives an empty rectangle.
ShareRect FitIntoCanvas(int width, int height, int canvasWidth, int canvasHeight);

// From the side, halved while even and at least floor; a side below floor is used whole.
int TileSide(int canvasSide, int floor);

struct ShareTileGrid {
    int tileWidth = 0;
    int tileHeight = 0;
    int columns = 0;
    int rows = 0;
    int Count() const { return columns * rows; }
    // Row by row; a remainder strip at the right or bottom belongs to no tile.
    std::vector<ShareRect> Tiles() const;
};

ShareTileGrid MakeTileGrid(int canvasWidth, int canvasHeight, int floor);

// How many tiles of that width one strip (one JPEG) may hold.
int MaxTilesPerStrip(int tileWidth);
