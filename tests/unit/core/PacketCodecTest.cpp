#include "core/PacketSamples.h"

#include "foundation/core/Md5.h"
#include "foundation/core/PacketAssembler.h"
#include "foundation/core/Rc4.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using packet_samples::EveryType;
using packet_samples::Text;

std::vector<uint8_t> Encode(const PacketFields& p, uint8_t tick = 0x5A)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(EncodePacket(p, tick, SoftwareTextCipher, bytes)) << int(p.type);
    return bytes;
}

uint32_t LengthField(const std::vector<uint8_t>& bytes)
{
    return uint32_t(bytes[4]) | uint32_t(bytes[5]) << 8 | uint32_t(bytes[6]) << 16 |
           uint32_t(bytes[7]) << 24;
}

class BodyBuilder {
public:
    explicit BodyBuilder(uint8_t type) { m_bytes.push_back(type); }
    BodyBuilder& U16(uint16_t v)
    {
        m_bytes.push_back(uint8_t(v));
        m_bytes.push_back(uint8_t(v >> 8));
        return *this;
    }
    BodyBuilder& U32(uint32_t v)
    {
        for (int s = 0; s < 32; s += 8)
            m_bytes.push_back(uint8_t(v >> s));
        return *this;
    }
    BodyBuilder& Zeros(size_t count)
    {
        m_bytes.insert(m_bytes.end(), count, 0);
        return *this;
    }
    BodyBuilder& Bytes(std::vector<uint8_t> bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // Decoded from a buffer of exactly its size, so any read past it is caught by the sanitizers.
    bool Decode(PacketFields& out) const
    {
        std::vector<uint8_t> exact(m_bytes);
        return DecodePacketBody(exact.data(), exact.size(), SoftwareTextCipher, out);
    }

private:
    std::vector<uint8_t> m_bytes;
};

PacketFields Garbage()
{
    PacketFields p = Text(u"left over");
    p.value = 7;
    p.keys.resize(3);
    return p;
}

} // namespace

TEST(PacketCodecTest, EveryTypeRoundTripsWithAllItsFields)
{
    for (const PacketFields& sent : EveryType()) {
        const std::vector<uint8_t> bytes = Encode(sent, sent.type * 19);
        EXPECT_EQ(LengthField(bytes), bytes.size() - 4);
        EXPECT_EQ(bytes[8], sent.type);
        PacketFields received;
        ASSERT_TRUE(DecodePacket(bytes.data(), bytes.size(), SoftwareTextCipher, received))
            << int(sent.type);
        EXPECT_TRUE(SamePacketFields(sent, received)) << int(sent.type);
    }
}

TEST(PacketCodecTest, EveryTruncationFailsAndLeavesAnEmptyPacket)
{
    for (const PacketFields& sent : EveryType()) {
        const std::vector<uint8_t> bytes = Encode(sent);
        for (size_t size = 0; size < bytes.size(); ++size) {
            std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + size);
            PacketFields out = Garbage();
            EXPECT_FALSE(DecodePacket(cut.data(), cut.size(), SoftwareTextCipher, out))
                << int(sent.type) << " at " << size;
            EXPECT_TRUE(SamePacketFields(out, PacketFields())) << int(sent.type) << " at " << size;

            if (size < kPacketHeaderSize)
                continue;
            // The body alone, cut short: every payload byte is needed.
            std::vector<uint8_t> body(bytes.begin() + kPacketHeaderSize, bytes.begin() + size);
            out = Garbage();
            EXPECT_FALSE(DecodePacketBody(body.data(), body.size(), SoftwareTextCipher, out));
            EXPECT_TRUE(SamePacketFields(out, PacketFields()));
        }
    }
}

TEST(PacketCodecTest, EmptyCommandIsEightyOneBytes)
{
    const std::vector<uint8_t> bytes = Encode(Text(u""));
    ASSERT_EQ(bytes.size(), 81u);
    EXPECT_EQ(LengthField(bytes), 77u);
    EXPECT_EQ(bytes[9], 32);                        // digest characters
    EXPECT_EQ(bytes[9 + 4], 'd');                   // MD5 of nothing: d41d8cd9...
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 4, bytes.end()), std::vector<uint8_t>(4, 0));

    PacketFields received;
    ASSERT_TRUE(DecodePacket(bytes.data(), bytes.size(), SoftwareTextCipher, received));
    EXPECT_EQ(received.text, u"");
    EXPECT_EQ(received.digest, u"d41d8cd98f00b204e9800998ecf8427e");
}

