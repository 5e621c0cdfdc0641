#include "sessions/core/RemoteFrameDecoding.h"

#include "sessions/core/RemoteScreen.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

namespace {

// The part of (x, y, width, height) on the screen, copied from the picture at (sourceX, sourceY).
bool CopyClipped(const RemoteScreenState& state, IRemoteFrameCanvas& canvas, long long x, long long y,
                 int sourceX, int sourceY, long long width, long long height)
{
    ScreenRect onScreen;
    if (!ClipToScreen({x, y, x + width, y + height}, state.screenWidth, state.screenHeight, onScreen))
        return false;
    return canvas.CopyToFrame(static_cast<int>(onScreen.left), static_cast<int>(onScreen.top),
                              sourceX + static_cast<int>(onScreen.left - x), sourceY + static_cast<int>(onScreen.top - y),
                              static_cast<int>(onScreen.Width()), static_cast<int>(onScreen.Height()));
}

// The picture's size from its header, when it fits width x height (either way round when turnable).
bool Measure(const uint8_t* jpeg, size_t length, long long width, long long height, bool turnable,
             PictureSize& picture)
{
    return ReadJpegFrameSize(jpeg, length, picture) &&
           (FitsWithin(picture, width, height) || (turnable && FitsWithin(picture, height, width)));
}

// A whole picture of a student's screen: measured against the rectangle and the screen, made
// only as large as its part on the screen, and drawn there.
bool DrawWholeImage(const RemoteScreenState& state, const PacketRect& rect, const uint8_t* jpeg, size_t length,
                    IRemoteFrameCanvas& canvas)
{
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    PictureSize picture;
    if (width < 1 || height < 1 || !IsFrameScreenSize(state.screenWidth, state.screenHeight) ||
        !Measure(jpeg, length, std::min<long long>(width, state.screenWidth),
                 std::min<long long>(height, state.screenHeight), false, picture))
        return false;
    ScreenRect shown;
    if (!ClipToScreen({rect.left, rect.top, static_cast<long long>(rect.left) + picture.width,
                       static_cast<long long>(rect.top) + picture.height},
                      state.screenWidth, state.screenHeight, shown) ||
        !canvas.EnsureFrame(state.screenWidth, state.screenHeight) ||
        !canvas.MakePicture(static_cast<int>(shown.Width()), static_cast<int>(shown.Height())) ||
        !canvas.DrawJpeg(jpeg, length, picture, static_cast<int>(rect.left - shown.left),
                         static_cast<int>(rect.top - shown.top), false))
        return false;
    return canvas.CopyToFrame(static_cast<int>(shown.left), static_cast<int>(shown.top), 0, 0,
                              static_cast<int>(shown.Width()), static_cast<int>(shown.Height()));
}

// A pad whose pictures arrive unrotated: the picture is the whole screen, turned upright.
bool DrawPadImage(const RemoteScreenState& state, const PacketRect& rect, const uint8_t* jpeg, size_t length,
                  IRemoteFrameCanvas& canvas)
{
    PictureSize picture;
    if (!IsFrameScreenSize(state.screenWidth, state.screenHeight) ||
        !Measure(jpeg, length, state.screenWidth, state.screenHeight, true, picture) ||
        !canvas.EnsureFrame(state.screenWidth, state.screenHeight) ||
        !canvas.MakePicture(state.screenWidth, state.screenHeight) ||
        !canvas.DrawJpeg(jpeg, length, picture, 0, 0, true))
        return false;
    return CopyClipped(state, canvas, rect.left, rect.top, 0, 0, state.screenWidth, state.screenHeight);
}

// The block as it was before the student compressed it; a block whose raw size equals its length
// travels uncompressed. Nothing is inflated beyond the raw size the block claims, nor beyond the
// largest packet.
bool ExpandBlock(uint32_t rawSize, const uint8_t* data, size_t length, std::vector<uint8_t>& inflated,
                 const uint8_t*& bytes, size_t& size)
{
    bytes = data;
    size = length;
    if (rawSize == length)
        return data != nullptr;
    if (!data || rawSize == 0 || rawSize > kMaxPacketLength)
        return false;
    inflated.resize(rawSize);
    uLongf inflatedLength = rawSize;
    if (::uncompress(inflated.data(), &inflatedLength, data, static_cast<uLong>(length)) != Z_OK)
        return false;
    bytes = inflated.data();
    size = inflatedLength;
    return true;
}

} // namespace

