#include "MessageBoxDriver.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "ui/ShowMessageBox.h"
#include "ui/UiScale.h"

#include <gtest/gtest.h>

namespace {

int AnswerWith(MessageBoxDriver::Action action, int what, int style)
{
    MessageBoxDriver driver(action, what);
    const int result = ShowMessageBox(L"A question?", L"Title", style);
    EXPECT_EQ(driver.m_boxesSeen, 1);
    return result;
}

} // namespace

TEST(ShowMessageBoxTest, EachButtonGivesItsAnswer)
{
    EXPECT_EQ(AnswerWith(MessageBoxDriver::ClickButton, IDOK, 0), 1);
    EXPECT_EQ(AnswerWith(MessageBoxDriver::ClickButton, IDC_MSGBOX_YES, 4), 6);
    EXPECT_EQ(AnswerWith(MessageBoxDriver::ClickButton, IDC_MSGBOX_NO, 4), 7);
    EXPECT_EQ(AnswerWith(MessageBoxDriver::ClickButton, IDCANCEL, 3), 2);
    EXPECT_EQ(AnswerWith(MessageBoxDriver::ClickButton, IDC_CAPTION_CLOSE, 4), 2);
}

TEST(ShowMessageBoxTest, KeysAnswerWithTheDefaultOrCancel)
{
    EXPECT_EQ(AnswerWith(MessageBoxDriver::PressKey, VK_RETURN, 0), 1);
    EXPECT_EQ(AnswerWith(MessageBoxDriver::PressKey, VK_ESCAPE, 0), 2);
    EXPECT_EQ(AnswerWith(MessageBoxDriver::PressKey, VK_ESCAPE, 4), 2);
    // Enter in a question answers its default, Yes, never an OK the caller did not offer.
    EXPECT_EQ(AnswerWith(MessageBoxDriver::PressKey, VK_RETURN, 4), 6);
    EXPECT_EQ(AnswerWith(MessageBoxDriver::PressKey, VK_RETURN, 3), 6);
}

TEST(ShowMessageBoxTest, ASecondBoxWhileOneIsOpenGivesMinusOneAndShowsNothing)
{
    MessageBoxDriver driver(MessageBoxDriver::ClickButton, IDC_MSGBOX_NO);
    int nested = 0;
    int flagWhileOpen = 0;
    driver.m_whileOpen = [&](HWND) {
        flagWhileOpen = g_messageBoxOpen;
        nested = ShowMessageBox(L"Another", nullptr, 0);
    };
    EXPECT_EQ(ShowMessageBox(L"First", nullptr, 4), 7);
    EXPECT_EQ(nested, -1);
    EXPECT_EQ(flagWhileOpen, 1);
    EXPECT_EQ(driver.m_boxesSeen, 1);
    EXPECT_EQ(g_messageBoxOpen, 0);
}

TEST(ShowMessageBoxTest, TheStyleChoosesTheButtonsAndTheCaptionDefaults)
{
    MessageBoxDriver driver(MessageBoxDriver::PressKey, VK_ESCAPE);
    ShowMessageBox(nullptr, nullptr, 3);
    EXPECT_EQ(driver.m_lastCaption, L"Lumora Teacher");
    EXPECT_EQ(driver.m_lastText, L"");
    EXPECT_FALSE(driver.m_visible[0]);
    EXPECT_TRUE(driver.m_visible[1]);
    EXPECT_TRUE(driver.m_visible[2]);
    EXPECT_TRUE(driver.m_visible[3]);

    ShowMessageBox(L"text", L"caption", 0);
    EXPECT_EQ(driver.m_lastCaption, L"caption");
    EXPECT_TRUE(driver.m_visible[0]);
    EXPECT_FALSE(driver.m_visible[2]);

    // No answer button at all for an unknown style: only Esc or the close button end it.
    ShowMessageBox(L"text", nullptr, 9);
    EXPECT_FALSE(driver.m_visible[0] || driver.m_visible[1] || driver.m_visible[2] ||
                 driver.m_visible[3]);
}

TEST(ShowMessageBoxTest, TheBoxIsSizedByTheScaleFactor)
{
    MessageBoxDriver driver(MessageBoxDriver::PressKey, VK_ESCAPE);
    ShowMessageBox(L"text", nullptr, 0);
    EXPECT_EQ(driver.m_lastRect.right - driver.m_lastRect.left, 504);
    EXPECT_EQ(driver.m_lastRect.bottom - driver.m_lastRect.top, 234);

    g_uiScale = 1.4f;
    ShowMessageBox(L"text", nullptr, 0);
    g_uiScale = 1.0f;
    EXPECT_EQ(driver.m_lastRect.right - driver.m_lastRect.left, 705);   // floor(504 x 1.4)
    EXPECT_EQ(driver.m_lastRect.bottom - driver.m_lastRect.top, 327);
}

TEST(UiScaleTest, ScaledValuesAreFlooredInSinglePrecision)
{
    g_uiScale = 1.4f;
    EXPECT_EQ(ScaleToUi(10), 14);   // 1.4f x 10 is 14 as a float, 13.99... as a double
    EXPECT_EQ(ScaleToUi(21), 29);
    g_uiScale = 2.0f;
    EXPECT_EQ(ScaleToUi(38), 76);
    g_uiScale = 1.0f;
    EXPECT_EQ(ScaleToUi(463), 463);
    EXPECT_EQ(FloorFloat(-0.5f), -1.0f);
    EXPECT_EQ(FloorFloat(2.99f), 2.0f);
}

// A box asked for from a dialog (the group execute dialog, say) belongs to that dialog, not to
// the main window: the dialog stays in front, and is active and usable again after the box.
TEST(ShowMessageBoxTest, TheBoxBelongsToTheActiveWindowAndGivesItTheActivationBack)
{
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                              nullptr));
    CWinApp* app = AfxGetApp();
    CWnd* previousMain = app ? app->m_pMainWnd : nullptr;
    if (app)
        app->m_pMainWnd = &main;
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, L"dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50, 50, 200, 150,
                                main.GetSafeHwnd(), nullptr));
    ::SetActiveWindow(dialog.GetSafeHwnd());
    ASSERT_EQ(::GetActiveWindow(), dialog.GetSafeHwnd());

    MessageBoxDriver driver(MessageBoxDriver::ClickButton, IDOK);
    HWND owner = nullptr;
    bool dialogEnabled = true;
    bool mainEnabled = false;
    driver.m_whileOpen = [&](HWND box) {
        owner = ::GetWindow(box, GW_OWNER);
        dialogEnabled = ::IsWindowEnabled(dialog.GetSafeHwnd()) != FALSE;
        mainEnabled = ::IsWindowEnabled(main.GetSafeHwnd()) != FALSE;
    };
    EXPECT_EQ(ShowMessageBox(L"Sent", nullptr, 0), 1);
    EXPECT_EQ(owner, dialog.GetSafeHwnd());
    EXPECT_FALSE(dialogEnabled);
    EXPECT_TRUE(mainEnabled);   // the dialog keeps the main window disabled itself when modal
    EXPECT_TRUE(::IsWindowEnabled(dialog.GetSafeHwnd()));
    EXPECT_EQ(::GetActiveWindow(), dialog.GetSafeHwnd());

    if (app)
        app->m_pMainWnd = previousMain;
    dialog.DestroyWindow();
    main.DestroyWindow();
}
