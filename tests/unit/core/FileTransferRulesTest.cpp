// The file-transfer dialog's rules without its windows: the order in which students are asked
// for each file, and the destination folder's shown, stored and sent forms.
#include "activities/filetransfer/core/DestinationFolder.h"
#include "activities/filetransfer/core/TransferSchedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Students = std::vector<int>;

TEST(FileTransferScheduleTest, EachFileGoesToEveryStudentWithinTheLimitAndTheNextWaitsForAllResults)
{
    CTransferSchedule schedule;
    TransferStep step = schedule.Start({0, 1, 2, 3, 4, 5, 6, 7}, 2, 6);
    EXPECT_EQ(step.start, (Students{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(schedule.GetStartedCount(), 8);
    EXPECT_EQ(schedule.GetWaitingCount(), 2);

    // Each result starts the oldest waiting student; a repeated or foreign report counts nothing.
    EXPECT_EQ(schedule.OnResult(0, 3).start, Students{6});
    EXPECT_TRUE(schedule.OnResult(0, 3).start.empty());
    EXPECT_TRUE(schedule.OnResult(1, 0).start.empty());
    EXPECT_TRUE(schedule.OnResult(0, 7).start.empty());   // still waiting: not asked yet
    EXPECT_EQ(schedule.GetFinishedCount(), 1);
    EXPECT_EQ(schedule.OnResult(0, 0).start, Students{7});
    for (int student : {1, 2, 4, 5, 6})
        EXPECT_FALSE(schedule.OnResult(0, student).nextFile);
    step = schedule.OnResult(0, 7);
    EXPECT_TRUE(step.nextFile);
    EXPECT_EQ(step.start, (Students{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(schedule.GetCurrentFile(), 1);
    EXPECT_EQ(schedule.GetFinishedCount(), 0);

    for (int student : {0, 1, 2, 3, 4, 5, 6})
        EXPECT_FALSE(schedule.OnResult(1, student).done);
    EXPECT_TRUE(schedule.OnResult(1, 7).done);
    EXPECT_FALSE(schedule.IsRunning());
}

TEST(FileTransferScheduleTest, StopStartsNothingMoreAndALimitBelowTwoIsTwo)
{
    CTransferSchedule schedule;
    EXPECT_EQ(schedule.Start({4, 9, 11}, 3, 0).start, (Students{4, 9}));
    schedule.Stop();
    EXPECT_EQ(schedule.GetWaitingCount(), 0);
    const TransferStep late = schedule.OnResult(0, 4);
    EXPECT_TRUE(late.start.empty());
    EXPECT_FALSE(late.nextFile || late.done);

    // The dialog starts again from the first file.
    EXPECT_EQ(schedule.Start({4}, 1, 1).start, Students{4});
    EXPECT_TRUE(schedule.OnResult(0, 4).done);
    EXPECT_TRUE(schedule.Start({}, 1, 6).done);
}

const DestinationNames kNames{L"\ubc14\ud0d5\ud654\uba74", L"Lumora Student \uc2e4\ud589 \ud3f4\ub354"};

TEST(FileTransferDestinationTest, ShownStoredAndSentFormsRoundTrip)
{
    const std::wstring& desktop = kNames.desktop;
    const std::wstring& program = kNames.programFolder;
    EXPECT_EQ(ToStoredPath(desktop, kNames), L"DeskTop");
    EXPECT_EQ(ToStoredPath(desktop + L"\\lesson", kNames), L"DeskTop\\lesson");
    EXPECT_EQ(ToStoredPath(program + L"\\\\a\\\\b", kNames), L"Wendmark Client Foler\\a\\b");
    // A folder whose name merely begins with a localised name is a folder of that name.
    EXPECT_EQ(ToStoredPath(desktop + L"2", kNames), desktop + L"2");
    EXPECT_EQ(ToStoredPath(L"D:\\class", kNames), L"D:\\class");
    EXPECT_EQ(ToStoredPath(L"", kNames), L"");

    EXPECT_EQ(DestinationEntries(L"", kNames), (std::vector<std::wstring>{desktop, program}));
    EXPECT_EQ(DestinationEntries(L"D:\\class\nDeskTop\\sub\nDeskTopX", kNames),
              (std::vector<std::wstring>{desktop, program, L"D:\\class", desktop + L"\\sub", L"DeskTopX"}));
    EXPECT_EQ(DestinationEntries(L"Wendmark Client Foler\nDeskTop", kNames),
              (std::vector<std::wstring>{program, desktop}));

    std::wstring list = WithRecentPath(L"", desktop + L"\\sub", kNames);
    EXPECT_EQ(list, L"DeskTop\\sub");
    list = WithRecentPath(list + L"\n", L" D:\\class ", kNames);
    EXPECT_EQ(list, L"DeskTop\\sub\nD:\\class");
    EXPECT_EQ(WithRecentPath(list, desktop + L"\\sub", kNames), list);
    EXPECT_EQ(WithRecentPath(list, L"", kNames), list);
    EXPECT_EQ(WithoutRecentPath(list, desktop + L"\\sub", kNames), L"D:\\class");

    EXPECT_TRUE(HasForbiddenFolderChars(L"a/b"));
    EXPECT_TRUE(HasForbiddenFolderChars(L"a\"b"));
    EXPECT_FALSE(HasForbiddenFolderChars(L"C:\\a b\\c"));
}

} // namespace
