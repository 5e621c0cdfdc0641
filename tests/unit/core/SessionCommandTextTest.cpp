#include "sessions/core/ChatLineRules.h"
#include "sessions/core/CommandText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::u16string>;

TEST(SessionCommandTextTest, TagIsTheFirstNineCharactersComparedExactly)
{
    EXPECT_TRUE(IsTag(u"[PC00003]tail", u"[PC00003]"));
    EXPECT_FALSE(IsTag(u"[pc00003]", u"[PC00003]"));
    EXPECT_FALSE(IsTag(u"[PC0000", u"[PC0000"));    // a short tag never matches a short text
    EXPECT_EQ(ArgumentsOf(u"[PC00004]1,2"), u"1,2");
    EXPECT_EQ(ArgumentsOf(u"[PC0"), u"");
}

TEST(SessionCommandTextTest, SplitCountsEveryFieldButStoresOnlyTheCap)
{
    Fields fields;
    EXPECT_EQ(SplitFields(u"", u',', 4, fields), 1u);
    EXPECT_EQ(fields, Fields{u""});
    EXPECT_EQ(SplitFields(u"a,,b,", u',', 4, fields), 4u);
    EXPECT_EQ(fields, (Fields{u"a", u"", u"b", u""}));
    EXPECT_EQ(SplitFields(u"1|2|3", u'|', 2, fields), 3u);
    EXPECT_EQ(fields, (Fields{u"1", u"2"}));

    // A text of many separators costs no more than the cap.
    std::u16string flood(100000, u',');
    EXPECT_EQ(SplitFields(flood, u',', kMaxCommandFields, fields), 100001u);
    EXPECT_EQ(fields.size(), kMaxCommandFields);

    EXPECT_TRUE(SplitExactly(u"a,b", 2, fields));
    EXPECT_FALSE(SplitExactly(u"a,b,c", 2, fields));
    EXPECT_TRUE(fields.empty());
    EXPECT_FALSE(SplitExactly(u"a", 2, fields));
}

TEST(SessionCommandTextTest, LeadingIntReadsLikeAtoiAndSaturates)
{
    EXPECT_EQ(ParseLeadingInt(u"  -17px"), -17);
    EXPECT_EQ(ParseLeadingInt(u"+8"), 8);
    EXPECT_EQ(ParseLeadingInt(u"x1"), 0);
    EXPECT_EQ(ParseLeadingInt(u"-"), 0);
    EXPECT_EQ(ParseLeadingInt(u"99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt(u"-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseLeadingInt(u"-2147483648"), INT_MIN);
}

TEST(SessionCommandTextTest, StrictDecimalTakesOnlyDigitsThatFit)
{
    int value = -5;
    EXPECT_TRUE(ParseDecimal(u"0", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(ParseDecimal(u"2147483647", value));
    EXPECT_EQ(value, INT_MAX);
    for (const char16_t* bad : {u"", u"-1", u"+1", u" 1", u"1 ", u"1a", u"2147483648", u"\uFF11"})
        EXPECT_FALSE(ParseDecimal(bad, value)) << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
}

TEST(SessionCommandTextTest, ChatCommasFollowTheAgentVersion)
{
    EXPECT_EQ(EscapeChatCommas(u"a,b,", u"2.0.1.1046"), u"a&comma;b&comma;");
    EXPECT_EQ(EscapeChatCommas(u"a,b", u"2.0.1.1045"), u"a b");
    // Field by field as numbers: a shorter number is a smaller one, whatever its first digit.
    EXPECT_EQ(EscapeChatCommas(u",", u"3"), u"&comma;");
    EXPECT_EQ(EscapeChatCommas(u",", u"10.0.0.0"), u"&comma;");
    EXPECT_EQ(EscapeChatCommas(u",", u"2.0.1.999"), u" ");
    EXPECT_EQ(EscapeChatCommas(u",", u"2.0.1.10460"), u"&comma;");
    EXPECT_EQ(EscapeChatCommas(u",", u"2.0.1"), u" ");

    EXPECT_EQ(UnescapeChatCommas(u"x&comma;y&comma;&comma;"), u"x,y,,");
    EXPECT_EQ(UnescapeChatCommas(u"&comma&comma;;"), u"&comma,;");
}

TEST(SessionCommandTextTest, TypedChatLinesAreBoundedAndRefuseEmojiButNotOtherPlanes)
{
    EXPECT_EQ(CheckTypedChatLine(std::u16string(1024, u'a')), TypedChatVerdict::Send);
    EXPECT_EQ(CheckTypedChatLine(std::u16string(1025, u'a')), TypedChatVerdict::TooLong);
    EXPECT_EQ(CheckTypedChatLine(u""), TypedChatVerdict::Empty);
    EXPECT_EQ(CheckTypedChatLine(u"ok \U0001F600"), TypedChatVerdict::Emoji);   // D83D
    EXPECT_EQ(CheckTypedChatLine(u"\U0001F308"), TypedChatVerdict::Emoji);      // D83C
    EXPECT_EQ(CheckTypedChatLine(u"\U00020000, \uD55C"), TypedChatVerdict::Send);
}

TEST(SessionCommandTextTest, Utf8AndUtf16LeForms)
{
    EXPECT_EQ(Utf8FromUtf16(u"a\u00E9\uD55C"), "a\xC3\xA9\xED\x95\x9C");
    EXPECT_EQ(Utf8FromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
    std::u16string lone = u"x";
    lone += char16_t(0xD800);
    EXPECT_EQ(Utf8FromUtf16(lone), "x\xEF\xBF\xBD");
    EXPECT_EQ(Utf16LeBytes(u"A\uD55C"), std::string("A\0\x5C\xD5", 4));
}

} // namespace
