#include "framework/MemFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

TEST(MemFileTest, GrowsAsWrittenAndDetachesItsContent)
{
    CMemFile file(16);
    std::vector<BYTE> data(100);
    for (size_t n = 0; n < data.size(); ++n)
        data[n] = static_cast<BYTE>(n);
    for (size_t at = 0; at < data.size(); at += 7)
        ASSERT_TRUE(file.Write(data.data() + at, static_cast<UINT>(std::min<size_t>(7, data.size() - at))));
    EXPECT_EQ(file.GetLength(), 100u);
    EXPECT_EQ(file.GetPosition(), 100u);

    file.SeekToBegin();
    std::vector<BYTE> back(120);
    EXPECT_EQ(file.Read(back.data(), 120), 100u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin()));

    BYTE* buffer = file.Detach();
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(std::memcmp(buffer, data.data(), data.size()), 0);
    std::free(buffer);
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_TRUE(file.Write("x", 1));
}

TEST(MemFileTest, APacketWrittenInSmallPiecesMovesItsBufferOnlyAFewTimes)
{
    CMemFile file;   // 1 KB steps
    const std::vector<BYTE> kilobyte(1024, 0x5A);
    int moves = 0;
    for (SIZE_T size = file.GetBufferSize(); file.GetLength() < 307200; ) {
        ASSERT_TRUE(file.Write(kilobyte.data(), 1000));
        if (file.GetBufferSize() != size) {
            ++moves;
            size = file.GetBufferSize();
            EXPECT_EQ(size % 1024, 0u);
        }
    }
    EXPECT_LE(moves, 10);
    EXPECT_LE(file.GetBufferSize(), 2 * file.GetLength() + 1024);
}

TEST(MemFileTest, SeekingPastTheEndLeavesZerosAndBeforeTheStartIsRefused)
{
    CMemFile file;
    ASSERT_TRUE(file.Write("ab", 2));
    EXPECT_EQ(file.Seek(3, CMemFile::current), 5);
    ASSERT_TRUE(file.Write("c", 1));
    EXPECT_EQ(file.GetLength(), 6u);
    EXPECT_EQ(std::memcmp(file.GetBuffer(), "ab\0\0\0c", 6), 0);

    EXPECT_EQ(file.Seek(-7, CMemFile::end), -1);
    EXPECT_EQ(file.GetPosition(), 6u);
    EXPECT_EQ(file.Seek(1, 7), -1);
    EXPECT_EQ(file.Seek(0x7FFFFFFFFFFFFFFFLL, CMemFile::current), -1);
    EXPECT_EQ(file.Read(nullptr, 0), 0u);
}

TEST(MemFileTest, AnAttachedBufferStaysTheCallersWhenTheFileGrows)
{
    BYTE outside[4] = {'w', 'x', 'y', 'z'};
    CMemFile fixed(outside, 4);
    fixed.SeekToEnd();
    EXPECT_FALSE(fixed.Write("!", 1));

    CMemFile growing(outside, 4, 8);
    growing.SeekToEnd();
    ASSERT_TRUE(growing.Write("!", 1));
    EXPECT_EQ(growing.GetLength(), 5u);
    EXPECT_NE(growing.GetBuffer(), outside);
    EXPECT_EQ(std::memcmp(growing.GetBuffer(), "wxyz!", 5), 0);
    EXPECT_EQ(outside[0], 'w');
}