TEST(PacketCodecTest, CommandDigestCoversHalfTheTextAndTheTextIsEnciphered)
{
    const PacketFields p = Text(u"[KW10002]");
    EXPECT_EQ(p.digest, u"b184fdfb88bd2eabf59bcf9794e87682");

    const std::vector<uint8_t> bytes = Encode(p);
    const size_t cipherAt = 9 + 4 + 64;
    EXPECT_EQ(bytes[cipherAt], 18);
    EXPECT_EQ(HexLower(bytes.data() + cipherAt + 4, 18), "0e11432149b7555c511cf58918516e4682da");
    EXPECT_EQ(bytes.size(), cipherAt + 4 + 18);
}

TEST(PacketCodecTest, MagicFollowsTheTickAndAnyOtherStartIsRefused)
{
    for (int tick = 0; tick < 256; ++tick) {
        uint8_t header[kPacketHeaderSize] = {0, 0, 0, 0, 5, 0, 0, 0};
        MakePacketMagic(static_cast<uint8_t>(tick), header);
        for (int n = 0; n < 3; ++n) {
            EXPECT_GE(header[n], 0xA0);
            EXPECT_LE(header[n], 0xAF);
        }
        EXPECT_EQ(header[3], tick);
        uint32_t bodySize = 0;
        EXPECT_TRUE(CheckPacketHeader(header, bodySize));
        EXPECT_EQ(bodySize, 1u);
        for (int n = 0; n < 3; ++n) {
            uint8_t bad[kPacketHeaderSize];
            std::copy(header, header + kPacketHeaderSize, bad);
            bad[n] ^= 0x01;
            EXPECT_FALSE(CheckPacketHeader(bad, bodySize)) << tick << " byte " << n;
        }
    }
}

TEST(PacketCodecTest, LengthFieldMustHoldATypeByteAndStayUnderTheCap)
{
    const auto check = [](uint32_t length, uint32_t& bodySize) {
        uint8_t header[kPacketHeaderSize];
        MakePacketMagic(0x37, header);
        for (int n = 0; n < 4; ++n)
            header[4 + n] = static_cast<uint8_t>(length >> (8 * n));
        return CheckPacketHeader(header, bodySize);
    };
    uint32_t bodySize = 1;
    for (uint32_t length : {0u, 1u, 4u, 0x80000000u, 0xFFFFFFFFu, kMaxPacketLength + 1}) {
        EXPECT_FALSE(check(length, bodySize)) << length;
        EXPECT_EQ(bodySize, 0u);
    }
    EXPECT_TRUE(check(5, bodySize));
    EXPECT_EQ(bodySize, 1u);
    EXPECT_TRUE(check(kMaxPacketLength, bodySize));
    EXPECT_EQ(bodySize, kMaxPacketLength - 4);
}

namespace {

// Feeds the bytes as a connection gives them, each read as large as the assembler asks; returns
// the state and how many bytes it took.
CPacketAssembler::State Feed(CPacketAssembler& inbox, const std::vector<uint8_t>& bytes, size_t& taken)
{
    taken = 0;
    while (taken < bytes.size()) {
        size_t room = 0;
        uint8_t* space = inbox.Space(room);
        if (!space)
            break;
        room = std::min(room, bytes.size() - taken);
        std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(taken),
                  bytes.begin() + static_cast<std::ptrdiff_t>(taken + room), space);
        taken += room;
        if (inbox.Commit(room) == CPacketAssembler::State::Refused)
            break;
    }
    return inbox.GetState();
}

} // namespace

