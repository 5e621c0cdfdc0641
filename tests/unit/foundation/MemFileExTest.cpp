#include "foundation/MemFileEx.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

TEST(MemFileExTest, ReadsTheBufferItTookAndCannotGrow)
{
    BYTE* buffer = static_cast<BYTE*>(std::malloc(6));
    std::memcpy(buffer, "abcdef", 6);
    CMemFileEx file(buffer, 6);
    EXPECT_EQ(file.GetLength(), 6u);

    char text[8] = {};
    EXPECT_EQ(file.Read(text, 4), 4u);
    EXPECT_STREQ(text, "abcd");
    EXPECT_EQ(file.Read(text, 4), 2u);
    EXPECT_EQ(file.Read(text, 4), 0u);

    EXPECT_EQ(file.Seek(-2, CMemFile::end), 4);
    EXPECT_TRUE(file.Write("XY", 2));       // in place, no growth
    EXPECT_FALSE(file.Write("Z", 1));       // would grow
    EXPECT_EQ(file.GetLength(), 6u);
    EXPECT_EQ(std::memcmp(file.GetBuffer(), "abcdXY", 6), 0);
}
