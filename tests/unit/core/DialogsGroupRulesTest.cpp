#include "dialogs/core/GroupRules.h"
#include "foundation/core/TextLists.h"
#include "sessions/core/TeacherCommands.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kDefaultGroup = u"\uC804\uCCB4 \uD559\uC0DD";   // 전체 학생

TEST(DialogsGroupRulesTest, ANewGroupIsCheckedInOrderAndStopsAtTheFirstFailure)
{
    const std::vector<std::u16string> taken{kDefaultGroup, u"Group", u"\u0413\u0440\u0443\u043F\u043F\u0430"};
    struct Case {
        std::u16string name;
        size_t ticked;
        GroupNameVerdict verdict;
    };
    const Case cases[] = {
        {u"", 1, GroupNameVerdict::Empty},
        {u" \t ", 1, GroupNameVerdict::Empty},                             // blanks alone
        {std::u16string(20, u'\uAC00'), 1, GroupNameVerdict::Accepted},
        {u"  " + std::u16string(20, u'a') + u"  ", 1, GroupNameVerdict::Accepted},   // trimmed first
        {std::u16string(21, u'a'), 1, GroupNameVerdict::TooLong},
        {std::u16string(21, u'a') + u"$", 0, GroupNameVerdict::TooLong},   // length before characters
        {u"3,1:A", 1, GroupNameVerdict::Accepted},                         // comma and colon are fine
        {u"Group$", 0, GroupNameVerdict::ForbiddenChar},                   // characters before taken
        {u"group", 0, GroupNameVerdict::Taken},                            // taken before no students
        {u" GROUP ", 1, GroupNameVerdict::Taken},
        {u"\u0433\u0440\u0443\u043F\u043F\u0430", 1, GroupNameVerdict::Taken},   // Cyrillic case too
        {kDefaultGroup, 1, GroupNameVerdict::Taken},
        {u"Groups", 0, GroupNameVerdict::NoStudents},
        {u"Groups", 2, GroupNameVerdict::Accepted},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckNewGroup(c.name, taken, c.ticked), c.verdict) << c.name.size();
    for (char16_t ch : std::u16string(u"$/*?\"<>|"))
        EXPECT_EQ(CheckNewGroup(std::u16string(u"a") + ch, {}, 1), GroupNameVerdict::ForbiddenChar) << int(ch);
}

TEST(DialogsGroupRulesTest, MembershipTextAndRunFields)
{
    EXPECT_EQ(GroupMembershipText({3, 5, 12}), u",3,5,12,");
    EXPECT_EQ(GroupMembershipText({}), u",");
    // ",1," is not found in ",11,": each number stands between commas of its own.
    EXPECT_EQ(GroupMembershipText({11}).find(u",1,"), std::u16string::npos);

    EXPECT_EQ(CheckRunField(std::u16string(256, u'a'), false), RunFieldVerdict::Accepted);
    EXPECT_EQ(CheckRunField(std::u16string(257, u'a'), false), RunFieldVerdict::TooLong);
    EXPECT_EQ(CheckRunField(std::u16string(257, u','), false), RunFieldVerdict::TooLong);
    EXPECT_EQ(CheckRunField(u"", false), RunFieldVerdict::Empty);
    EXPECT_EQ(CheckRunField(u"", true), RunFieldVerdict::Accepted);
    EXPECT_EQ(CheckRunField(u"C:\\a,b.exe", false), RunFieldVerdict::Comma);
    EXPECT_EQ(CheckRunField(u"/p /a", true), RunFieldVerdict::Accepted);
}

TEST(DialogsGroupRulesTest, TokensAndTheRunAndEndCommands)
{
    EXPECT_EQ(ProgramToken(u"abc"), u"ce1473cf80c6b3fda8e3dfc006adc315");
    EXPECT_EQ(ProgramToken(u"\uAE40\uBBFC\uC218"), ProgramToken(u"\uAE40\uBBFC\uC218"));   // same name, same token
    EXPECT_NE(ProgramToken(u"abc"), ProgramToken(u"abd"));
    EXPECT_EQ(RunProgramCommand(u"t", u"C:\\a.exe", u""), u"[KW00084]t,C:\\a.exe,");
    EXPECT_EQ(EndProcessCommand(u"t", u"notepad.exe"), u"[KW00085]t,notepad.exe");
}

TEST(DialogsGroupRulesTest, TheRecentProgramsKeepEachPathOnce)
{
    std::wstring recent;
    AddLineToList(recent, L"C:\\a.exe");
    AddLineToList(recent, L"C:\\b.exe");
    AddLineToList(recent, L"C:\\a.exe");
    AddLineToList(recent, L"c:\\A.exe");                  // another letter case: another path
    EXPECT_EQ(recent, L"C:\\a.exe\nC:\\b.exe\nc:\\A.exe");
    RemoveLineFromList(recent, L"C:\\z.exe");             // not in the list: nothing changes
    EXPECT_EQ(recent, L"C:\\a.exe\nC:\\b.exe\nc:\\A.exe");
    RemoveLineFromList(recent, L" C:\\a.exe ");
    EXPECT_EQ(recent, L"C:\\b.exe\nc:\\A.exe");
}

} // namespace