RemoteFrameOutcome DecodeRemoteImage(const RemoteScreenState& state, uint32_t sequence, const PacketRect& rect,
                                     const uint8_t* jpeg, size_t length, uint32_t& lastAccepted,
                                     IRemoteFrameCanvas& canvas)
{
    RemoteFrameOutcome outcome;
    const ScreenRect whole{rect.left, rect.top, rect.right, rect.bottom};
    ScreenRect onScreen;
    if (!AcceptImageFrame(state.clientKind, sequence, lastAccepted, whole.Width(), state.screenWidth,
                          state.frameBitmapWidth) ||
        !ClipToScreen(whole, state.screenWidth, state.screenHeight, onScreen))
        return outcome;   // stale, or nothing of it on the screen: dropped
    const bool pad = state.clientKind == 3;
    if (!pad)
        lastAccepted = sequence;
    outcome.acknowledge = true;
    outcome.sequence = pad ? sequence : lastAccepted;
    outcome.heard = !pad;
    outcome.drawn = pad ? DrawPadImage(state, rect, jpeg, length, canvas) : DrawWholeImage(state, rect, jpeg, length, canvas);
    return outcome;
}

RemoteFrameOutcome DecodeRemoteTiles(const RemoteScreenState& state, uint32_t sequence, uint32_t rawSize,
                                     const uint8_t* data, size_t length, uint32_t& lastAccepted,
                                     IRemoteFrameCanvas& canvas)
{
    RemoteFrameOutcome outcome;
    if (!AcceptFrameSequence(sequence, lastAccepted, state.clientKind))
        return outcome;
    lastAccepted = sequence;
    outcome.acknowledge = true;
    outcome.sequence = sequence;
    outcome.heard = true;

    const TileGrid grid = MakeTileGrid(state.screenWidth, state.screenHeight, state.tileWidth, state.tileHeight);
    std::vector<uint8_t> inflated;
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    TileBlock block;
    PictureSize picture;
    if (!grid.IsUsable() || !IsFrameScreenSize(state.screenWidth, state.screenHeight) ||
        !ExpandBlock(rawSize, data, length, inflated, bytes, size) || !ReadTileBlock(bytes, size, block) ||
        static_cast<long long>(block.indexes.size()) > static_cast<long long>(grid.columns) * grid.rows)
        return outcome;
    // A strip of at most the screen's tiles: never more pixels than the screen.
    const long long stripWidth = static_cast<long long>(block.indexes.size()) * grid.tileWidth;
    if (stripWidth > kMaxRemoteScreenSide * 4LL ||
        !Measure(block.image, block.imageLength, stripWidth, grid.tileHeight, false, picture) ||
        !canvas.EnsureFrame(state.screenWidth, state.screenHeight) ||
        !canvas.MakePicture(static_cast<int>(stripWidth), grid.tileHeight) ||
        !canvas.DrawJpeg(block.image, block.imageLength, picture, 0, 0, false))
        return outcome;
    for (size_t i = 0; i < block.indexes.size(); ++i) {
        int x = 0;
        int y = 0;
        if (TileOrigin(grid, block.indexes[i], x, y))
            CopyClipped(state, canvas, x, y, static_cast<int>(i) * grid.tileWidth, 0, grid.tileWidth, grid.tileHeight);
    }
    outcome.drawn = true;
    return outcome;
}
