#include "ui/core/GifLayout.h"

#include <cstring>

namespace {

enum class BlockKind { Invalid, Application, Comment, Control, PlainText, Image, Trailer };

struct Block {
    BlockKind kind = BlockKind::Invalid;
    size_t size = 0;
};

constexpr uint8_t kExtensionIntroducer = 0x21;   // '!'
constexpr uint8_t kImageSeparator = 0x2C;        // ','
constexpr uint8_t kTrailer = 0x3B;               // ';'
constexpr size_t kImageDescriptorSize = 10;
constexpr uint8_t kControlBlockSize = 4;

uint16_t ReadLittleEndian16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

// Bytes of a colour table announced by a packed byte (flag bit 7, size in bits 0-2).
size_t ColourTableSize(uint8_t packed)
{
    return (packed & 0x80) ? size_t{3} << ((packed & 0x07) + 1) : 0;
}

// The length of the sub-block chain at pos, its zero terminator included; false when a length
// byte or the bytes it announces lie beyond the data.
bool SubBlockChainLength(const uint8_t* data, size_t size, size_t pos, size_t& length)
{
    size_t at = pos;
    for (;;) {
        if (at >= size)
            return false;
        const size_t count = data[at++];
        if (count == 0)
            break;
        if (count > size - at)
            return false;
        at += count;
    }
    length = at - pos;
    return true;
}

BlockKind ExtensionKind(uint8_t label)
{
    switch (label) {
    case 0xFF: return BlockKind::Application;
    case 0xFE: return BlockKind::Comment;
    case 0xF9: return BlockKind::Control;
    case 0x01: return BlockKind::PlainText;
    default: return BlockKind::Invalid;
    }
}

// Every extension is its introducer, its label and a sub-block chain (the fixed-size fields of
// the application, plain-text and control extensions are that chain's first sub-block).
Block ReadExtension(const uint8_t* data, size_t size, size_t pos)
{
    Block block;
    if (size - pos < 3)
        return block;
    const BlockKind kind = ExtensionKind(data[pos + 1]);
    if (kind == BlockKind::Invalid)
        return block;
    // The control fields are read at fixed places: only their one legal length will do.
    if (kind == BlockKind::Control && data[pos + 2] != kControlBlockSize)
        return block;
    size_t chain = 0;
    if (!SubBlockChainLength(data, size, pos + 2, chain))
        return block;
    block.kind = kind;
    block.size = 2 + chain;
    return block;
}

Block ReadImage(const uint8_t* data, size_t size, size_t pos)
{
    Block block;
    if (size - pos < kImageDescriptorSize)
        return block;
    const size_t table = ColourTableSize(data[pos + 9]);
    // The descriptor, the local table and the LZW code size byte must all be present.
    if (table + 1 > size - pos - kImageDescriptorSize)
        return block;
    const size_t chainStart = pos + kImageDescriptorSize + table + 1;
    size_t chain = 0;
    if (!SubBlockChainLength(data, size, chainStart, chain))
        return block;
    block.kind = BlockKind::Image;
    block.size = chainStart + chain - pos;
    return block;
}

Block ReadBlock(const uint8_t* data, size_t size, size_t pos)
{
    if (pos >= size)
        return Block{};
    switch (data[pos]) {
    case kExtensionIntroducer: return ReadExtension(data, size, pos);
    case kImageSeparator: return ReadImage(data, size, pos);
    case kTrailer: return Block{BlockKind::Trailer, 1};
    default: return Block{};
    }
}

void TakeControlFields(const uint8_t* control, GifFrameLayout& frame)
{
    frame.disposal = (control[3] >> 2) & 0x07;
    frame.delay = ReadLittleEndian16(control + 4);
}

void TakeImageFields(const uint8_t* image, GifFrameLayout& frame)
{
    frame.left = ReadLittleEndian16(image + 1);
    frame.top = ReadLittleEndian16(image + 3);
    frame.width = ReadLittleEndian16(image + 5);
    frame.height = ReadLittleEndian16(image + 7);
}

bool ReadHeader(const uint8_t* data, size_t size, GifLayout& out)
{
    if (!IsGifSignature(data, size) || size < kGifHeaderSize)
        return false;
    out.width = ReadLittleEndian16(data + 6);
    out.height = ReadLittleEndian16(data + 8);
    out.globalTableSize = ColourTableSize(data[10]);
    if (out.globalTableSize > size - kGifHeaderSize)
        return false;
    const size_t backgroundIndex = data[11];
    if (out.globalTableSize != 0 && backgroundIndex < out.globalTableSize / 3) {
        out.hasBackground = true;
        std::memcpy(out.background, data + kGifHeaderSize + 3 * backgroundIndex, 3);
    }
    out.blocksStart = kGifHeaderSize + out.globalTableSize;
    return true;
}

// The frame that starts at pos: an optional control extension, any other blocks, the image.
// A later control extension before the image replaces an earlier one (it governs the image).
bool ReadFrame(const uint8_t* data, size_t size, size_t& pos, GifFrameLayout& frame)
{
    frame = GifFrameLayout{};
    bool started = false;
    for (;;) {
        const Block block = ReadBlock(data, size, pos);
        if (block.kind == BlockKind::Invalid || block.kind == BlockKind::Trailer)
            return false;
        if (block.kind == BlockKind::Control) {
            frame = GifFrameLayout{};
            frame.start = pos;
            started = true;
            TakeControlFields(data + pos, frame);
        } else if (block.kind == BlockKind::Image) {
            if (!started)
                frame.start = pos;
            frame.imageStart = pos;
            TakeImageFields(data + pos, frame);
            frame.end = pos + block.size;
            pos = frame.end;
            return true;
        }
        pos += block.size;
    }
}

} // namespace

