#include "foundation/Md5Digest.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Md5DigestTest, AppendsTheLowerCaseDigestOfNothing)
{
    CMd5Digest md5;
    EXPECT_FALSE(md5.UsesSoftware());
    CString text(L"digest:");
    const BYTE none = 0;
    ASSERT_TRUE(md5.Update(&none, 0));
    ASSERT_TRUE(md5.GetHexDigest(text));
    EXPECT_EQ(text, L"digest:d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Md5DigestTest, RefusesADigestThatWasNeverStarted)
{
    CMd5Digest md5;
    CString text;
    EXPECT_FALSE(md5.GetHexDigest(text));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(Md5DigestTest, PiecesAndReuseGiveTheSameDigestsAsOurOwnMd5)
{
    std::vector<BYTE> data(3000);
    for (size_t n = 0; n < data.size(); ++n)
        data[n] = static_cast<BYTE>(n * 13 + n / 256);

    CMd5Digest md5;
    for (size_t length : {1u, 64u, 1000u, 3000u}) {
        for (size_t at = 0; at < length; at += 700)
            ASSERT_TRUE(md5.Update(data.data() + at, static_cast<DWORD>(std::min<size_t>(700, length - at))));
        CString text;
        ASSERT_TRUE(md5.GetHexDigest(text));
        EXPECT_EQ(text, CString(Md5Hex(data.data(), length).c_str())) << length;
    }
}

TEST(Md5DigestTest, CommandDigestCoversTheFirstNBytes)
{
    const CString command(L"[KW10002]");
    CMd5Digest md5;
    CString text;
    ASSERT_TRUE(md5.Update(reinterpret_cast<const BYTE*>(command.GetString()), command.GetLength()));
    ASSERT_TRUE(md5.GetHexDigest(text));
    EXPECT_EQ(text, L"b184fdfb88bd2eabf59bcf9794e87682");
}
