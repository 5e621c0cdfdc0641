// What a remote session takes from the screen a student sends: the tile block of a type-12
// packet, where each tile lands, which frames are accepted, and how an image rectangle is cut to
// the screen. Every count, index and length comes from a pupil's PC and is checked here before a
// pixel is drawn.
#pragma once

#include "foundation/core/PacketFields.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// More tiles than a screen of the largest accepted size can have at the smallest tile size is
// not a block anyone sends.
constexpr uint32_t kMaxTilesPerBlock = 16384;
// A screen size a student reports with a side above this is not taken: window sizes are worked
// out from it.
constexpr int kMaxRemoteScreenSide = 8192;
// No frame is made for a screen of more pixels than this (4096 x 2048; a 3840 x 2160 screen
// fits), and no picture is decoded larger than the screen.
constexpr long long kMaxRemoteScreenPixels = 8LL * 1024 * 1024;
// What a session's packet thread may have waiting, in bytes of the packets' data: a student that
// sends faster than its screen is decoded is not read from until the queue has room again.
constexpr size_t kMaxQueuedPacketBytes = 16u * 1024 * 1024;

// The product is a 32-bit program (2 GiB of addresses). A combined window holds four sessions;
// each has at most its frame, its working picture, the picture GDI+ decodes and a window's back
// buffer (32-bit pixels, each at most the screen), its queue, the packet under way, the one being
// decoded and its inflated tile block: four of them stay under 1 GiB (960 MiB), beside the rest of
// the console (about 75 MB at rest).
constexpr long long kRemoteSessionMostBytes =
    4 * kMaxRemoteScreenPixels * 4 + static_cast<long long>(kMaxQueuedPacketBytes) + 3LL * kMaxPacketLength;
static_assert(4 * kRemoteSessionMostBytes <= 1024LL * 1024 * 1024, "four remote sessions fit a 32-bit program");

// A size a student may report: each side from 0 (not known) to kMaxRemoteScreenSide.
bool IsReportableScreenSize(long long width, long long height);
// A screen a frame is made for: each side at least 1, the sides reportable, the pixels within
// kMaxRemoteScreenPixels.
bool IsFrameScreenSize(long long width, long long height);
// One chunk of the sound ring: half a second of 8 kHz 16-bit mono.
constexpr size_t kSoundChunkBytes = 8000;

struct TileBlock {
    std::vector<uint32_t> indexes;   // grid index of each strip tile, in strip order
    const uint8_t* image = nullptr;  // the strip picture: points into the block
    size_t imageLength = 0;
};
// Reads total, count, the indexes, the image length and the image; false when a field runs past
// the data, the count is 0 or above kMaxTilesPerBlock, or the image is empty.
bool ReadTileBlock(const uint8_t* data, size_t size, TileBlock& block);

struct TileGrid {
    int tileWidth = 0;
    int tileHeight = 0;
    int columns = 0;
    int rows = 0;
    bool IsUsable() const { return columns > 0 && rows > 0; }
};
// The grid of a screen cut into tiles of the given size; unusable (0 columns) while either size
// is unknown or a tile is larger than the screen.
TileGrid MakeTileGrid(int screenWidth, int screenHeight, int tileWidth, int tileHeight);
// The top-left corner of the tile with that index; false for an index outside the grid.
bool TileOrigin(const TileGrid& grid, uint32_t index, int& x, int& y);

// Sequence rule of both frame kinds: not older than the last accepted one, except that a pad
// restarting its count (below 10) is taken.
bool AcceptFrameSequence(uint32_t sequence, uint32_t lastAccepted, int clientKind);

// A whole-screen image (type 7) by client kind. Kind 1 is never drawn here; kind 3 is always
// drawn; a pad (kind 2) frame narrower than the screen is dropped once the frame bitmap has the
// screen's full width (a late partial frame would paint over a newer whole one).
bool AcceptImageFrame(int clientKind, uint32_t sequence, uint32_t lastAccepted, long long rectWidth,
                      int screenWidth, int frameBitmapWidth);

struct ScreenRect {
    long long left = 0;
    long long top = 0;
    long long right = 0;
    long long bottom = 0;
    long long Width() const { return right - left; }
    long long Height() const { return bottom - top; }
};
// The part of a rectangle on a screen of that size; false when nothing of it is on the screen.
bool ClipToScreen(const ScreenRect& rect, int screenWidth, int screenHeight, ScreenRect& clipped);
