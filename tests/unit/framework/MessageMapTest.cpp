#include "framework/Wnd.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

const UINT WM_TEST_PRIVATE = WM_APP + 50;
const UINT WM_TEST_BASE_ONLY = WM_APP + 51;
const UINT WM_TEST_THROW = WM_APP + 52;
const UINT g_registeredMessage = RegisterWindowMessageW(L"LumoraMessageMapTest");

class CBaseMapWnd : public CWnd {
public:
    int m_baseOnly = 0;
    afx_msg LRESULT OnBaseOnly(WPARAM wParam, LPARAM) { m_baseOnly = static_cast<int>(wParam); return 7; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseMapWnd, CWnd)
    ON_MESSAGE(WM_TEST_BASE_ONLY, OnBaseOnly)
END_MESSAGE_MAP()

class CMapWnd : public CBaseMapWnd {
public:
    std::vector<CString> m_calls;
    int m_width = 0;
    int m_height = 0;
    UINT_PTR m_timer = 0;

    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        m_calls.push_back(CString(L"create:") + cs->lpszName);
        return CBaseMapWnd::OnCreate(cs);
    }
    afx_msg void OnSize(UINT, int width, int height) { m_width = width; m_height = height; }
    afx_msg void OnTimer(UINT_PTR id) { m_timer = id; }
    afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) { return wParam * 100 + lParam; }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM) { m_calls.push_back(L"registered"); return 1; }
    afx_msg LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    afx_msg void OnMenuItem() { m_calls.push_back(L"menu"); }
    afx_msg void OnButton() { m_calls.push_back(L"button"); }
    afx_msg void OnListChanged(NMHDR* header, LRESULT* result)
    {
        m_calls.push_back(L"notify");
        *result = 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMapWnd, CBaseMapWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_TEST_PRIVATE, OnPrivate)
    ON_MESSAGE(WM_TEST_THROW, OnThrow)
    ON_REGISTERED_MESSAGE(g_registeredMessage, OnRegistered)
    ON_COMMAND(1001, OnMenuItem)
    ON_BN_CLICKED(1002, OnButton)
    ON_NOTIFY(LVN_ITEMCHANGED, 1003, OnListChanged)
END_MESSAGE_MAP()

} // namespace

TEST(MessageMapTest, CracksEachMessageIntoItsTypedCall)
{
    CMapWnd wnd;
    ASSERT_TRUE(wnd.CreateHiddenWindow(L"map"));
    ASSERT_EQ(wnd.m_calls.size(), 1u);
    EXPECT_EQ(wnd.m_calls[0], L"create:map");

    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480));
    EXPECT_EQ(wnd.m_width, 640);
    EXPECT_EQ(wnd.m_height, 480);
    wnd.SendMessage(WM_TIMER, 77);
    EXPECT_EQ(wnd.m_timer, 77u);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PRIVATE, 3, 4), 304);
    EXPECT_EQ(wnd.SendMessage(g_registeredMessage), 1);
    EXPECT_TRUE(wnd.DestroyWindow());
}

TEST(MessageMapTest, CommandsAndNotificationsMatchTheirIdAndCode)
{
    CMapWnd wnd;
    ASSERT_TRUE(wnd.CreateMessageWindow());
    HWND control = wnd.m_hWnd;   // any non-null handle marks a control notification
    wnd.m_calls.clear();

    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1001, 0), 0);               // menu
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1001, 1), 0);               // accelerator
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1002, BN_SETFOCUS), reinterpret_cast<LPARAM>(control));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1009, 0), 0);               // nobody's id

    NMHDR header = {control, 1003, static_cast<UINT>(LVN_ITEMCHANGED)};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 1003, reinterpret_cast<LPARAM>(&header)), 42);
    NMHDR other = {control, 1004, static_cast<UINT>(LVN_ITEMCHANGED)};
    wnd.SendMessage(WM_NOTIFY, 1004, reinterpret_cast<LPARAM>(&other));

    const std::vector<CString> expected = {L"menu", L"menu", L"button", L"notify"};
    EXPECT_EQ(wnd.m_calls, expected);
    wnd.DestroyWindow();
}

TEST(MessageMapTest, UnhandledMessagesFallToTheBaseMapThenTheDefaultProcedure)
{
    CMapWnd wnd;
    ASSERT_TRUE(wnd.CreateHiddenWindow(L"before"));
    EXPECT_EQ(wnd.SendMessage(WM_TEST_BASE_ONLY, 9), 7);
    EXPECT_EQ(wnd.m_baseOnly, 9);

    // WM_SETTEXT is in no map: DefWindowProc stores the text.
    wnd.SetWindowText(L"after");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, L"after");

    LRESULT result = -1;
    EXPECT_FALSE(wnd.OnWndMsg(WM_APP + 60, 0, 0, &result));
    wnd.DestroyWindow();
}

TEST(MessageMapTest, AnExceptionStopsAtTheWindowProcedure)
{
    CMapWnd wnd;
    ASSERT_TRUE(wnd.CreateMessageWindow());
    EXPECT_EQ(wnd.SendMessage(WM_TEST_THROW), 0);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_PRIVATE, 1, 2), 102);   // the window still works
    wnd.DestroyWindow();
}
