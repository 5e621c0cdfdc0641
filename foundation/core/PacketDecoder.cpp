#include "foundation/core/PacketCodec.h"

#include <cstring>

namespace {

// Reads little-endian fields from untrusted bytes; every read is checked against what is left.
class WireReader {
public:
    WireReader(const uint8_t* bytes, size_t size) : m_bytes(bytes), m_left(size) {}

    size_t Left() const { return m_left; }

    bool U8(uint8_t& value)
    {
        if (m_left < 1)
            return false;
        value = *Take(1);
        return true;
    }
    bool U16(uint16_t& value)
    {
        if (m_left < 2)
            return false;
        const uint8_t* p = Take(2);
        value = static_cast<uint16_t>(p[0] | p[1] << 8);
        return true;
    }
    bool U32(uint32_t& value)
    {
        if (m_left < 4)
            return false;
        const uint8_t* p = Take(4);
        value = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        return true;
    }
    bool I32(int32_t& value)
    {
        uint32_t raw;
        if (!U32(raw))
            return false;
        value = static_cast<int32_t>(raw);
        return true;
    }
    bool Bytes(size_t count, ByteSpan& span)
    {
        if (count > m_left)
            return false;
        span.data = count != 0 ? Take(count) : nullptr;
        span.size = static_cast<uint32_t>(count);
        return true;
    }
    bool CountedBytes(ByteSpan& span)
    {
        uint32_t count;
        return U32(count) && Bytes(count, span);
    }
    bool ShortCountedBytes(ByteSpan& span)
    {
        uint16_t count;
        return U16(count) && Bytes(count, span);
    }
    // count UTF-16LE characters; the text ends at the first zero character.
    bool Text(uint32_t count, std::u16string& text)
    {
        if (count > m_left / 2)
            return false;
        const uint8_t* p = Take(2 * size_t(count));
        text.clear();
        for (uint32_t n = 0; n < count; ++n) {
            const char16_t ch = static_cast<char16_t>(p[2 * n] | p[2 * n + 1] << 8);
            if (ch == 0)
                break;
            text += ch;
        }
        return true;
    }
    bool CountedText(std::u16string& text)
    {
        uint32_t count;
        return U32(count) && Text(count, text);
    }

private:
    const uint8_t* Take(size_t count)
    {
        const uint8_t* p = m_bytes;
        m_bytes += count;
        m_left -= count;
        return p;
    }

