#include "foundation/Packet.h"

#include "foundation/Crypt.h"
#include "foundation/Md5Digest.h"
#include "foundation/core/PacketCodec.h"
#include "foundation/core/Rc4.h"

#include <string>

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "CString holds UTF-16");

ByteSpan Span(const BYTE* data, UINT size)
{
    return ByteSpan{data, size};
}

ByteSpan Span(const std::vector<BYTE>& bytes)
{
    return ByteSpan{bytes.data(), static_cast<uint32_t>(bytes.size())};
}

std::vector<BYTE> Copy(const ByteSpan& span)
{
    return std::vector<BYTE>(span.data, span.data + span.size);
}

// The digest covers the first N bytes of the UTF-16LE text, N being its length in characters.
CString CommandDigest(const CString& text)
{
    CMd5Digest md5;
    CString digest;
    if (md5.Update(reinterpret_cast<const BYTE*>(text.GetString()),
                   static_cast<DWORD>(text.GetLength())) &&
        md5.GetHexDigest(digest))
        return digest;
    return FromU16(MakeCommandDigest(ToU16(text)));
}

// A new cipher, and key derivation, for every packet: each keystream starts afresh.
bool CipherOnePacket(uint8_t* bytes, size_t count, bool encrypt)
{
    if (count > MAXDWORD)
        return false;
    CCrypt crypt;
    DWORD size = static_cast<DWORD>(count);
    const bool done = crypt.Init(kPacketPassword, sizeof kPacketPassword) &&
                      (encrypt ? crypt.Encrypt(bytes, size) : crypt.Decrypt(bytes, size)) &&
                      size == count;
    crypt.Release();
    return done;
}

bool EncipherText(uint8_t* bytes, size_t count)
{
    return CipherOnePacket(bytes, count, true);
}

bool DecipherText(uint8_t* bytes, size_t count)
{
    return CipherOnePacket(bytes, count, false);
}

} // namespace

CPacket::CPacket()
{
}

CPacket::CPacket(const CString& text)
    : m_type(kPacketText), m_digest(CommandDigest(text)), m_text(text)
{
}

CPacket::CPacket(UINT value) : m_type(kPacketValue), m_value(value)
{
}

CPacket::CPacket(const BYTE* data, UINT rawSize, UINT dataLength, UINT sequence)
    : m_type(kPacketScreenBlock), m_rawSize(rawSize), m_dataLength(dataLength), m_data(data),
      m_sequence(sequence)
{
}

CPacket::CPacket(UINT transferKind, UINT pieceCount, UINT pieceNumber, const CString& fileName,
                 const BYTE* data, UINT dataLength)
    : m_type(kPacketFileChunk), m_transferKind(transferKind), m_pieceCount(pieceCount),
      m_pieceNumber(pieceNumber), m_fileName(fileName), m_fileDataLength(dataLength),
      m_fileData(data)
{
}

CPacket::CPacket(std::vector<KeyEntry> keys) : m_type(kPacketKeys), m_keys(std::move(keys))
{
}

CPacket::CPacket(std::vector<MouseEntry> mice) : m_type(kPacketMice), m_mice(std::move(mice))
{
}

CPacket::CPacket(const CPacket& other)
{
    TakeFields(other.ToFields());
    m_type = other.m_type;
}

CPacket::~CPacket()
{
}

PacketFields CPacket::ToFields() const
{
    PacketFields p;
    p.type = static_cast<uint8_t>(m_type);
    p.digest = ToU16(m_digest);
    p.text = ToU16(m_text);
    p.screenWidth = m_screenWidth;
    p.screenHeight = m_screenHeight;
    p.bitsPerPixel = m_bitsPerPixel;
    for (int n = 0; n < 5; ++n)
        p.recordValues[n] = m_recordValues[n];
    for (int n = 0; n < 4; ++n)
        p.recordShorts[n] = m_recordShorts[n];
    p.recordA = Span(m_recordA);
    p.recordB = Span(m_recordB);
    p.keys = m_keys;
    p.mice = m_mice;
    p.valueA = m_valueA;
    p.valueB = m_valueB;
    p.valueC = m_valueC;
    p.valueD = m_valueD;
    p.valueE = m_valueE;
    p.valueF = m_valueF;
    p.valueG = m_valueG;
    p.rect = PacketRect{m_rect.left, m_rect.top, m_rect.right, m_rect.bottom};
    p.image = Span(m_image, m_imageLength);
    p.value = m_value;
    p.flag = m_flag;
    p.leadingValue = m_leadingValue;
    p.rawSize = m_rawSize;
    p.sequence = m_sequence;
    if (m_type == kPacketFileChunk) {
        p.data = Span(m_fileData, m_fileDataLength);
    } else {
        p.data = Span(m_data, m_dataLength);
    }
    p.transferKind = m_transferKind;
    p.pieceCount = m_pieceCount;
    p.pieceNumber = m_pieceNumber;
    p.fileName = ToU16(m_fileName);
    return p;
}

