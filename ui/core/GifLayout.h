// The block layout of GIF data that may come from anywhere: the logical-screen header, the
// global colour table and, for every frame, where its blocks lie and how it is shown. Nothing
// is read before it has been checked against the bytes present.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr size_t kGifHeaderSize = 13;
// Every frame becomes a GIF of its own at load time; a file claiming more frames than this is
// cut here so a small hostile file cannot make us allocate without bound.
constexpr size_t kMaxGifFrames = 1024;

struct GifFrameLayout {
    size_t start = 0;    // the frame's graphic control extension, or its image descriptor
    size_t end = 0;      // one past the last byte of its image data
    int delay = -1;      // hundredths of a second; -1 without a graphic control extension
    int disposal = 0;    // bits 2-4 of the control extension's packed byte
    uint16_t left = 0;   // from the image descriptor
    uint16_t top = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    size_t imageStart = 0;   // the image descriptor itself
};

struct GifLayout {
    uint16_t width = 0;
    uint16_t height = 0;
    size_t globalTableSize = 0;   // bytes, 0 without a global colour table
    bool hasBackground = false;   // the background index names an entry of the global table
    uint8_t background[3] = {};   // red, green, blue of that entry
    size_t blocksStart = 0;       // the first block after the header and the table
    std::vector<GifFrameLayout> frames;
};

// "GIF87a" or "GIF89a" at the start.
bool IsGifSignature(const uint8_t* data, size_t size);

// Walks the blocks and lists the frames up to the first block that is invalid or ends beyond
// the data (or the trailer, or the frame cap). false when the data is not a GIF, its header or
// global table is cut short, or no whole frame was found; out is then empty.
bool ParseGifLayout(const uint8_t* data, size_t size, GifLayout& out);

// One frame as a GIF of its own: the header and global table, the frame's blocks, the trailer.
// The logical screen is the frame's own size and its image sits at (0, 0), so a decoder gives
// exactly the frame's pixels whatever it does with offsets. Empty for a frame index out of range
// or a layout that does not fit the data.
std::vector<uint8_t> BuildFrameGif(const uint8_t* data, size_t size, const GifLayout& layout,
                                   size_t frameIndex);
