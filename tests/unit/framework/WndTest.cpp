#include "framework/Wnd.h"

#include <gtest/gtest.h>

namespace {

const UINT WM_TEST_PING = WM_APP + 70;

class CTrackedWnd : public CWnd {
public:
    explicit CTrackedWnd(bool* destroyed = nullptr) : m_destroyed(destroyed) {}
    int m_pings = 0;
    int m_ncDestroys = 0;
    HWND m_handleAtDestroy = nullptr;
    bool m_deleteSelf = false;

    afx_msg LRESULT OnPing(WPARAM, LPARAM) { ++m_pings; return Default(); }
    afx_msg void OnDestroy() { m_handleAtDestroy = m_hWnd; CWnd::OnDestroy(); }
    DECLARE_MESSAGE_MAP()

protected:
    void PostNcDestroy() override
    {
        ++m_ncDestroys;
        if (m_deleteSelf) {
            *m_destroyed = true;
            delete this;
        }
    }

private:
    bool* m_destroyed;
};

BEGIN_MESSAGE_MAP(CTrackedWnd, CWnd)
    ON_MESSAGE(WM_TEST_PING, OnPing)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// A window procedure of someone else's, to subclass.
int g_originalCalls = 0;
LRESULT CALLBACK OriginalProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TEST_PING) {
        ++g_originalCalls;
        return 55;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND CreatePlainWindow()
{
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &OriginalProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LumoraPlainTestWindow";
        return RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExW(0, L"LumoraPlainTestWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TEST(WndTest, TheMapLinksTheHandleFromCreationToDestruction)
{
    CTrackedWnd wnd;
    ASSERT_TRUE(wnd.CreateMessageWindow());
    HWND hWnd = wnd.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
    EXPECT_EQ(GetWindowLongPtrW(hWnd, GWLP_USERDATA), 0);   // left free for others

    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_handleAtDestroy, hWnd);
    EXPECT_EQ(wnd.m_ncDestroys, 1);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(WndTest, PostNcDestroyMayDeleteTheObject)
{
    bool destroyed = false;
    CTrackedWnd* wnd = new CTrackedWnd(&destroyed);
    wnd->m_deleteSelf = true;
    ASSERT_TRUE(wnd->CreateHiddenWindow(L"self-deleting"));
    HWND hWnd = wnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(WndTest, SubclassingKeepsAndCallsTheOldProcedure)
{
    HWND hWnd = CreatePlainWindow();
    ASSERT_NE(hWnd, nullptr);
    g_originalCalls = 0;
    {
        CTrackedWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
        EXPECT_FALSE(CTrackedWnd().SubclassWindow(hWnd));   // one object per window
        // Our map sees the message first; Default() passes it to the original procedure.
        EXPECT_EQ(SendMessageW(hWnd, WM_TEST_PING, 0, 0), 55);
        EXPECT_EQ(wnd.m_pings, 1);
        EXPECT_EQ(g_originalCalls, 1);

        EXPECT_EQ(wnd.UnsubclassWindow(), hWnd);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
        EXPECT_EQ(SendMessageW(hWnd, WM_TEST_PING, 0, 0), 55);
        EXPECT_EQ(wnd.m_pings, 1);
        EXPECT_EQ(g_originalCalls, 2);
    }
    EXPECT_TRUE(IsWindow(hWnd));   // an unsubclassed object does not destroy the window
    DestroyWindow(hWnd);
}

TEST(WndTest, FromHandleGivesTemporaryObjectsForForeignWindows)
{
    HWND hWnd = CreatePlainWindow();
    ASSERT_NE(hWnd, nullptr);
    CWnd* temp = CWnd::FromHandle(hWnd);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, hWnd);
    EXPECT_EQ(CWnd::FromHandle(hWnd), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    AfxDeleteTempMap();
    EXPECT_TRUE(IsWindow(hWnd));   // freeing a temporary leaves the window alone
    DestroyWindow(hWnd);
}

TEST(WndTest, DestroyingTheObjectDestroysItsWindow)
{
    HWND hWnd = nullptr;
    {
        CTrackedWnd wnd;
        ASSERT_TRUE(wnd.CreateMessageWindow());
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

namespace {

// Creates a child window of its own while handling WM_CREATE.
class CParentWnd : public CWnd {
public:
    CTrackedWnd m_child;
    BOOL m_childCreated = FALSE;
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        m_childCreated = m_child.CreateEx(0, nullptr, L"child", WS_CHILD, 0, 0, 10, 10, m_hWnd,
                                          reinterpret_cast<HMENU>(7));
        return CWnd::OnCreate(cs);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

} // namespace

TEST(WndTest, AWindowCreatedInsideAnotherCreationGetsItsOwnObject)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateHiddenWindow(L"parent"));
    ASSERT_TRUE(parent.m_childCreated);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent.m_hWnd), &parent);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent.m_child.m_hWnd), &parent.m_child);
    EXPECT_EQ(parent.GetDlgItem(7), &parent.m_child);
    EXPECT_EQ(parent.m_child.GetParent(), &parent);
    parent.DestroyWindow();
    EXPECT_EQ(parent.m_child.m_hWnd, nullptr);   // children go with their parent
    EXPECT_EQ(parent.m_child.m_ncDestroys, 1);
}

namespace {

class CRefusingWnd : public CTrackedWnd {
public:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusingWnd, CTrackedWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

} // namespace

TEST(WndTest, ARefusedCreationLeavesTheObjectUnlinked)
{
    CRefusingWnd wnd;
    EXPECT_FALSE(wnd.CreateHiddenWindow(L"refused"));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.m_ncDestroys, 1);
}
