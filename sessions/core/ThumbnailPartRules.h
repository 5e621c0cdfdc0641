// Which thumbnail part (a type-7 packet of the thumbnail session: a destination rectangle and a
// JPEG) a student thread may decode. Nothing a student sends is decoded beyond what its slot can
// show: the rectangle fits the thumbnail the console asked for, the picture fits the rectangle,
// and both sizes are known before a bitmap is made or a byte is decoded.
#pragma once

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
