#include "foundation/Packet.h"

#include "foundation/core/Md5.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Bytes(const CPacket& packet)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(packet.ToBytes(bytes)) << packet.m_type;
    return bytes;
}

// What a receiver does: check the header, then load the body that follows it.
bool Receive(const std::vector<uint8_t>& bytes, CPacket& packet)
{
    uint32_t bodySize = 0;
    if (bytes.size() < kPacketHeaderSize || !CPacket::CheckHeader(bytes.data(), bodySize) ||
        bodySize != bytes.size() - kPacketHeaderSize)
        return false;
    std::vector<uint8_t> body(bytes.begin() + kPacketHeaderSize, bytes.end());
    return packet.LoadBody(body.data(), body.size());
}

std::vector<BYTE> Pattern(size_t size)
{
    std::vector<BYTE> bytes(size);
    for (size_t n = 0; n < size; ++n)
        bytes[n] = static_cast<BYTE>(n * 7 + 1);
    return bytes;
}

void ExpectEmpty(const CPacket& packet)
{
    EXPECT_EQ(packet.m_type, 0);
    EXPECT_TRUE(packet.m_text.IsEmpty());
    EXPECT_TRUE(packet.m_digest.IsEmpty());
    EXPECT_EQ(packet.m_data, nullptr);
    EXPECT_EQ(packet.m_dataLength, 0u);
    EXPECT_EQ(packet.m_image, nullptr);
    EXPECT_EQ(packet.m_fileData, nullptr);
    EXPECT_TRUE(packet.m_keys.empty());
    EXPECT_EQ(packet.m_value, 0u);
}

} // namespace

TEST(PacketTest, CommandPacketCarriesItsDigestAndEnciphersItsText)
{
    CPacket packet(CString(L"[KW10002]"));
    EXPECT_EQ(packet.m_type, 1);
    EXPECT_EQ(packet.m_digest, L"b184fdfb88bd2eabf59bcf9794e87682");

    const std::vector<uint8_t> bytes = Bytes(packet);
    ASSERT_EQ(bytes.size(), 81u + 18u);
    EXPECT_EQ(HexLower(bytes.data() + 81, 18), "0e11432149b7555c511cf58918516e4682da");

    CPacket received;
    ASSERT_TRUE(Receive(bytes, received));
    EXPECT_EQ(received.m_type, 1);
    EXPECT_EQ(received.m_text, L"[KW10002]");
    EXPECT_EQ(received.m_digest, packet.m_digest);
}

TEST(PacketTest, EmptyCommandIsEightyOneBytesWithLengthSeventySeven)
{
    const std::vector<uint8_t> bytes = Bytes(CPacket(CString(L"")));
    ASSERT_EQ(bytes.size(), 81u);
    EXPECT_EQ(bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24, 77);
    CPacket received;
    ASSERT_TRUE(Receive(bytes, received));
    EXPECT_EQ(received.m_digest, L"d41d8cd98f00b204e9800998ecf8427e");
}

TEST(PacketTest, EveryConstructorRoundTripsAndTheReceiverOwnsItsData)
{
    const std::vector<BYTE> tiles = Pattern(3000);
    const std::vector<BYTE> piece = Pattern(1200);

    CPacket value(42u);
    EXPECT_EQ(value.m_type, 10);
    CPacket received;
    ASSERT_TRUE(Receive(Bytes(value), received));
    EXPECT_EQ(received.m_value, 42u);
    EXPECT_EQ(received.m_flag, 0u);

    CPacket block(tiles.data(), 9000, 3000, 77);
    EXPECT_EQ(block.m_data, tiles.data());   // the caller's until sent
    ASSERT_TRUE(Receive(Bytes(block), received));
    EXPECT_EQ(received.m_type, 12);
    EXPECT_EQ(received.m_rawSize, 9000u);
    EXPECT_EQ(received.m_sequence, 77u);
    ASSERT_EQ(received.m_dataLength, 3000u);
    EXPECT_NE(received.m_data, tiles.data());
    EXPECT_TRUE(std::equal(tiles.begin(), tiles.end(), received.m_data));

    CPacket chunk(3, 5, 2, CString(L"\uBCF4\uACE0\uC11C.hwp"), piece.data(), 1200);
    ASSERT_TRUE(Receive(Bytes(chunk), received));
    EXPECT_EQ(received.m_type, 9);
    EXPECT_EQ(received.m_transferKind, 3u);
    EXPECT_EQ(received.m_pieceCount, 5u);
    EXPECT_EQ(received.m_pieceNumber, 2u);
    EXPECT_EQ(received.m_fileName, L"\uBCF4\uACE0\uC11C.hwp");
    ASSERT_EQ(received.m_fileDataLength, 1200u);
    EXPECT_TRUE(std::equal(piece.begin(), piece.end(), received.m_fileData));
    EXPECT_EQ(received.m_data, nullptr);

    std::vector<KeyEntry> keyQueue = {{0x100, 0x2C, 1, 0}, {0x101, 0x2C, 1, 0xC000}};
    CPacket keys(std::move(keyQueue));
    ASSERT_TRUE(Receive(Bytes(keys), received));
    ASSERT_EQ(received.m_keys.size(), 2u);
    EXPECT_EQ(received.m_keys[1].message, 0x101);
    EXPECT_EQ(received.m_keys[1].flags, 0xC000u);

    CPacket mice(std::vector<MouseEntry>{{0x20A, 8, 100, -3, -120}});
    ASSERT_TRUE(Receive(Bytes(mice), received));
    ASSERT_EQ(received.m_mice.size(), 1u);
    EXPECT_EQ(received.m_mice[0].y, -3);
    EXPECT_EQ(received.m_mice[0].wheelDelta, -120);
    EXPECT_TRUE(received.m_keys.empty());
}

