// Which thumbnail part (a type-7 packet of the thumbnail session: a destination rectangle and a
// JPEG) a student thread may decode. Nothing a student sends is decoded beyond what its slot can
// show: the rectangle fits the thumbnail the console asked for, the picture fits the rectangle,
// and both sizes are known before a bitmap is made or a byte is decoded.
#pragma once

#include "foundation/core/PacketFields.h"
#include "sessions/core/JpegFrameSize.h"

#include <cstddef>
#include <cstdint>

// A thumbnail side above this is never asked for nor drawn, whatever the slot's size.
constexpr int kMaxThumbnailPartSide = 4096;

enum class ThumbnailPartVerdict {
    Draw,
    BadRectangle,       // a side below 1 or above the hard cap
    LargerThanSlot,     // wider or higher than the slot's thumbnail (or the slot has none)
    NotJpeg,            // no JPEG frame header that can be read
    PictureTooLarge,    // the header claims more than the rectangle
};

struct ThumbnailPartCheck {
    ThumbnailPartVerdict verdict = ThumbnailPartVerdict::BadRectangle;
    int width = 0;          // the rectangle's sides, when usable
    int height = 0;
    PictureSize picture;    // the frame header's size, when read
};

// slotWidth, slotHeight: the slot's thumbnail, the size the console asked of the student.
// turned: a pad whose picture arrives unrotated and lies on its side (it may come in either
// orientation of the rectangle).
ThumbnailPartCheck CheckThumbnailPart(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                      const uint8_t* jpeg, size_t length, int slotWidth, int slotHeight,
                                      bool turned);

const char* ThumbnailPartVerdictText(ThumbnailPartVerdict verdict);

// What the thumbnail decoder reads of the slot.
struct ThumbnailSlotState {
    int width = 0;          // the slot's thumbnail
    int height = 0;
    int clientKind = 0;
    int orientation = 0;
};

// The pixel work of a thumbnail part: GDI+ and GDI in the console, a recorder in the fuzzer.
class IThumbnailCanvas {
public:
    virtual ~IThumbnailCanvas() = default;
    // The working picture at that size (kept while the size stays).
    virtual bool MakePicture(int width, int height) = 0;
    // The JPEG, whose header says it is measured, decoded at 0,0 of the working picture; upright:
    // a pad's picture turned by its orientation first. False when it does not decode at the
    // measured size (either way round when turned).
    virtual bool DrawJpeg(const uint8_t* jpeg, size_t length, const PictureSize& measured, bool upright) = 0;
    // The working picture stretched onto an upright picture of that size.
    virtual bool StretchUpright(int width, int height) = 0;
    // width x height from (sourceX, sourceY) of the working picture (or of the upright one) into
    // the slot's thumbnail at (x, y).
    virtual bool CopyToSlot(int x, int y, int sourceX, int sourceY, int width, int height, bool fromUpright) = 0;
};

// One part, checked (CheckThumbnailPart) before anything is made, then drawn through the canvas:
// a pad's picture lying on its side is decoded at its own size and stretched upright; only the
// part of the rectangle on the thumbnail is copied. drawn: it reached the slot.
ThumbnailPartCheck DecodeThumbnailPart(const ThumbnailSlotState& slot, const PacketRect& destination,
                                       const uint8_t* jpeg, size_t length, IThumbnailCanvas& canvas, bool& drawn);
