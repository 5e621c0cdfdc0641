#include "dialogs/core/SlotChangeRules.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kNew = u"2.0.1.1046";

// 1 connected (the one to change), 2 free, 3 connected, 4 under remote control, 5 connected
// with an old program.
std::vector<SlotChangeState> Classroom()
{
    return {{1, true, false, kNew}, {2, false, false, u""}, {3, true, false, kNew},
            {4, true, true, kNew}, {5, true, false, u"0.9.9.9999"}};
}

TEST(DialogsSlotChangeRulesTest, CandidatesSplitFreeFromSwappableAndLeaveOutControlled)
{
    const SlotChangeCandidates lists = CollectSlotChangeCandidates(Classroom(), 1);
    EXPECT_EQ(lists.moveTargets, std::vector<int>({2}));
    EXPECT_EQ(lists.swapTargets, std::vector<int>({3, 5}));
}

TEST(DialogsSlotChangeRulesTest, ChoiceIsCheckedInOrderAgainstTheCurrentSlots)
{
    struct Case {
        int current, mode, target;
        SlotChangeVerdict verdict;
    };
    const Case cases[] = {
        {1, -1, 2, SlotChangeVerdict::NoMode},
        {1, 0, 0, SlotChangeVerdict::NoTarget},
        {1, 1, 1, SlotChangeVerdict::SameNumber},
        {1, 0, 2, SlotChangeVerdict::Confirm},
        {1, 1, 3, SlotChangeVerdict::Confirm},
        {1, 0, 3, SlotChangeVerdict::TargetChanged},     // connected since the lists were made
        {1, 1, 2, SlotChangeVerdict::TargetChanged},     // left since
        {1, 1, 4, SlotChangeVerdict::TargetChanged},     // taken under control since
        {1, 1, 5, SlotChangeVerdict::TargetTooOld},
        {2, 1, 3, SlotChangeVerdict::CurrentLost},
        {4, 0, 2, SlotChangeVerdict::CurrentControlled},
        {5, 0, 2, SlotChangeVerdict::CurrentTooOld},
        {9, 0, 2, SlotChangeVerdict::CurrentLost},       // the seat is gone
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckSlotChange(Classroom(), c.current, c.mode, c.target), c.verdict)
            << c.current << " " << c.mode << " " << c.target;
}

TEST(DialogsSlotChangeRulesTest, VersionsCompareAsDottedNumbersAgainstTheRenumberingProgram)
{
    struct Case {
        const char16_t* version;
        bool tooOld;
    };
    const Case cases[] = {
        {u"", true},
        {u"0.9.9.9999", true},
        {u"0.99.0.0", true},
        {u"1.0.0.0000", false},
        {u"1.0.0.0", false},
        {u"1.0.0", false},              // a missing field counts as 0
        {u"1.0.0.10000", false},        // more digits, not a smaller text
        {u"1.0.0.00001", false},
        {u"1.0.1", false},
        {u"2.0.1.1046", false},
        {u"10.0.0.0", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsStudentVersionTooOld(c.version), c.tooOld) << "case " << (&c - cases);
}

} // namespace
