// CPacket: one wire packet of types 1 to 12 with its typed payload. Senders build one with a
// constructor (or by setting the fields of their type) and send it; receivers fill an empty one.
#pragma once

#include "framework/Afx.h"

#include "foundation/core/PacketFields.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CTCPSocket;

class CPacket {
public:
    // An empty packet (type 0) for a receiver to fill.
    CPacket();
    // Type 1: the command text and its digest.
    explicit CPacket(const CString& text);
    // Type 10: the value with flag 0.
    explicit CPacket(UINT value);
    // Type 12. The data stays the caller's and must outlive the packet.
    CPacket(const BYTE* data, UINT rawSize, UINT dataLength, UINT sequence);
    // Type 9. The data stays the caller's and must outlive the packet.
    CPacket(UINT transferKind, UINT pieceCount, UINT pieceNumber, const CString& fileName,
            const BYTE* data, UINT dataLength);
    // Types 4 and 5: the queued input entries (move the queue in; it is left empty).
    explicit CPacket(std::vector<KeyEntry> keys);
    explicit CPacket(std::vector<MouseEntry> mice);
    // The copy owns duplicates of the image, file and tile data.
    CPacket(const CPacket& other);
    CPacket& operator=(const CPacket&) = delete;
    virtual ~CPacket();

    // Whole wire packet for sending (magic from the tick count, length patched). false for
    // type 0, 6, >12, a packet too large, or when the cipher fails: nothing may be sent then.
    bool ToBytes(std::vector<uint8_t>& out) const;
    // Checks an 8-byte frame header (magic, length >= 5 and <= kMaxPacketLength); bodySize is
    // the length - 4 bytes that follow (type byte + payload).
    static bool CheckHeader(const uint8_t header[kPacketHeaderSize], uint32_t& bodySize);
    // Parses a body into this packet, which then owns copies of all its data. On any failure
    // the packet is an empty type-0 packet and false is returned.
    bool LoadBody(const uint8_t* body, size_t size);
    // The bytes this packet holds in memory, its data and texts included.
    size_t HeldBytes() const;
    // Back to an empty type-0 packet; frees what it owns.
    void Reset();
    // Writes (store) one packet on the socket, closing it on failure; a read is
    // CTCPSocket::ReceivePacket (never waits: false also while the packet is not whole yet).
    bool Serialize(CTCPSocket& socket, bool store);

    int m_type = 0;

    // 1
    CString m_digest;
    CString m_text;

    // 10; m_value is also the sequence number of type 7.
    UINT m_value = 0;
    UINT m_flag = 0;

    // 2
    UINT m_screenWidth = 0;
    UINT m_screenHeight = 0;
    UINT m_bitsPerPixel = 0;

    // 7
    UINT m_valueA = 0;
    UINT m_valueB = 0;
    UINT m_valueC = 0;
    UINT m_valueD = 0;
    UINT m_valueE = 0;          // value G travels only while this is 0
    UINT m_valueF = 0;
    UINT m_valueG = 0;
    RECT m_rect = {0, 0, 0, 0};
    UINT m_imageLength = 0;
    const BYTE* m_image = nullptr;

    // 8
    UINT m_leadingValue = 0;

    // 8, 11 (m_rawSize is the carried value), 12
    UINT m_rawSize = 0;
    UINT m_dataLength = 0;
    const BYTE* m_data = nullptr;
    UINT m_sequence = 0;

    // 9
    UINT m_transferKind = 0;
    UINT m_pieceCount = 0;
    UINT m_pieceNumber = 0;
    CString m_fileName;
    UINT m_fileDataLength = 0;
    const BYTE* m_fileData = nullptr;

    // 4, 5
    std::vector<KeyEntry> m_keys;
    std::vector<MouseEntry> m_mice;

    // 3
    UINT m_recordValues[5] = {};
    WORD m_recordShorts[4] = {};
    std::vector<BYTE> m_recordA;
    std::vector<BYTE> m_recordB;

private:
    PacketFields ToFields() const;
    void TakeFields(const PacketFields& fields);
    void OwnImage(const BYTE* image, UINT length);
    void OwnData(const BYTE* data, UINT length);
    void OwnFileData(const BYTE* data, UINT length);

    // Data a read or a copy allocated; the pointers above point into these then.
    std::vector<BYTE> m_ownedImage;
    std::vector<BYTE> m_ownedData;
    std::vector<BYTE> m_ownedFileData;
};
