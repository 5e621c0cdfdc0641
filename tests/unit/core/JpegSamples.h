// Small JPEG byte strings for the tests of the picture measuring: the markers and segments up to
// a frame header of the given size, and the start of a scan (no real pixels).
#pragma once

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

inline void Append(Bytes& out, const Bytes& more)
{
    out.insert(out.end(), more.begin(), more.end());
}

// A segment: marker, length (counting itself) and body.
inline Bytes Segment(uint8_t marker, const Bytes& body)
{
    const size_t length = body.size() + 2;
    Bytes out{0xFF, marker, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length & 0xFF)};
    Append(out, body);
    return out;
}

inline Bytes FrameBody(int width, int height)
{
    return {8, static_cast<uint8_t>(height >> 8), static_cast<uint8_t>(height), static_cast<uint8_t>(width >> 8),
            static_cast<uint8_t>(width), 1, 1, 0x11, 0};
}

// Start of image, a JFIF segment, tables, the frame of that size and the start of a scan.
inline Bytes Jpeg(int width, int height, uint8_t frameMarker = 0xC0)
{
    Bytes out{0xFF, 0xD8};
    Append(out, Segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0}));
    Append(out, Segment(0xDB, Bytes(65, 1)));
    Append(out, Segment(0xC4, Bytes(20, 0)));
    Append(out, Segment(frameMarker, FrameBody(width, height)));
    Append(out, Segment(0xDA, {1, 1, 0, 0, 63, 0}));
    Append(out, {0x12, 0x34, 0xFF, 0xD9});
    return out;
}

} // namespace
