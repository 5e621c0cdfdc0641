// The fields of one wire packet of any type, as the portable codec reads and writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A receiver refuses a length field above this before allocating anything: the largest block a
// peer sends (a screen image or tile block) is a few megabytes.
constexpr uint32_t kMaxPacketLength = 32u * 1024 * 1024;
// Magic (4 bytes) and length field (4 bytes).
constexpr size_t kPacketHeaderSize = 8;
// The length field of a type-1 packet whose text has that many characters: the length field
// itself, the type byte, the digest's count and 32 characters, the cipher length and the text.
constexpr uint32_t TextPacketLength(uint32_t characters)
{
    return 4 + 1 + 4 + 64 + 4 + 2 * characters;
}

enum PacketType : uint8_t {
    kPacketText = 1,
    kPacketScreenFormat = 2,
    kPacketRecord = 3,
    kPacketKeys = 4,
    kPacketMice = 5,
    kPacketImage = 7,
    kPacketLeadBlock = 8,
    kPacketFileChunk = 9,
    kPacketValue = 10,
    kPacketSound = 11,
    kPacketScreenBlock = 12,
};

// One queued key message of a remote-control window.
struct KeyEntry {
    uint16_t message = 0;      // 0x100 key down, otherwise key up
    uint32_t virtualKey = 0;
    uint32_t repeatCount = 0;
    uint32_t flags = 0;
};

// One queued mouse message of a remote-control window (coordinates in the student's pixels).
struct MouseEntry {
    uint16_t message = 0;      // 0x200 to 0x20A
    uint32_t keyFlags = 0;
    int32_t x = 0;
    int32_t y = 0;
    int16_t wheelDelta = 0;
};

static_assert(sizeof(KeyEntry) == 16, "a key entry is the 16-byte input record");
static_assert(sizeof(MouseEntry) == 20, "a mouse entry is the 20-byte input record");

// Bytes that belong to someone else: the sender's buffer when encoding, the body being decoded
// when decoding (valid only while that body lives).
struct ByteSpan {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
};

struct PacketRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct PacketFields {
    uint8_t type = 0;

    // 1: command text and the digest a sender puts beside it (stored, never checked).
    std::u16string digest;
    std::u16string text;

    // 2: a student's screen format.
    uint32_t screenWidth = 0;
    uint32_t screenHeight = 0;
    uint32_t bitsPerPixel = 0;

    // 3: a record carried whole and never interpreted.
    uint32_t recordValues[5] = {};
    uint16_t recordShorts[4] = {};
    ByteSpan recordA;
    ByteSpan recordB;

    // 4 and 5: input events.
    std::vector<KeyEntry> keys;
    std::vector<MouseEntry> mice;

    // 7: an image for the rectangle; value doubles as its sequence number.
    uint32_t valueA = 0;
    uint32_t valueB = 0;
    uint32_t valueC = 0;
    uint32_t valueD = 0;
    uint32_t valueE = 0;       // value G travels only while this is 0
    uint32_t valueF = 0;
    uint32_t valueG = 0;
    PacketRect rect;
    ByteSpan image;

    // 10: the value pair.
    uint32_t value = 0;
    uint32_t flag = 0;

    // 8: the leading value before the type-12 fields.
    uint32_t leadingValue = 0;

    // 8, 11, 12: raw size (the carried value for 11), sequence number (8, 12) and data;
    // 9 uses data for its file bytes.
    uint32_t rawSize = 0;
    uint32_t sequence = 0;
    ByteSpan data;

    // 9: one piece of a file.
    uint32_t transferKind = 0;
    uint32_t pieceCount = 0;
    uint32_t pieceNumber = 0;
    std::u16string fileName;
};

// Same wire content (byte spans compared by their bytes).
bool SamePacketFields(const PacketFields& a, const PacketFields& b);