void CPacket::TakeFields(const PacketFields& p)
{
    m_type = p.type;
    m_digest = FromU16(p.digest);
    m_text = FromU16(p.text);
    m_screenWidth = p.screenWidth;
    m_screenHeight = p.screenHeight;
    m_bitsPerPixel = p.bitsPerPixel;
    for (int n = 0; n < 5; ++n)
        m_recordValues[n] = p.recordValues[n];
    for (int n = 0; n < 4; ++n)
        m_recordShorts[n] = p.recordShorts[n];
    m_recordA = Copy(p.recordA);
    m_recordB = Copy(p.recordB);
    m_keys = p.keys;
    m_mice = p.mice;
    m_valueA = p.valueA;
    m_valueB = p.valueB;
    m_valueC = p.valueC;
    m_valueD = p.valueD;
    m_valueE = p.valueE;
    m_valueF = p.valueF;
    m_valueG = p.valueG;
    m_rect = RECT{p.rect.left, p.rect.top, p.rect.right, p.rect.bottom};
    OwnImage(p.image.data, p.image.size);
    m_value = p.value;
    m_flag = p.flag;
    m_leadingValue = p.leadingValue;
    m_rawSize = p.rawSize;
    m_sequence = p.sequence;
    if (p.type == kPacketFileChunk) {
        OwnFileData(p.data.data, p.data.size);
        OwnData(nullptr, 0);
    } else {
        OwnData(p.data.data, p.data.size);
        OwnFileData(nullptr, 0);
    }
    m_transferKind = p.transferKind;
    m_pieceCount = p.pieceCount;
    m_pieceNumber = p.pieceNumber;
    m_fileName = FromU16(p.fileName);
}

void CPacket::OwnImage(const BYTE* image, UINT length)
{
    m_ownedImage.assign(image, image + length);
    m_image = length ? m_ownedImage.data() : nullptr;
    m_imageLength = length;
}

void CPacket::OwnData(const BYTE* data, UINT length)
{
    m_ownedData.assign(data, data + length);
    m_data = length ? m_ownedData.data() : nullptr;
    m_dataLength = length;
}

void CPacket::OwnFileData(const BYTE* data, UINT length)
{
    m_ownedFileData.assign(data, data + length);
    m_fileData = length ? m_ownedFileData.data() : nullptr;
    m_fileDataLength = length;
}

size_t CPacket::HeldBytes() const
{
    const size_t characters = static_cast<size_t>(m_text.GetLength()) + m_digest.GetLength() + m_fileName.GetLength();
    return sizeof(CPacket) + characters * sizeof(wchar_t) + m_ownedImage.capacity() + m_ownedData.capacity() +
           m_ownedFileData.capacity() + m_recordA.capacity() + m_recordB.capacity() +
           m_keys.capacity() * sizeof(KeyEntry) + m_mice.capacity() * sizeof(MouseEntry);
}

void CPacket::Reset()
{
    TakeFields(PacketFields());
    // Give the memory back, not just the length.
    std::vector<BYTE>().swap(m_ownedImage);
    std::vector<BYTE>().swap(m_ownedData);
    std::vector<BYTE>().swap(m_ownedFileData);
    std::vector<BYTE>().swap(m_recordA);
    std::vector<BYTE>().swap(m_recordB);
    std::vector<KeyEntry>().swap(m_keys);
    std::vector<MouseEntry>().swap(m_mice);
}

bool CPacket::ToBytes(std::vector<uint8_t>& out) const
{
    out.clear();
    const bool dataMissing = (!m_image && m_imageLength) || (!m_data && m_dataLength) ||
                             (!m_fileData && m_fileDataLength);
    if (m_type < 1 || m_type > 255 || dataMissing)
        return false;
    const uint8_t tick = static_cast<uint8_t>(GetTickCount());
    return EncodePacket(ToFields(), tick, EncipherText, out);
}

bool CPacket::CheckHeader(const uint8_t header[kPacketHeaderSize], uint32_t& bodySize)
{
    return CheckPacketHeader(header, bodySize);
}

bool CPacket::LoadBody(const uint8_t* body, size_t size)
{
    Reset();
    PacketFields fields;
    if (!DecodePacketBody(body, size, DecipherText, fields))
        return false;
    try {
        TakeFields(fields);
    } catch (...) {
        Reset();
        throw;
    }
    return true;
}