TEST(PacketTest, ImagePacketKeepsItsFieldsAndValueGRule)
{
    const std::vector<BYTE> jpeg = Pattern(500);
    CPacket image;
    image.m_type = 7;
    image.m_valueE = 1;
    image.m_valueG = 9;
    image.m_value = 31;
    image.m_rect = RECT{0, 0, 1366, 768};
    image.m_image = jpeg.data();
    image.m_imageLength = 500;
    const std::vector<uint8_t> withoutG = Bytes(image);
    image.m_valueE = 0;
    const std::vector<uint8_t> withG = Bytes(image);
    EXPECT_EQ(withG.size(), withoutG.size() + 4);

    CPacket received;
    ASSERT_TRUE(Receive(withoutG, received));
    EXPECT_EQ(received.m_valueG, 0u);
    EXPECT_EQ(received.m_value, 31u);
    EXPECT_EQ(received.m_rect.right, 1366);
    ASSERT_EQ(received.m_imageLength, 500u);
    EXPECT_TRUE(std::equal(jpeg.begin(), jpeg.end(), received.m_image));
    ASSERT_TRUE(Receive(withG, received));
    EXPECT_EQ(received.m_valueG, 9u);
}

TEST(PacketTest, CopyOwnsDuplicatesThatOutliveTheOriginalData)
{
    std::vector<BYTE> tiles = Pattern(64);
    CPacket* original = new CPacket(tiles.data(), 64, 64, 3);
    CPacket copy(*original);
    delete original;
    tiles.assign(64, 0);
    ASSERT_EQ(copy.m_dataLength, 64u);
    ASSERT_NE(copy.m_data, tiles.data());
    const std::vector<BYTE> expected = Pattern(64);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), copy.m_data));
    EXPECT_EQ(copy.m_type, 12);
    EXPECT_EQ(copy.m_sequence, 3u);

    CPacket received;
    CPacket chunk(1, 1, 0, CString(L"a.txt"), expected.data(), 64);
    ASSERT_TRUE(Receive(Bytes(chunk), received));
    const CPacket copyOfReceived(received);
    received.Reset();
    ExpectEmpty(received);
    EXPECT_EQ(copyOfReceived.m_fileName, L"a.txt");
    ASSERT_EQ(copyOfReceived.m_fileDataLength, 64u);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), copyOfReceived.m_fileData));

    CPacket text(CString(L"[KW00050]1"));
    const CPacket textCopy(text);
    EXPECT_EQ(textCopy.m_text, text.m_text);
    EXPECT_EQ(textCopy.m_digest, text.m_digest);
}

TEST(PacketTest, FailedLoadLeavesAnEmptyPacket)
{
    const std::vector<BYTE> tiles = Pattern(100);
    const std::vector<uint8_t> good = Bytes(CPacket(tiles.data(), 100, 100, 1));
    CPacket received;
    for (size_t size = 0; size < good.size() - kPacketHeaderSize; ++size) {
        ASSERT_TRUE(Receive(good, received));
        EXPECT_FALSE(received.LoadBody(good.data() + kPacketHeaderSize, size)) << size;
        ExpectEmpty(received);
    }
    const uint8_t typeSix[] = {6, 0, 0, 0, 0};
    EXPECT_FALSE(received.LoadBody(typeSix, sizeof typeSix));
    ExpectEmpty(received);
}

TEST(PacketTest, PacketsWithoutALayoutOrWithMissingDataAreNotSent)
{
    std::vector<uint8_t> bytes(4, 0xAA);
    for (int type : {0, 6, 13, 256 + 1, -1}) {
        CPacket packet;
        packet.m_type = type;
        EXPECT_FALSE(packet.ToBytes(bytes)) << type;
        EXPECT_TRUE(bytes.empty());
    }
    CPacket block(nullptr, 10, 10, 0);
    EXPECT_FALSE(block.ToBytes(bytes));
    CPacket empty(nullptr, 0, 0, 0);
    EXPECT_TRUE(empty.ToBytes(bytes));
}

TEST(PacketTest, HeaderCheckRefusesShortNegativeAndOversizedLengths)
{
    std::vector<uint8_t> bytes = Bytes(CPacket(5u));
    uint32_t bodySize = 0;
    ASSERT_TRUE(CPacket::CheckHeader(bytes.data(), bodySize));
    EXPECT_EQ(bodySize, 9u);
    for (uint32_t length : {0u, 4u, 0xFFFFFFFBu, kMaxPacketLength + 1}) {
        for (int n = 0; n < 4; ++n)
            bytes[4 + n] = static_cast<uint8_t>(length >> (8 * n));
        EXPECT_FALSE(CPacket::CheckHeader(bytes.data(), bodySize)) << length;
    }
    bytes[4] = 13;
    bytes[5] = bytes[6] = bytes[7] = 0;
    bytes[0] = 0x9F;
    EXPECT_FALSE(CPacket::CheckHeader(bytes.data(), bodySize));
}