    const uint8_t* m_bytes;
    size_t m_left;
};

// The enciphered text is deciphered in a copy with two zero bytes after it, so an odd byte
// count ends in a character with a zero high byte and the text always ends.
bool ReadCommandText(WireReader& r, const TextCipher& decipher, PacketFields& p)
{
    ByteSpan cipherBytes;
    if (!r.CountedText(p.digest) || !r.CountedBytes(cipherBytes) || !decipher)
        return false;
    std::vector<uint8_t> plain(size_t(cipherBytes.size) + 2, 0);
    if (cipherBytes.size != 0)
        std::memcpy(plain.data(), cipherBytes.data, cipherBytes.size);
    if (!decipher(plain.data(), cipherBytes.size))
        return false;
    WireReader textReader(plain.data(), plain.size());
    return textReader.Text(static_cast<uint32_t>((size_t(cipherBytes.size) + 1) / 2), p.text);
}

bool ReadRecord(WireReader& r, PacketFields& p)
{
    for (uint32_t& value : p.recordValues) {
        if (!r.U32(value))
            return false;
    }
    for (uint16_t& value : p.recordShorts) {
        if (!r.U16(value))
            return false;
    }
    return r.ShortCountedBytes(p.recordA) && r.ShortCountedBytes(p.recordB);
}

bool ReadKeys(WireReader& r, PacketFields& p)
{
    const size_t kWireSize = 14;
    uint32_t count;
    if (!r.U32(count) || count > r.Left() / kWireSize)
        return false;
    p.keys.resize(count);
    for (KeyEntry& key : p.keys) {
        r.U16(key.message);
        r.U32(key.virtualKey);
        r.U32(key.repeatCount);
        r.U32(key.flags);
    }
    return true;
}

bool ReadMice(WireReader& r, PacketFields& p)
{
    const size_t kWireSize = 16;
    uint32_t count;
    if (!r.U32(count) || count > r.Left() / kWireSize)
        return false;
    p.mice.resize(count);
    for (MouseEntry& mouse : p.mice) {
        uint16_t wheel = 0;
        r.U16(mouse.message);
        r.U32(mouse.keyFlags);
        r.I32(mouse.x);
        r.I32(mouse.y);
        r.U16(wheel);
        mouse.wheelDelta = static_cast<int16_t>(wheel);
    }
    return true;
}

bool ReadImage(WireReader& r, PacketFields& p)
{
    if (!r.U32(p.valueA) || !r.U32(p.valueB) || !r.U32(p.valueC) || !r.U32(p.valueD) ||
        !r.U32(p.valueE) || !r.U32(p.value) || !r.U32(p.valueF) || !r.I32(p.rect.left) ||
        !r.I32(p.rect.top) || !r.I32(p.rect.right) || !r.I32(p.rect.bottom))
        return false;
    if (p.valueE == 0 && !r.U32(p.valueG))
        return false;
    return r.CountedBytes(p.image);
}

bool ReadScreenBlock(WireReader& r, PacketFields& p)
{
    uint32_t length;
    return r.U32(p.rawSize) && r.U32(length) && r.U32(p.sequence) && r.Bytes(length, p.data);
}

bool ReadFileChunk(WireReader& r, PacketFields& p)
{
    return r.U32(p.transferKind) && r.U32(p.pieceCount) && r.U32(p.pieceNumber) &&
           r.CountedText(p.fileName) && r.CountedBytes(p.data);
}

bool ReadPayload(WireReader& r, const TextCipher& decipher, PacketFields& p)
{
    switch (p.type) {
    case kPacketText:
        return ReadCommandText(r, decipher, p);
    case kPacketScreenFormat:
        return r.U32(p.screenWidth) && r.U32(p.screenHeight) && r.U32(p.bitsPerPixel);
    case kPacketRecord:
        return ReadRecord(r, p);
    case kPacketKeys:
        return ReadKeys(r, p);
    case kPacketMice:
        return ReadMice(r, p);
    case kPacketImage:
        return ReadImage(r, p);
    case kPacketLeadBlock:
        return r.U32(p.leadingValue) && ReadScreenBlock(r, p);
    case kPacketFileChunk:
        return ReadFileChunk(r, p);
    case kPacketValue:
        return r.U32(p.value) && r.U32(p.flag);
    case kPacketSound:
        return r.U32(p.rawSize) && r.CountedBytes(p.data);
    case kPacketScreenBlock:
        return ReadScreenBlock(r, p);
    default:
        return false;
    }
}

} // namespace

bool CheckPacketHeader(const uint8_t header[kPacketHeaderSize], uint32_t& bodySize)
{
    bodySize = 0;
    uint8_t magic[4];
    MakePacketMagic(header[3], magic);
    if (std::memcmp(magic, header, 3) != 0)
        return false;
    const uint32_t length = uint32_t(header[4]) | uint32_t(header[5]) << 8 |
                            uint32_t(header[6]) << 16 | uint32_t(header[7]) << 24;
    // Read as signed, a negative length is above the cap too.
    if (length < 5 || length > kMaxPacketLength)
        return false;
    bodySize = length - 4;
    return true;
}

bool DecodePacketBody(const uint8_t* body, size_t size, const TextCipher& decipher,
                      PacketFields& out)
{
    out = PacketFields();
    WireReader r(body, size);
    if (r.U8(out.type) && ReadPayload(r, decipher, out))
        return true;
    out = PacketFields();
    return false;
}

bool DecodePacket(const uint8_t* bytes, size_t size, const TextCipher& decipher, PacketFields& out)
{
    uint32_t bodySize = 0;
    if (size < kPacketHeaderSize || !CheckPacketHeader(bytes, bodySize) ||
        bodySize > size - kPacketHeaderSize) {
        out = PacketFields();
        return false;
    }
    return DecodePacketBody(bytes + kPacketHeaderSize, bodySize, decipher, out);
}
