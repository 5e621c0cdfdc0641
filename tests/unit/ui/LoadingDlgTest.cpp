#include "ui/AnimationDlg.h"
#include "ui/LoadingDlg.h"
#include "ui/WaitMsgDlg.h"

#include "PictureTestSupport.h"
#include "framework/DialogTemplateBuilder.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

bool ProgramHasGif(UINT id)
{
    return FindResourceW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), L"GIF") != nullptr;
}

bool ProgramHasDialog(UINT id)
{
    return FindResourceW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), RT_DIALOG) != nullptr;
}

// The splash's controls, as its template has them; kept hidden (see PictureTestSupport.h).
DialogTemplateBuilder LoadingTemplate()
{
    DialogTemplateBuilder builder(WS_POPUP, 200, 100, L"");
    builder.AddItem(DialogTemplateBuilder::kStatic, IDC_LOADING_PICTURE, 0, 10, 10, 40, 40);
    builder.AddItem(DialogTemplateBuilder::kStatic, IDC_LOADING_STATUS, 0, 60, 20, 130, 12,
                    L"\xB85C\xADF8\xC778 \xC11C\xBC84\xC640 \xC5F0\xACB0 \xC911\xC785\xB2C8\xB2E4");
    return builder;
}

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[128] = {};
    ::GetDlgItemTextW(dialog, id, text, 128);
    return text;
}

TEST(LoadingDlgTest, IgnoresCloseAndShowsItsStatus)
{
    CLoadingDlg dialog;
    dialog.SetStatusText(L"before the window");   // nothing to show it in yet
    EXPECT_TRUE(dialog.GetStatusText().IsEmpty());

    const DialogTemplateBuilder builder = LoadingTemplate();
    ASSERT_TRUE(dialog.CreateIndirect(builder.Get()));
    HWND hWnd = dialog.m_hWnd;
    dialog.SendMessage(WM_CLOSE);
    dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    PumpPending();
    EXPECT_TRUE(::IsWindow(hWnd));

    dialog.SetStatusText(L"connecting again");
    EXPECT_EQ(ItemText(hWnd, IDC_LOADING_STATUS), L"connecting again");
    EXPECT_EQ(dialog.GetStatusText(), L"connecting again");
    dialog.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(LoadingDlgTest, TheSpinnerPlaysUntilTheSplashGoes)
{
    if (!ProgramHasGif(IDR_GIF_LOGIN_SPINNER))
        GTEST_SKIP() << "this test program carries no resources";
    CLoadingDlg dialog;
    const DialogTemplateBuilder builder = LoadingTemplate();
    ASSERT_TRUE(dialog.CreateIndirect(builder.Get()));
    EXPECT_TRUE(dialog.GetPicture().IsLoaded());
    EXPECT_TRUE(dialog.GetPicture().IsAnimated());
    EXPECT_TRUE(dialog.GetPicture().IsPlaying());
    dialog.DestroyWindow();
    EXPECT_FALSE(dialog.GetPicture().IsPlaying());
    EXPECT_FALSE(dialog.GetPicture().IsLoaded());
}

TEST(LoadingDlgTest, TheProgramsTemplatesCarryTheTexts)
{
    if (!ProgramHasDialog(IDD_LOADING) || !ProgramHasDialog(IDD_WAIT_MESSAGE))
        GTEST_SKIP() << "this test program carries no dialog templates";
    CLoadingDlg loading;
    ASSERT_TRUE(loading.Create(IDD_LOADING));
    EXPECT_EQ(ItemText(loading.m_hWnd, IDC_LOADING_STATUS),
              L"\xB85C\xADF8\xC778 \xC11C\xBC84\xC640 \xC5F0\xACB0 \xC911\xC785\xB2C8\xB2E4");
    loading.SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(loading.m_hWnd));
    loading.DestroyWindow();

    CWaitMsgDlg wait;
    ASSERT_TRUE(wait.Create());
    EXPECT_EQ(ItemText(wait.m_hWnd, IDC_WAIT_TEXT),
              L"\xC791\xC5C5\xC744 \xC9C4\xD589\xC911 \xC785\xB2C8\xB2E4.");
    wait.SetMessageText(L"saved");
    EXPECT_EQ(ItemText(wait.m_hWnd, IDC_WAIT_TEXT), L"saved");
    wait.DestroyWindow();
}

TEST(AnimationDlgTest, PlaysOnceOnATransparentSquareThenCloses)
{
    DialogTemplateBuilder builder(WS_POPUP, 100, 100, L"");
    builder.AddItem(DialogTemplateBuilder::kStatic, IDC_ANIMATION_PICTURE, 0, 0, 0, 50, 50);
    CAnimationDlg dialog;
    ASSERT_TRUE(dialog.CreateIndirect(builder.Get()));
    EXPECT_TRUE(dialog.GetExStyle() & WS_EX_LAYERED);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(dialog.m_hWnd, &key, &alpha, &flags));
    EXPECT_EQ(key, CAnimationDlg::kTransparentColor);
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    RECT rect;
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(rect.right - rect.left, 600);
    EXPECT_EQ(rect.bottom - rect.top, 600);

    if (ProgramHasGif(IDR_GIF_RANDOM_PICK)) {
        EXPECT_TRUE(dialog.GetPicture().IsPlaying());
        // After its time the picture is unloaded and the dialog ended.
        ASSERT_TRUE(PumpUntilPolled([&] { return !dialog.GetPicture().IsLoaded(); }, 20000));
    }
    dialog.DestroyWindow();
}

} // namespace
