#include "foundation/core/PacketCodec.h"

#include "foundation/core/Md5.h"
#include "foundation/core/Rc4.h"

namespace {

class WireWriter {
public:
    explicit WireWriter(std::vector<uint8_t>& out) : m_out(out) {}

    void U8(uint8_t value) { m_out.push_back(value); }
    void U16(uint16_t value)
    {
        m_out.push_back(static_cast<uint8_t>(value));
        m_out.push_back(static_cast<uint8_t>(value >> 8));
    }
    void U32(uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            m_out.push_back(static_cast<uint8_t>(value >> shift));
    }
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void Bytes(const ByteSpan& bytes)
    {
        if (bytes.size != 0)
            m_out.insert(m_out.end(), bytes.data, bytes.data + bytes.size);
    }
    void Text(const std::u16string& text)
    {
        for (char16_t ch : text)
            U16(static_cast<uint16_t>(ch));
    }
    void CountedText(const std::u16string& text)
    {
        U32(static_cast<uint32_t>(text.size()));
        Text(text);
    }
    void CountedBytes(const ByteSpan& bytes)
    {
        U32(bytes.size);
        Bytes(bytes);
    }
    void ShortCountedBytes(const ByteSpan& bytes)
    {
        U16(static_cast<uint16_t>(bytes.size));
        Bytes(bytes);
    }
    size_t Size() const { return m_out.size(); }
    uint8_t* At(size_t offset) { return m_out.data() + offset; }

private:
    std::vector<uint8_t>& m_out;
};

// Bytes after the type byte; 0 for a type without a layout or a field that does not fit.
uint64_t PayloadSize(const PacketFields& p)
{
    switch (p.type) {
    case kPacketText:
        return 8 + 2 * uint64_t(p.digest.size()) + 2 * uint64_t(p.text.size());
    case kPacketScreenFormat:
        return 12;
    case kPacketRecord:
        if (p.recordA.size > 0xFFFF || p.recordB.size > 0xFFFF)
            return 0;
        return 20 + 8 + 4 + uint64_t(p.recordA.size) + p.recordB.size;
    case kPacketKeys:
        return 4 + 14 * uint64_t(p.keys.size());
    case kPacketMice:
        return 4 + 16 * uint64_t(p.mice.size());
    case kPacketImage:
        return 28 + 16 + (p.valueE == 0 ? 4 : 0) + 4 + uint64_t(p.image.size);
    case kPacketLeadBlock:
        return 4 + 12 + uint64_t(p.data.size);
    case kPacketFileChunk:
        return 16 + 2 * uint64_t(p.fileName.size()) + 4 + p.data.size;
    case kPacketValue:
        return 8;
    case kPacketSound:
        return 8 + uint64_t(p.data.size);
    case kPacketScreenBlock:
        return 12 + uint64_t(p.data.size);
    default:
        return 0;
    }
}

bool WriteCommandText(const PacketFields& p, const TextCipher& encipher, WireWriter& w)
{
    w.CountedText(p.digest);
    const size_t byteCount = 2 * p.text.size();
    w.U32(static_cast<uint32_t>(byteCount));
    const size_t start = w.Size();
    w.Text(p.text);
    // The text goes out enciphered or not at all.
    return encipher && encipher(w.At(start), byteCount);
}

void WriteRecord(const PacketFields& p, WireWriter& w)
{
    for (uint32_t value : p.recordValues)
        w.U32(value);
    for (uint16_t value : p.recordShorts)
        w.U16(value);
    w.ShortCountedBytes(p.recordA);
    w.ShortCountedBytes(p.recordB);
}

void WriteKeys(const PacketFields& p, WireWriter& w)
{
    w.U32(static_cast<uint32_t>(p.keys.size()));
    for (const KeyEntry& key : p.keys) {
        w.U16(key.message);
        w.U32(key.virtualKey);
        w.U32(key.repeatCount);
        w.U32(key.flags);
    }
}

void WriteMice(const PacketFields& p, WireWriter& w)
{
    w.U32(static_cast<uint32_t>(p.mice.size()));
    for (const MouseEntry& mouse : p.mice) {
        w.U16(mouse.message);
        w.U32(mouse.keyFlags);
        w.I32(mouse.x);
        w.I32(mouse.y);
        w.U16(static_cast<uint16_t>(mouse.wheelDelta));
    }
}

void WriteImage(const PacketFields& p, WireWriter& w)
{
    w.U32(p.valueA);
    w.U32(p.valueB);
    w.U32(p.valueC);
    w.U32(p.valueD);
    w.U32(p.valueE);
    w.U32(p.value);
    w.U32(p.valueF);
    w.I32(p.rect.left);
    w.I32(p.rect.top);
    w.I32(p.rect.right);
    w.I32(p.rect.bottom);
    if (p.valueE == 0)
        w.U32(p.valueG);
    w.CountedBytes(p.image);
}

void WriteScreenBlock(const PacketFields& p, WireWriter& w)
{
    w.U32(p.rawSize);
    w.U32(p.data.size);
    w.U32(p.sequence);
    w.Bytes(p.data);
}

void WriteFileChunk(const PacketFields& p, WireWriter& w)
{
    w.U32(p.transferKind);
    w.U32(p.pieceCount);
    w.U32(p.pieceNumber);
    w.CountedText(p.fileName);
    w.CountedBytes(p.data);
}

bool WritePayload(const PacketFields& p, const TextCipher& encipher, WireWriter& w)
{
    switch (p.type) {
    case kPacketText:
        return WriteCommandText(p, encipher, w);
    case kPacketScreenFormat:
        w.U32(p.screenWidth);
        w.U32(p.screenHeight);
        w.U32(p.bitsPerPixel);
        return true;
    case kPacketRecord:
        WriteRecord(p, w);
        return true;
    case kPacketKeys:
        WriteKeys(p, w);
        return true;
    case kPacketMice:
        WriteMice(p, w);
        return true;
    case kPacketImage:
        WriteImage(p, w);
        return true;
    case kPacketLeadBlock:
        w.U32(p.leadingValue);
        WriteScreenBlock(p, w);
        return true;
    case kPacketFileChunk:
        WriteFileChunk(p, w);
        return true;
    case kPacketValue:
        w.U32(p.value);
        w.U32(p.flag);
        return true;
    case kPacketSound:
        w.U32(p.rawSize);
        w.CountedBytes(p.data);
        return true;
    case kPacketScreenBlock:
        WriteScreenBlock(p, w);
        return true;
    default:
        return false;
    }
}

} // namespace

