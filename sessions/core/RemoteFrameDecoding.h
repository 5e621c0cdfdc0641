// How a remote session turns one screen packet of a student into pixels of the slot's frame:
// which frames are taken, what is measured before anything is made, the size of every picture
// made, and where each part lands. The pixel work is the canvas's (GDI+ and GDI in the console,
// a recorder in the fuzzer); everything it is asked to make or copy has been measured here and
// lies inside the screen the student reported.
#pragma once

#include "foundation/core/PacketFields.h"
#include "sessions/core/JpegFrameSize.h"

#include <cstddef>
#include <cstdint>

// What the decoder reads of the slot.
struct RemoteScreenState {
    int clientKind = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    int frameBitmapWidth = 0;   // the frame bitmap as it is now (0 when none)
    int tileWidth = 0;
    int tileHeight = 0;
};

class IRemoteFrameCanvas {
public:
    virtual ~IRemoteFrameCanvas() = default;
    // The frame bitmap at the screen's size, made when missing or of another size.
    virtual bool EnsureFrame(int width, int height) = 0;
    // The working picture at that size (kept while the size stays).
    virtual bool MakePicture(int width, int height) = 0;
    // The JPEG, whose header says it is measured, decoded with its top-left corner at (x, y) of
    // the working picture (cut to it); upright: a pad's picture is turned by its orientation
    // first. False when it does not decode at the measured size (either way round when turned).
    virtual bool DrawJpeg(const uint8_t* jpeg, size_t length, const PictureSize& measured, int x, int y,
                          bool upright) = 0;
    // width x height of the working picture from (sourceX, sourceY) into the frame at (x, y).
    virtual bool CopyToFrame(int x, int y, int sourceX, int sourceY, int width, int height) = 0;
};

struct RemoteFrameOutcome {
    bool acknowledge = false;   // answer the student with this sequence number
    uint32_t sequence = 0;
    bool heard = false;         // the slot's picture and heard times become now
    bool drawn = false;
};

// A whole image (type 7) by the slot's client kind, at the packet's rectangle.
RemoteFrameOutcome DecodeRemoteImage(const RemoteScreenState& state, uint32_t sequence, const PacketRect& rect,
                                     const uint8_t* jpeg, size_t length, uint32_t& lastAccepted,
                                     IRemoteFrameCanvas& canvas);
// A block of changed tiles (type 12): raw size and data as the packet carries them.
RemoteFrameOutcome DecodeRemoteTiles(const RemoteScreenState& state, uint32_t sequence, uint32_t rawSize,
                                     const uint8_t* data, size_t length, uint32_t& lastAccepted,
                                     IRemoteFrameCanvas& canvas);
