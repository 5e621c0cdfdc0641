// The slot context menu and the message box template, in the program and the English module.
#include <gtest/gtest.h>

#include <vector>

#include "ResourceReader.h"
#include "res/resource.h"

using namespace restest;

namespace {

std::vector<UINT> ItemIds(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) ids.push_back(::GetMenuItemID(menu, i));
    return ids;
}

std::wstring ItemText(HMENU menu, int position) {
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void ExpectMessageBoxControls(HMODULE module) {
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(IDD_MESSAGE_BOX), RT_DIALOG);
    ASSERT_NE(info, nullptr);
    auto* dialog_template = static_cast<LPCDLGTEMPLATEW>(::LockResource(::LoadResource(module, info)));
    HWND dialog = ::CreateDialogIndirectParamW(ProgramModule(), dialog_template, nullptr, NoDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetWindowLongW(dialog, GWL_STYLE) & WS_CAPTION, 0) << "the box paints its own caption";
    for (int id : {IDOK, IDCANCEL, IDC_MSGBOX_YES, IDC_MSGBOX_NO}) {
        HWND button = ::GetDlgItem(dialog, id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(::GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE, 0) << "shown only as the style asks: " << id;
    }
    for (int id : {IDC_TITLE_TEXT, IDC_CAPTION_CLOSE}) {
        HWND control = ::GetDlgItem(dialog, id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_NE(::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE, 0) << id;
    }
    ::DestroyWindow(dialog);
}

}  // namespace

TEST(SlotMenu, OffersThePcAndPadCommandsAtTheirPositions) {
    HMENU menu = ::LoadMenuW(ProgramModule(), MAKEINTRESOURCEW(IDR_SLOT_MENU));
    ASSERT_NE(menu, nullptr);
    for (int position = 0; position < SLOT_MENU_PC_POSITION; ++position) {
        EXPECT_NE(::GetSubMenu(menu, position), nullptr) << position;
    }
    HMENU pc = ::GetSubMenu(menu, SLOT_MENU_PC_POSITION);
    HMENU pad = ::GetSubMenu(menu, SLOT_MENU_PAD_POSITION);
    ASSERT_NE(pc, nullptr);
    ASSERT_NE(pad, nullptr);
    std::vector<UINT> four = {ID_SLOT_CHANGE_NUMBER, ID_SLOT_SET_NAME, ID_SLOT_CHAT, ID_SLOT_TOUCH_CONTROL};
    EXPECT_EQ(ItemIds(pc), four);
    four.push_back(ID_SLOT_RETRY_NEXT_DAY);
    EXPECT_EQ(ItemIds(pad), four);
    EXPECT_EQ(ItemText(pc, 0), L"학생번호변경 (이동 / 교체)");
    EXPECT_EQ(ItemText(pad, 4), L"다음날 접속 시도");
    ::DestroyMenu(menu);
}

TEST(SlotMenu, TheEnglishMenuHasTheSameCommandsInEnglish) {
    HMODULE english = LoadEnglishModule();
    ASSERT_NE(english, nullptr);
    HMENU korean = ::LoadMenuW(ProgramModule(), MAKEINTRESOURCEW(IDR_SLOT_MENU));
    HMENU menu = ::LoadMenuW(english, MAKEINTRESOURCEW(IDR_SLOT_MENU));
    ASSERT_NE(menu, nullptr);
    for (int position : {SLOT_MENU_PC_POSITION, SLOT_MENU_PAD_POSITION}) {
        HMENU sub = ::GetSubMenu(menu, position);
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(ItemIds(sub), ItemIds(::GetSubMenu(korean, position)));
        for (int i = 0; i < ::GetMenuItemCount(sub); ++i) {
            EXPECT_FALSE(ItemText(sub, i).empty());
            EXPECT_FALSE(HasHangul(ItemText(sub, i))) << i;
        }
    }
    ::DestroyMenu(menu);
    ::DestroyMenu(korean);
    ::FreeLibrary(english);
}

TEST(MessageBoxTemplate, HoldsTheCaptionTheAnswersAndTheCloseButton) {
    ExpectMessageBoxControls(ProgramModule());
    HMODULE english = LoadEnglishModule();
    ASSERT_NE(english, nullptr);
    ExpectMessageBoxControls(english);
    ::FreeLibrary(english);
}
