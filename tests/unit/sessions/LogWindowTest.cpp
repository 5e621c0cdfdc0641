// The pad event log window: what it takes, in which order it lists it and what it shows of it.
#include "framework/PumpUntil.h"
#include "res/resource.h"
#include "sessions/LogInfo.h"
#include "sessions/LogManageDlg.h"
#include "foundation/AppMessages.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

CString ItemText(HWND list, int row, int column)
{
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

TEST(LogWindowTest, RecordsAreListedNewestFirstAndShownWhenSelected)
{
    CLogManageDlg dialog;
    ASSERT_TRUE(dialog.CreateHidden(nullptr));
    EXPECT_EQ(g_logDlg.load(), dialog.GetSafeHwnd());
    HWND list = GetDlgItem(dialog, IDC_LOG_LIST);
    ASSERT_NE(list, nullptr);

    // Without the marker the pointer is not known to be a record: neither listed nor freed.
    CLogInfo notPosted;
    SendMessageW(dialog, WM_ADD_LOG_RECORD, 0, reinterpret_cast<LPARAM>(&notPosted));
    EXPECT_EQ(ListView_GetItemCount(list), 0);

    ASSERT_TRUE(PostLogRecord(dialog, CLogInfo::MakeAppEnded(3, L"Jun", L"com.game", L"Game", L"Game(com.game)")));
    ASSERT_TRUE(PostLogRecord(dialog, CLogInfo::MakeSlotEnded(7, L"Mina", L"Abnormal Disconnection", L"2")));
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetItemCount(list) == 2; }));
    EXPECT_EQ(ItemText(list, 0, 1), L"7");
    EXPECT_EQ(ItemText(list, 1, 1), L"3");
    EXPECT_EQ(ItemText(list, 1, 2).Find(L"Game(com.game)"), 0);
    EXPECT_EQ(ItemText(list, 0, 0).Right(2), L" *");

    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    wchar_t detail[1024] = {};
    GetWindowTextW(GetDlgItem(dialog, IDC_LOG_DETAIL), detail, 1024);
    const CString shown(detail);
    EXPECT_NE(shown.Find(L"- Slot : 7 (Mina)"), -1);
    EXPECT_NE(shown.Find(L"- Title : 7(Mina)"), -1);

    // Each row frees its record: more rows than the list keeps drop the oldest.
    for (int i = 0; i < CLogManageDlg::kMaxRows - 1; ++i)
        SendMessageW(dialog, WM_ADD_LOG_RECORD, MessageMarker,
                     reinterpret_cast<LPARAM>(CLogInfo::MakeAppEnded(9, L"X", L"a", L"_NONE_", L"a").release()));
    EXPECT_EQ(ListView_GetItemCount(list), CLogManageDlg::kMaxRows);
    EXPECT_EQ(ItemText(list, CLogManageDlg::kMaxRows - 1, 1), L"7");

    dialog.DestroyWindow();
    EXPECT_EQ(g_logDlg.load(), nullptr);
}

} // namespace