bool IsGifSignature(const uint8_t* data, size_t size)
{
    return size >= 6 && std::memcmp(data, "GIF", 3) == 0 &&
           (std::memcmp(data + 3, "87a", 3) == 0 || std::memcmp(data + 3, "89a", 3) == 0);
}

bool ParseGifLayout(const uint8_t* data, size_t size, GifLayout& out)
{
    out = GifLayout{};
    GifLayout layout;
    if (!data || !ReadHeader(data, size, layout))
        return false;
    size_t pos = layout.blocksStart;
    GifFrameLayout frame;
    while (layout.frames.size() < kMaxGifFrames && ReadFrame(data, size, pos, frame))
        layout.frames.push_back(frame);
    if (layout.frames.empty())
        return false;
    out = std::move(layout);
    return true;
}

std::vector<uint8_t> BuildFrameGif(const uint8_t* data, size_t size, const GifLayout& layout,
                                   size_t frameIndex)
{
    std::vector<uint8_t> gif;
    if (!data || frameIndex >= layout.frames.size() ||
        layout.blocksStart != kGifHeaderSize + layout.globalTableSize || layout.blocksStart > size)
        return gif;
    const GifFrameLayout& frame = layout.frames[frameIndex];
    if (frame.start < layout.blocksStart || frame.imageStart < frame.start ||
        frame.end > size || frame.imageStart > frame.end ||
        frame.end - frame.imageStart < kImageDescriptorSize)
        return gif;

    gif.reserve(layout.blocksStart + (frame.end - frame.start) + 1);
    gif.insert(gif.end(), data, data + layout.blocksStart);
    gif[6] = static_cast<uint8_t>(frame.width);
    gif[7] = static_cast<uint8_t>(frame.width >> 8);
    gif[8] = static_cast<uint8_t>(frame.height);
    gif[9] = static_cast<uint8_t>(frame.height >> 8);
    const size_t imageAt = gif.size() + (frame.imageStart - frame.start);
    gif.insert(gif.end(), data + frame.start, data + frame.end);
    std::memset(gif.data() + imageAt + 1, 0, 4);   // left and top
    gif.push_back(kTrailer);
    return gif;
}
