// Small GIF files built byte by byte for the tests: decodable images (every pixel sent after a
// clear code, so the LZW codes stay 3 bits wide) and the blocks around them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

namespace gif_samples {

using Bytes = std::vector<uint8_t>;

inline void Append(Bytes& out, std::initializer_list<uint8_t> bytes)
{
    out.insert(out.end(), bytes);
}

inline void AppendWord(Bytes& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

// Header with a global table of 4 colours: white, red, green, blue.
inline Bytes Header(uint16_t width, uint16_t height, bool gif89 = true, uint8_t background = 0)
{
    Bytes out = {'G', 'I', 'F', '8', gif89 ? uint8_t('9') : uint8_t('7'), 'a'};
    AppendWord(out, width);
    AppendWord(out, height);
    Append(out, {0x81, background, 0});
    Append(out, {255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    return out;
}

inline void AppendControl(Bytes& out, uint16_t delay, int disposal, bool transparent = false)
{
    Append(out, {0x21, 0xF9, 4, static_cast<uint8_t>((disposal << 2) | (transparent ? 1 : 0))});
    AppendWord(out, delay);
    Append(out, {0, 0});
}

inline void AppendLoopExtension(Bytes& out)
{
    Append(out, {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'});
    Append(out, {3, 1, 0, 0, 0});
}

inline void AppendComment(Bytes& out, const char* text)
{
    const size_t length = std::strlen(text);
    Append(out, {0x21, 0xFE, static_cast<uint8_t>(length)});
    out.insert(out.end(), text, text + length);
    out.push_back(0);
}

// An image of width x height pixels, all of colour index colour (0 to 3).
inline void AppendImage(Bytes& out, uint16_t left, uint16_t top, uint16_t width, uint16_t height,
                        uint8_t colour)
{
    out.push_back(0x2C);
    AppendWord(out, left);
    AppendWord(out, top);
    AppendWord(out, width);
    AppendWord(out, height);
    out.push_back(0);   // no local table, not interlaced
    out.push_back(2);   // LZW minimum code size: clear code 4, end code 5, codes of 3 bits
    Bytes packed;
    uint32_t bits = 0;
    int count = 0;
    auto put = [&](uint32_t code) {
        bits |= code << count;
        count += 3;
        while (count >= 8) {
            packed.push_back(static_cast<uint8_t>(bits));
            bits >>= 8;
            count -= 8;
        }
    };
    for (uint32_t i = 0; i < uint32_t{width} * height; ++i) {
        put(4);
        put(colour);
    }
    put(5);
    if (count > 0)
        packed.push_back(static_cast<uint8_t>(bits));
    for (size_t at = 0; at < packed.size(); at += 255) {
        const size_t n = std::min<size_t>(255, packed.size() - at);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), packed.begin() + at, packed.begin() + at + n);
    }
    out.push_back(0);
}

inline void AppendTrailer(Bytes& out)
{
    out.push_back(0x3B);
}

// A still GIF: one red image covering the screen.
inline Bytes StillGif(uint16_t width, uint16_t height)
{
    Bytes out = Header(width, height);
    AppendImage(out, 0, 0, width, height, 1);
    AppendTrailer(out);
    return out;
}

// An animation of frameCount frames (red, green, blue, ...) with the given delay and disposal.
inline Bytes AnimatedGif(uint16_t width, uint16_t height, int frameCount, uint16_t delay,
                         int disposal)
{
    Bytes out = Header(width, height);
    AppendLoopExtension(out);
    for (int i = 0; i < frameCount; ++i) {
        AppendControl(out, delay, disposal);
        AppendImage(out, 0, 0, width, height, static_cast<uint8_t>(1 + i % 3));
    }
    AppendTrailer(out);
    return out;
}

// The bytes in a heap block of exactly their size, so that a read past the end is a read past
// the allocation (reported under AddressSanitizer).
class ExactBuffer {
public:
    explicit ExactBuffer(const Bytes& bytes, size_t size)
        : m_size(size), m_data(new uint8_t[size])
    {
        if (size != 0)
            std::memcpy(m_data.get(), bytes.data(), size);
    }
    explicit ExactBuffer(const Bytes& bytes) : ExactBuffer(bytes, bytes.size()) {}
    const uint8_t* data() const { return m_data.get(); }
    size_t size() const { return m_size; }

private:
    size_t m_size;
    std::unique_ptr<uint8_t[]> m_data;
};

} // namespace gif_samples