TEST(PacketCodecTest, ALimitedAssemblerRefusesOtherTypesAndLongTextsBeforeTheirBody)
{
    const uint32_t limit = TextPacketLength(100);
    size_t taken = 0;
    {
        CPacketAssembler inbox;
        inbox.Limit(kPacketText, limit);
        const std::vector<uint8_t> hello = Encode(Text(u"[PC00002]1,kim,0,0,0,0,false,x"));
        EXPECT_EQ(Feed(inbox, hello, taken), CPacketAssembler::State::Whole);
        EXPECT_EQ(taken, hello.size());
        inbox.Clear();
        const std::vector<uint8_t> longest = Encode(Text(std::u16string(100, u'a')));
        EXPECT_EQ(LengthField(longest), limit);
        EXPECT_EQ(Feed(inbox, longest, taken), CPacketAssembler::State::Whole);
        inbox.Clear();
        // One character more: refused by its header alone.
        EXPECT_EQ(Feed(inbox, Encode(Text(std::u16string(101, u'a'))), taken), CPacketAssembler::State::Refused);
        EXPECT_EQ(taken, kPacketHeaderSize);
    }
    for (const PacketFields& other : EveryType()) {
        if (other.type == kPacketText)
            continue;
        CPacketAssembler inbox;
        inbox.Limit(kPacketText, limit);
        const std::vector<uint8_t> bytes = Encode(other);
        if (LengthField(bytes) > limit)
            continue;   // refused by its header, as above
        // The header and the type byte, never a byte of the body.
        EXPECT_EQ(Feed(inbox, bytes, taken), CPacketAssembler::State::Refused) << int(other.type);
        EXPECT_EQ(taken, kPacketHeaderSize + 1) << int(other.type);
    }
    // Without a limit a packet of any type up to the cap is taken.
    CPacketAssembler inbox;
    EXPECT_EQ(Feed(inbox, Encode(EveryType().back()), taken), CPacketAssembler::State::Whole);
}

TEST(PacketCodecTest, TypesWithoutALayoutAreRefusedBothWays)
{
    for (int type : {0, 6, 13, 255}) {
        PacketFields p;
        p.type = static_cast<uint8_t>(type);
        std::vector<uint8_t> bytes(3, 1);
        EXPECT_FALSE(EncodePacket(p, 0, SoftwareTextCipher, bytes)) << type;
        EXPECT_TRUE(bytes.empty());

        PacketFields out = Garbage();
        EXPECT_FALSE(BodyBuilder(static_cast<uint8_t>(type)).Zeros(64).Decode(out)) << type;
        EXPECT_EQ(out.type, 0);
    }
    PacketFields out;
    EXPECT_FALSE(DecodePacketBody(nullptr, 0, SoftwareTextCipher, out));
}

TEST(PacketCodecTest, CountsBeyondTheBytesPresentAreRefusedBeforeAllocating)
{
    PacketFields out;
    // Text: digest count, then cipher length.
    EXPECT_FALSE(BodyBuilder(1).U32(0xFFFFFFFF).Zeros(8).Decode(out));
    EXPECT_FALSE(BodyBuilder(1).U32(0x80000000).Zeros(8).Decode(out));
    EXPECT_FALSE(BodyBuilder(1).U32(0).U32(0xFFFFFFFF).Zeros(8).Decode(out));
    EXPECT_FALSE(BodyBuilder(1).U32(0).U32(9).Zeros(8).Decode(out));
    // Key and mouse entries: one entry short, and absurd counts.
    EXPECT_TRUE(BodyBuilder(4).U32(2).Zeros(28).Decode(out));
    EXPECT_FALSE(BodyBuilder(4).U32(2).Zeros(27).Decode(out));
    EXPECT_FALSE(BodyBuilder(4).U32(0x40000000).Zeros(14).Decode(out));
    EXPECT_TRUE(BodyBuilder(5).U32(2).Zeros(32).Decode(out));
    EXPECT_FALSE(BodyBuilder(5).U32(2).Zeros(31).Decode(out));
    EXPECT_FALSE(BodyBuilder(5).U32(0xFFFFFFFF).Zeros(16).Decode(out));
    // Record byte vectors.
    EXPECT_FALSE(BodyBuilder(3).Zeros(28).U16(0xFFFF).Zeros(4).Decode(out));
    EXPECT_FALSE(BodyBuilder(3).Zeros(28).U16(0).U16(3).Zeros(2).Decode(out));
    // Image, file name, file data, sound, tile blocks.
    EXPECT_FALSE(BodyBuilder(7).Zeros(48).U32(0xFFFFFFF0).Zeros(8).Decode(out));
    EXPECT_FALSE(BodyBuilder(9).Zeros(12).U32(0x7FFFFFFF).Zeros(8).Decode(out));
    EXPECT_FALSE(BodyBuilder(9).Zeros(12).U32(0).U32(100).Zeros(99).Decode(out));
    EXPECT_FALSE(BodyBuilder(11).U32(0).U32(5).Zeros(4).Decode(out));
    EXPECT_FALSE(BodyBuilder(12).U32(0).U32(0xFFFFFFFF).U32(0).Zeros(4).Decode(out));
    EXPECT_FALSE(BodyBuilder(8).U32(0).U32(0).U32(2).U32(0).Zeros(1).Decode(out));
    EXPECT_EQ(out.type, 0);
}