bool SoftwareTextCipher(uint8_t* bytes, size_t count)
{
    Rc4Crypt(bytes, bytes, count);
    return true;
}

std::u16string MakeCommandDigest(const std::u16string& text)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(2 * text.size());
    for (char16_t ch : text) {
        bytes.push_back(static_cast<uint8_t>(ch));
        bytes.push_back(static_cast<uint8_t>(ch >> 8));
    }
    const std::string hex = Md5Hex(bytes.data(), text.size());
    return std::u16string(hex.begin(), hex.end());
}

void MakePacketMagic(uint8_t tick, uint8_t magic[4])
{
    magic[0] = static_cast<uint8_t>(0xA0 + (tick >> 5));
    magic[1] = static_cast<uint8_t>(0xA0 + (tick >> 6));
    magic[2] = static_cast<uint8_t>(0xA0 + (tick >> 4));
    magic[3] = tick;
}

bool EncodePacket(const PacketFields& packet, uint8_t tick, const TextCipher& encipher,
                  std::vector<uint8_t>& out)
{
    out.clear();
    const uint64_t payload = PayloadSize(packet);
    const uint64_t length = 4 + 1 + payload;
    if (payload == 0 || length > kMaxPacketLength)
        return false;

    out.reserve(static_cast<size_t>(4 + length));
    WireWriter w(out);
    uint8_t magic[4];
    MakePacketMagic(tick, magic);
    for (uint8_t byte : magic)
        w.U8(byte);
    w.U32(static_cast<uint32_t>(length));
    w.U8(packet.type);
    if (!WritePayload(packet, encipher, w)) {
        out.clear();
        return false;
    }
    return true;
}
