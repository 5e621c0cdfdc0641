#include "foundation/core/Md5.h"
#include "foundation/core/Rc4.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Hex(const std::string& text)
{
    return Md5Hex(text.data(), text.size());
}

} // namespace

TEST(Md5Test, MatchesTheReferenceVectors)
{
    EXPECT_EQ(Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(Hex("1234567890123456789012345678901234567890"
                  "1234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5Test, PiecewiseUpdatesAcrossBlockEdgesGiveTheOneShotDigest)
{
    std::string data;
    for (int n = 0; n < 1000; ++n)
        data += static_cast<char>(n * 7 + 3);
    // Lengths around the 56-byte padding edge and the 64-byte block edge.
    for (size_t length : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 1000u}) {
        const std::string whole = Md5Hex(data.data(), length);
        for (size_t piece : {1u, 3u, 63u, 64u, 65u}) {
            CMd5 md5;
            for (size_t at = 0; at < length; at += piece)
                md5.Update(data.data() + at, std::min(piece, length - at));
            const Md5Digest digest = md5.Final();
            EXPECT_EQ(HexLower(digest.data(), digest.size()), whole) << length << "/" << piece;
        }
    }
}

TEST(Md5Test, FinalStartsAFreshDigest)
{
    CMd5 md5;
    md5.Update("abc", 3);
    md5.Final();
    const Md5Digest empty = md5.Final();
    EXPECT_EQ(HexLower(empty.data(), empty.size()), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Md5Test, PacketKeyIsTheDigestOfThePasswordInUtf16)
{
    const auto key = InitPacketKeyDigest();
    EXPECT_EQ(HexLower(key.data(), key.size()), "fcd637e428a178fd7218673edff2e7fb");
    EXPECT_EQ(Md5Hex(kPacketPassword, sizeof kPacketPassword), "fcd637e428a178fd7218673edff2e7fb");
    EXPECT_EQ(PacketKeyDigest(), key);
}
