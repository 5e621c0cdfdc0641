#include "framework/Afx.h"

#include <gtest/gtest.h>

TEST(CStringTest, FormatsWideStringsAndGrowsPastTheFirstBuffer)
{
    CString text;
    text.Format(L"[%s]%d,%d", L"KW00004", 1, -2);
    EXPECT_EQ(text, L"[KW00004]1,-2");

    CString longText;
    longText.Format(L"%s%s", std::wstring(300, L'a').c_str(), std::wstring(300, L'b').c_str());
    EXPECT_EQ(longText.GetLength(), 600);
    EXPECT_EQ(longText.Right(1), L"b");
}

TEST(CStringTest, SlicesClampOutOfRangeArguments)
{
    CString text(L"abcdef");
    EXPECT_EQ(text.Mid(2, 2), L"cd");
    EXPECT_EQ(text.Mid(10), L"");
    EXPECT_EQ(text.Mid(-3, 2), L"ab");
    EXPECT_EQ(text.Left(100), L"abcdef");
    EXPECT_EQ(text.Right(-1), L"");
    EXPECT_EQ(text.Find(L'z'), -1);
    EXPECT_EQ(text.Find(L"cd", 1), 2);
    EXPECT_EQ(text.Find(L'a', 6), -1);
}

TEST(CStringTest, ReplaceTrimAndTokenize)
{
    CString text(L"  a&comma;b&comma;c \r\n");
    text.Trim();
    EXPECT_EQ(text.Replace(L"&comma;", L","), 2);
    EXPECT_EQ(text, L"a,b,c");

    int start = 0;
    CString first = text.Tokenize(L",", start);
    CString second = text.Tokenize(L",", start);
    CString third = text.Tokenize(L",", start);
    CString none = text.Tokenize(L",", start);
    EXPECT_EQ(first, L"a");
    EXPECT_EQ(second, L"b");
    EXPECT_EQ(third, L"c");
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(start, -1);
}

TEST(CStringTest, BufferReleaseTakesTheTextUpToTheTerminator)
{
    CString text;
    wchar_t* buffer = text.GetBuffer(16);
    wcscpy(buffer, L"hello");
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 5);
    EXPECT_EQ(text, L"hello");
}

TEST(CStringTest, AnsiTextIsConverted)
{
    CString text("plain ascii");
    EXPECT_EQ(text, L"plain ascii");
    EXPECT_EQ(CString(L"Ab").CompareNoCase(L"aB"), 0);
}
