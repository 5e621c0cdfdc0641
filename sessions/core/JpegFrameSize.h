// The size a JPEG says it has, read from its frame header before anything is decoded: a decoder
// allocates for the size the header claims, whatever the bytes behind it hold, so every picture a
// peer sends is measured here first.
#pragma once

#include <cstddef>
#include <cstdint>

struct PictureSize {
    int width = 0;
    int height = 0;
};

// Walks the markers from the start-of-image marker to the first start-of-frame marker (any of the
// thirteen frame kinds), skipping every segment by its length so that a picture embedded in an
// application segment is not taken for the frame. False when the bytes do not begin as a JPEG,
// a segment runs past the end, the scan begins before any frame, or a side is 0.
bool ReadJpegFrameSize(const uint8_t* data, size_t size, PictureSize& frame);

// True when neither side of the picture is larger than the given ones.
inline bool FitsWithin(const PictureSize& picture, long long width, long long height)
{
    return picture.width <= width && picture.height <= height;
}
