#include "activities/screenshare/ShareGlobals.h"
#include "res/resource.h"
#include "shell/MainFrame.h"
#include "ui/UiScale.h"

#include <gtest/gtest.h>

namespace {

// What the test saw of the wait notice while the frame handled its maximise.
struct NoticeSighting {
    HWND frame = nullptr;
    bool shown = false;
    bool frameMinimisedMeanwhile = false;
    std::wstring text;
};

NoticeSighting* s_sighting = nullptr;

BOOL CALLBACK KeepIfNotice(HWND window, LPARAM found)
{
    if (!IsWindowVisible(window) || !GetDlgItem(window, IDC_WAIT_TEXT)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND VisibleNotice()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepIfNotice, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs inside the frame's own message pumping while the notice is up.
void CALLBACK LookForNotice(HWND, UINT, UINT_PTR, DWORD)
{
    HWND notice = VisibleNotice();
    if (!s_sighting || !notice || s_sighting->shown) return;
    wchar_t text[256] = L"";
    GetDlgItemTextW(notice, IDC_WAIT_TEXT, text, 256);
    s_sighting->shown = true;
    s_sighting->text = text;
    s_sighting->frameMinimisedMeanwhile = IsIconic(s_sighting->frame) != FALSE;
}

class ShellMainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new CMainFrame;   // deletes itself when its window is destroyed
        ASSERT_TRUE(m_frame->Create(nullptr, L"frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 700)));
        m_frame->ShowWindow(SW_SHOWNORMAL);
        m_sighting.frame = m_frame->GetSafeHwnd();
        s_sighting = &m_sighting;
        m_timer = SetTimer(nullptr, 0, 50, LookForNotice);
    }
    void TearDown() override
    {
        KillTimer(nullptr, m_timer);
        s_sighting = nullptr;
        g_screenSharing = 0;
        if (m_frame && IsWindow(m_sighting.frame)) m_frame->DestroyWindow();
    }
    void Maximise() { m_frame->SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0); }

    CMainFrame* m_frame = nullptr;
    NoticeSighting m_sighting;
    UINT_PTR m_timer = 0;
};

TEST_F(ShellMainFrameTest, MaximisingFillsTheScreenWithoutCaptionUnlessTheScreenIsShared)
{
    Maximise();
    EXPECT_TRUE(m_frame->IsZoomed());
    EXPECT_NE(m_frame->GetStyle() & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_FALSE(m_sighting.shown);

    m_frame->ShowWindow(SW_RESTORE);
    ASSERT_FALSE(m_frame->IsZoomed());
    g_screenSharing = 1;
    Maximise();
    // The class watches the teacher's desktop: the frame gives way and says why.
    EXPECT_TRUE(m_frame->IsIconic());
    EXPECT_TRUE(m_sighting.shown);
    EXPECT_TRUE(m_sighting.frameMinimisedMeanwhile);
    EXPECT_EQ(m_sighting.text, LoadText(IDS_SHARING_REFUSED).Str());
    EXPECT_EQ(VisibleNotice(), nullptr);   // gone by itself once its time was up
}

} // namespace
