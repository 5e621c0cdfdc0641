#include "ui/core/TextFit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// 10 pixels a character, 2 for a dot; records what it was asked to measure.
struct FakeMeasure {
    std::vector<std::wstring> asked;
    int operator()(const wchar_t* text, size_t count)
    {
        asked.emplace_back(text, count);
        int width = 0;
        for (size_t i = 0; i < count; ++i)
            width += text[i] == L'.' ? 2 : 10;
        return width;
    }
};

std::wstring Fit(const std::wstring& text, int width, FakeMeasure& measure)
{
    return FitTextWithEllipsis(text, width, [&](const wchar_t* t, size_t n) { return measure(t, n); });
}

TEST(ListTextFitTest, TextThatFitsExactlyIsUnchanged)
{
    FakeMeasure measure;
    EXPECT_EQ(Fit(L"abcde", 50, measure), L"abcde");
    EXPECT_EQ(measure.asked.size(), 1u);
    EXPECT_EQ(Fit(L"", 0, measure), L"");
}

TEST(ListTextFitTest, TooWideTextKeepsTheLongestStartThatFitsWithDots)
{
    FakeMeasure measure;
    EXPECT_EQ(Fit(L"abcdefghij", 46, measure), L"abcd...");   // 40 + 6
    EXPECT_EQ(Fit(L"abcdefghij", 45, measure), L"abc...");
    EXPECT_EQ(Fit(L"abcdefghij", 99, measure), L"abcdefghi...");
    // "..." is measured as its three characters.
    bool measuredDots = false;
    for (const std::wstring& asked : measure.asked)
        measuredDots = measuredDots || asked == L"...";
    EXPECT_TRUE(measuredDots);
}

TEST(ListTextFitTest, ColumnNarrowerThanTheDotsGivesTheDotsAlone)
{
    FakeMeasure measure;
    EXPECT_EQ(Fit(L"abc", 5, measure), L"...");
    EXPECT_EQ(Fit(L"abc", 0, measure), L"...");
    EXPECT_EQ(Fit(L"abc", -20, measure), L"...");
}

TEST(ListTextFitTest, LongTextsAreCutWithoutLimit)
{
    FakeMeasure measure;
    const std::wstring longText(5000, L'x');
    const std::wstring fitted = Fit(longText, 30006, measure);
    EXPECT_EQ(fitted, std::wstring(3000, L'x') + L"...");
}

TEST(ListTextFitTest, ASurrogatePairIsNeverSplit)
{
    if (sizeof(wchar_t) != 2)
        GTEST_SKIP() << "wchar_t is not UTF-16 here";
    FakeMeasure measure;
    std::wstring text = L"ab";
    text += static_cast<wchar_t>(0xD83D);
    text += static_cast<wchar_t>(0xDE00);
    text += L"cd";
    // Room for "ab", the high half and the dots: the high half alone must not stay.
    EXPECT_EQ(Fit(text, 36, measure), L"ab...");
}

} // namespace
