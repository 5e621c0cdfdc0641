#include "foundation/core/DirectoryChain.h"
#include "foundation/core/TextLists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::wstring>;

Pieces Split(const std::wstring& text, const std::wstring& delimiter)
{
    Pieces pieces{L"left over"};
    SplitText(text, delimiter, pieces);
    return pieces;
}

TEST(UtilTextListsTest, SplitKeepsTheLastPieceAndDropsQuotes)
{
    EXPECT_EQ(Split(L"a,b,", L","), (Pieces{L"a", L"b", L""}));
    EXPECT_EQ(Split(L"a,b", L","), (Pieces{L"a", L"b"}));
    EXPECT_EQ(Split(L",", L","), (Pieces{L"", L""}));
    EXPECT_EQ(Split(L"\"x\",\"y z\"", L","), (Pieces{L"x", L"y z"}));
    EXPECT_EQ(Split(L"a||b", L"||"), (Pieces{L"a", L"b"}));
    EXPECT_EQ(Split(L"", L","), Pieces{});
    EXPECT_EQ(Split(L"\"\"", L","), Pieces{});
    EXPECT_EQ(Split(L"abc", L""), Pieces{L"abc"});
}

TEST(UtilTextListsTest, SplitOnLineBreaksTreatsCrLfAsLf)
{
    EXPECT_EQ(Split(L"one\r\ntwo\r\nthree", L"\r\n"), (Pieces{L"one", L"two", L"three"}));
    EXPECT_EQ(Split(L"one\r\ntwo\nthree\r\n", L"\n"), (Pieces{L"one", L"two", L"three", L""}));
    // Other delimiters leave carriage returns alone.
    EXPECT_EQ(Split(L"a\r\n,b", L","), (Pieces{L"a\r\n", L"b"}));
}

TEST(UtilTextListsTest, LineListAddsOnceAndRemovesEveryCopy)
{
    std::wstring list;
    AddLineToList(list, L"C:\\a");
    AddLineToList(list, L"C:\\b");
    EXPECT_EQ(list, L"C:\\a\nC:\\b");
    AddLineToList(list, L"C:\\a");
    EXPECT_EQ(list, L"C:\\a\nC:\\b");

    std::wstring padded = L"  C:\\a \nC:\\b";
    AddLineToList(padded, L"C:\\a");
    EXPECT_EQ(padded, L"  C:\\a \nC:\\b");

    std::wstring repeated = L"x\n\ny\nx\nz\nx";
    RemoveLineFromList(repeated, L"x");
    EXPECT_EQ(repeated, L"y\nz");
    RemoveLineFromList(repeated, L"y");
    RemoveLineFromList(repeated, L"z");
    EXPECT_EQ(repeated, L"");
    RemoveLineFromList(repeated, L"z");
    EXPECT_EQ(repeated, L"");
}

TEST(UtilTextListsTest, WordFlagIsAddedOnceAndMatchesWholeWordsOnly)
{
    std::wstring flags;
    EXPECT_TRUE(AddWordFlag(flags, L"HIGHDPIAWARE"));
    EXPECT_EQ(flags, L"HIGHDPIAWARE");
    EXPECT_FALSE(AddWordFlag(flags, L"HIGHDPIAWARE"));
    EXPECT_EQ(flags, L"HIGHDPIAWARE");

    std::wstring other = L"~ RUNASADMIN";
    EXPECT_TRUE(AddWordFlag(other, L"HIGHDPIAWARE"));
    EXPECT_EQ(other, L"~ RUNASADMIN HIGHDPIAWARE");

    std::wstring longer = L"HIGHDPIAWAREX";
    EXPECT_TRUE(AddWordFlag(longer, L"HIGHDPIAWARE"));
    EXPECT_EQ(longer, L"HIGHDPIAWAREX HIGHDPIAWARE");
}

TEST(UtilTextListsTest, DirectoryChainResolvesDotsSlashesAndTheDrive)
{
    using Chain = std::vector<std::wstring>;
    EXPECT_EQ(DirectoryChain(L"C:\\Users\\t\\Desktop\\NoteSave"),
              (Chain{L"C:\\Users", L"C:\\Users\\t", L"C:\\Users\\t\\Desktop", L"C:\\Users\\t\\Desktop\\NoteSave"}));
    EXPECT_EQ(DirectoryChain(L"C:/a/./b/../c/"), (Chain{L"C:\\a", L"C:\\a\\c"}));
    EXPECT_EQ(DirectoryChain(L"C:\\..\\a"), (Chain{L"C:\\a"}));
    EXPECT_EQ(DirectoryChain(L"\\\\server\\share\\a\\b"), (Chain{L"\\\\server\\share\\a", L"\\\\server\\share\\a\\b"}));
    EXPECT_EQ(DirectoryChain(L"\\top\\sub"), (Chain{L"\\top", L"\\top\\sub"}));
    EXPECT_EQ(DirectoryChain(L"rel\\sub"), (Chain{L"rel", L"rel\\sub"}));
    EXPECT_EQ(DirectoryChain(L"C:"), Chain{});
    EXPECT_EQ(DirectoryChain(L""), Chain{});
}

} // namespace
