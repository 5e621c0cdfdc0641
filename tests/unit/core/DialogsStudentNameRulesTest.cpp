#include "dialogs/core/StudentNameRules.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogsStudentNameRulesTest, ChecksRunInOrderAndStopAtTheFirstFailure)
{
    struct Case {
        std::u16string name;
        StudentNameVerdict verdict;
    };
    const Case cases[] = {
        {u"", StudentNameVerdict::Empty},
        {u"   ", StudentNameVerdict::Accepted},                      // blanks are a name
        {std::u16string(20, u'김'), StudentNameVerdict::Accepted},
        {std::u16string(21, u'김'), StudentNameVerdict::TooLong},
        // Too long and a comma: the character is reported first.
        {std::u16string(25, u'a') + u",", StudentNameVerdict::ForbiddenChar},
        {u"3-2 김민수", StudentNameVerdict::Accepted},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckStudentName(c.name), c.verdict) << c.name.size();
    for (char16_t ch : std::u16string(u",\\<>&|:/*?\""))
        EXPECT_EQ(CheckStudentName(std::u16string(u"a") + ch), StudentNameVerdict::ForbiddenChar) << int(ch);
}

} // namespace
