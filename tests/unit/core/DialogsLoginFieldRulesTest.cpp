#include "dialogs/core/LoginFieldRules.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogsLoginFieldRulesTest, ChecksRunInOrderEmptyForbiddenLengthThenFolder)
{
    EXPECT_EQ(CheckLoginFields(u"", u"a/b"), LoginFieldVerdict::IdEmpty);
    // A 22-character ID with a slash reports the slash, not the length.
    EXPECT_EQ(CheckLoginFields(u"abcdefghij/klmnopqrstu", u""), LoginFieldVerdict::IdForbiddenChar);
    EXPECT_EQ(CheckLoginFields(std::u16string(21, u'k'), u"a*b"), LoginFieldVerdict::IdTooLong);
    EXPECT_EQ(CheckLoginFields(std::u16string(20, u'k'), u""), LoginFieldVerdict::Accepted);
    EXPECT_EQ(CheckLoginFields(u"kim", u"3-2 반"), LoginFieldVerdict::Accepted);
}

TEST(DialogsLoginFieldRulesTest, EveryForbiddenCharacterIsRefusedInBothFields)
{
    for (char16_t ch : std::u16string(u",\\<>&|:/*?\"")) {
        const std::u16string text = std::u16string(u"a") + ch + u"b";
        EXPECT_EQ(CheckLoginFields(text, u""), LoginFieldVerdict::IdForbiddenChar);
        EXPECT_EQ(CheckLoginFields(u"kim", text), LoginFieldVerdict::FolderForbidden);
    }
}

TEST(DialogsLoginFieldRulesTest, FolderOfDotsAloneIsRefused)
{
    for (const char16_t* dots : {u".", u"..", u"...."})
        EXPECT_EQ(CheckLoginFields(u"kim", dots), LoginFieldVerdict::FolderForbidden);
    EXPECT_EQ(CheckLoginFields(u"kim", u".class"), LoginFieldVerdict::Accepted);
    EXPECT_EQ(CheckLoginFields(u"kim", u"a.b"), LoginFieldVerdict::Accepted);
}

TEST(DialogsLoginFieldRulesTest, TrimRemovesWhiteSpaceAtBothEndsOnly)
{
    EXPECT_EQ(TrimWhiteSpace(u" \t kim lee \r\n"), u"kim lee");
    EXPECT_EQ(TrimWhiteSpace(u"\u3000kim\u00A0"), u"kim");
    EXPECT_EQ(TrimWhiteSpace(u"   "), u"");
    EXPECT_EQ(TrimWhiteSpace(u""), u"");
}

} // namespace