TEST(PacketCodecTest, OddCipherLengthEndsInALowByteCharacter)
{
    std::vector<uint8_t> cipher = {'O', 0, 'K', 0, '!'};
    Rc4Crypt(cipher.data(), cipher.data(), cipher.size());
    PacketFields out;
    ASSERT_TRUE(BodyBuilder(1).U32(0).U32(5).Bytes(cipher).Decode(out));
    EXPECT_EQ(out.text, u"OK!");

    cipher = {'A'};
    Rc4Crypt(cipher.data(), cipher.data(), cipher.size());
    ASSERT_TRUE(BodyBuilder(1).U32(0).U32(1).Bytes(cipher).Decode(out));
    EXPECT_EQ(out.text, u"A");
}

TEST(PacketCodecTest, ReceivedTextsEndAtTheirFirstZeroCharacter)
{
    PacketFields text = Text(std::u16string(u"[KW00001]ab\0cd", 14));
    PacketFields out;
    std::vector<uint8_t> bytes = Encode(text);
    ASSERT_TRUE(DecodePacket(bytes.data(), bytes.size(), SoftwareTextCipher, out));
    EXPECT_EQ(out.text, u"[KW00001]ab");

    PacketFields chunk = EveryType()[7];
    ASSERT_EQ(chunk.type, kPacketFileChunk);
    chunk.fileName = std::u16string(u"a.txt\0..\\evil", 13);
    bytes = Encode(chunk);
    ASSERT_TRUE(DecodePacket(bytes.data(), bytes.size(), SoftwareTextCipher, out));
    EXPECT_EQ(out.fileName, u"a.txt");
}

TEST(PacketCodecTest, ValueGTravelsOnlyWhileValueEIsZero)
{
    PacketFields withG = EveryType()[5];
    ASSERT_EQ(withG.type, kPacketImage);
    PacketFields withoutG = withG;
    withoutG.valueE = 1;
    const std::vector<uint8_t> longer = Encode(withG);
    const std::vector<uint8_t> shorter = Encode(withoutG);
    EXPECT_EQ(longer.size(), shorter.size() + 4);

    PacketFields out;
    ASSERT_TRUE(DecodePacket(shorter.data(), shorter.size(), SoftwareTextCipher, out));
    EXPECT_EQ(out.valueG, 0u);
    EXPECT_EQ(out.image.size, withG.image.size);
    EXPECT_EQ(out.value, 99u);
    ASSERT_TRUE(DecodePacket(longer.data(), longer.size(), SoftwareTextCipher, out));
    EXPECT_EQ(out.valueG, 7u);
}

TEST(PacketCodecTest, CipherFailureSendsNothingAndReceivesNothing)
{
    const auto failing = [](uint8_t*, size_t) { return false; };
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(EncodePacket(Text(u"[KW00050]secret"), 0, failing, bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(EncodePacket(Text(u"[KW00050]secret"), 0, TextCipher(), bytes));
    EXPECT_TRUE(bytes.empty());

    bytes = Encode(Text(u"[KW00050]secret"));
    PacketFields out;
    EXPECT_FALSE(DecodePacket(bytes.data(), bytes.size(), failing, out));
    EXPECT_EQ(out.type, 0);
    EXPECT_TRUE(out.digest.empty());
}

TEST(PacketCodecTest, FieldsTooLargeForTheWireAreRefused)
{
    PacketFields record = EveryType()[2];
    ASSERT_EQ(record.type, kPacketRecord);
    record.recordA.size = 0x10000;   // never read: refused by its size alone
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(EncodePacket(record, 0, SoftwareTextCipher, bytes));

    PacketFields block = EveryType()[10];
    ASSERT_EQ(block.type, kPacketScreenBlock);
    block.data.size = kMaxPacketLength - 16;
    EXPECT_FALSE(EncodePacket(block, 0, SoftwareTextCipher, bytes));
    EXPECT_TRUE(bytes.empty());
}
