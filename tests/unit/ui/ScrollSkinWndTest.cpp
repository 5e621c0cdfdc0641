#include "ui/ListCtrlEx.h"
#include "ui/SkinScrollWnd.h"

#include "PictureTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kListId = 1001;

class CCountingWrapper : public CSkinScrollWnd {
public:
    static int s_deleted;
    ~CCountingWrapper() override { ++s_deleted; }
};
int CCountingWrapper::s_deleted = 0;

// A window procedure put under the wrapper's, to see what the list looks like at its end.
struct ControlEnd {
    WNDPROC next = nullptr;
    bool seen = false;
    HWND parent = nullptr;
    LONG_PTR userData = -1;
    bool procRestored = false;
};
ControlEnd g_end;

LRESULT CALLBACK WatchingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) {
        g_end.seen = true;
        g_end.parent = ::GetParent(hWnd);
        g_end.userData = ::GetWindowLongPtrW(hWnd, GWLP_USERDATA);
        g_end.procRestored = ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) ==
                             reinterpret_cast<LONG_PTR>(&WatchingProc);
    }
    return ::CallWindowProcW(g_end.next, hWnd, message, wParam, lParam);
}

class ScrollSkinWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CCountingWrapper::s_deleted = 0;
        ASSERT_TRUE(m_parent.Open());
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT |
                                      LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER,
                                  RECT{10, 10, 210, 170}, &m_parent, kListId));
        m_list.SetRowHeight(20);
        m_list.InsertColumn(0, L"name", LVCFMT_LEFT, 120);
        HDC screen = ::GetDC(nullptr);
        m_skin = ::CreateCompatibleBitmap(screen, 144, 64);
        ::ReleaseDC(nullptr, screen);
        ASSERT_NE(m_skin, nullptr);
    }
    void TearDown() override
    {
        if (m_list.m_hWnd)
            m_list.DestroyWindow();
        ::DeleteObject(m_skin);
    }

    void AddRows(int count)
    {
        for (int i = 0; i < count; ++i)
            m_list.InsertItem(m_list.GetItemCount(), L"row");
    }

    CSkinScrollWnd* Wrap()
    {
        CCountingWrapper* wrapper = new CCountingWrapper;
        if (!wrapper->AttachToControl(&m_list, m_skin)) {
            delete wrapper;
            return nullptr;
        }
        wrapper->PostMessage(WM_SKIN_SCROLL_UPDATE,
                             (m_list.GetStyle() & WS_VSCROLL) != 0, 0);
        PumpPending();
        return wrapper;
    }

    static bool Shown(CWnd& bar) { return (bar.GetStyle() & WS_VISIBLE) != 0; }

    // Presses the left button at a point along the bar, optionally drags, and lets go.
    static void Press(CSkinScrollBar& bar, int along, int dragBy = 0)
    {
        RECT client;
        bar.GetClientRect(&client);
        const int across = client.right / 2;
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(across, along));
        if (dragBy != 0)
            bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(across, along + dragBy));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(across, along + dragBy));
    }

    CTestParentWnd m_parent;
    CListCtrlEx m_list;
    HBITMAP m_skin = nullptr;
};

TEST_F(ScrollSkinWndTest, TheFrameTakesTheControlsPlaceIdAndBorder)
{
    AddRows(50);
    CSkinScrollWnd* wrapper = Wrap();
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->GetArrowSize(), 16);
    EXPECT_EQ(::GetParent(wrapper->m_hWnd), m_parent.m_hWnd);
    EXPECT_EQ(::GetDlgItem(m_parent.m_hWnd, kListId), wrapper->m_hWnd);
    EXPECT_EQ(::GetParent(m_list.m_hWnd), wrapper->GetLimitWnd());
    EXPECT_TRUE(wrapper->GetStyle() & WS_BORDER);
    EXPECT_FALSE(m_list.GetStyle() & WS_BORDER);
    EXPECT_EQ(::GetWindowLongPtrW(m_list.m_hWnd, GWLP_USERDATA),
              reinterpret_cast<LONG_PTR>(wrapper));

    RECT frame;
    RECT limit;
    wrapper->GetClientRect(&frame);
    ::GetClientRect(wrapper->GetLimitWnd(), &limit);
    ASSERT_TRUE(Shown(wrapper->GetVertBar()));
    EXPECT_EQ(limit.right, frame.right - 16);   // the skin bar beside it
    RECT bar;
    wrapper->GetVertBar().GetWindowRect(&bar);
    EXPECT_EQ(bar.right - bar.left, 16);
    EXPECT_FALSE(Shown(wrapper->GetHorzBar()));
}

TEST_F(ScrollSkinWndTest, TheBarIsUsableOnlyWhileRowsOverflow)
{
    AddRows(60);
    CSkinScrollWnd* wrapper = Wrap();
    ASSERT_NE(wrapper, nullptr);
    CSkinScrollBar& bar = wrapper->GetVertBar();
    m_list.RedrawWindow();   // erasing copies the list's scroll state into the bar
    ASSERT_TRUE(PumpUntilPolled([&] { return bar.GetState().maximum == 59; }, 5000));
    EXPECT_TRUE(Shown(bar));
    EXPECT_TRUE(bar.IsWindowEnabled());
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(m_list.m_hWnd, SB_VERT, &info);
    EXPECT_EQ(bar.GetState().page, static_cast<int>(info.nPage));

    m_list.DeleteAllItems();
    AddRows(2);
    m_list.RedrawWindow();
    ASSERT_TRUE(PumpUntilPolled([&] { return !Shown(bar) || !bar.IsWindowEnabled(); }, 5000));
}

TEST_F(ScrollSkinWndTest, ArrowAndThumbScrollTheList)
{
    AddRows(100);
    CSkinScrollWnd* wrapper = Wrap();
    ASSERT_NE(wrapper, nullptr);
    CSkinScrollBar& bar = wrapper->GetVertBar();
    m_list.RedrawWindow();
    ASSERT_TRUE(PumpUntilPolled([&] { return bar.GetState().maximum == 99; }, 5000));
    ASSERT_EQ(m_list.GetTopIndex(), 0);

    RECT client;
    bar.GetClientRect(&client);
    Press(bar, client.bottom - 4);                  // the down arrow: one row
    EXPECT_EQ(m_list.GetTopIndex(), 1);
    EXPECT_EQ(bar.GetState().position, 1);

    const ScrollBarGeometry geometry = bar.GetGeometry();
    ASSERT_GT(geometry.thumbLength, 0);
    const int thumbMiddle = geometry.thumbStart + geometry.thumbLength / 2;
    const int travel = geometry.track - geometry.thumbLength;
    Press(bar, thumbMiddle, travel / 2);            // half way down
    const int top = m_list.GetTopIndex();
    const int free = 100 - bar.GetState().page;
    EXPECT_GT(top, free / 2 - 6);
    EXPECT_LT(top, free / 2 + 6);
    EXPECT_EQ(bar.GetState().position, top);       // copied back from the list
    EXPECT_FALSE(bar.IsDragging());

    Press(bar, thumbMiddle + travel / 2, 10 * travel);   // far beyond the end: the last page
    EXPECT_EQ(m_list.GetTopIndex(), free);
}

TEST_F(ScrollSkinWndTest, DestroyingTheListGivesItBackBeforeItGoes)
{
    AddRows(30);
    g_end = ControlEnd{};
    g_end.next = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        m_list.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchingProc)));
    CSkinScrollWnd* wrapper = Wrap();
    ASSERT_NE(wrapper, nullptr);
    HWND frame = wrapper->m_hWnd;

    m_list.DestroyWindow();
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(CCountingWrapper::s_deleted, 1);
    ASSERT_TRUE(g_end.seen);
    EXPECT_EQ(g_end.parent, m_parent.m_hWnd);
    EXPECT_EQ(g_end.userData, 0);
    EXPECT_TRUE(g_end.procRestored);
}

TEST_F(ScrollSkinWndTest, DestroyingTheParentDeletesTheWrapperOnce)
{
    AddRows(30);
    g_end = ControlEnd{};
    g_end.next = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        m_list.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchingProc)));
    ASSERT_NE(Wrap(), nullptr);
    m_parent.DestroyWindow();
    EXPECT_FALSE(::IsWindow(m_list.m_hWnd));
    EXPECT_EQ(CCountingWrapper::s_deleted, 1);
    ASSERT_TRUE(g_end.seen);
    EXPECT_EQ(g_end.userData, 0);
    EXPECT_TRUE(g_end.procRestored);
}

TEST_F(ScrollSkinWndTest, AControlIsWrappedOnce)
{
    CSkinScrollWnd* wrapper = Wrap();
    ASSERT_NE(wrapper, nullptr);
    CSkinScrollWnd second;
    EXPECT_FALSE(second.AttachToControl(&m_list, m_skin));
    EXPECT_FALSE(second.AttachToControl(nullptr, m_skin));
    HDC screen = ::GetDC(nullptr);
    HBITMAP narrow = ::CreateCompatibleBitmap(screen, 8, 4);
    ::ReleaseDC(nullptr, screen);
    CListCtrl other;
    ASSERT_TRUE(other.Create(WS_CHILD | LVS_REPORT, RECT{0, 0, 50, 50}, &m_parent, 1002));
    EXPECT_FALSE(second.AttachToControl(&other, narrow));   // no room for 9 cells
    EXPECT_EQ(::GetParent(other.m_hWnd), m_parent.m_hWnd);
    ::DeleteObject(narrow);
    other.DestroyWindow();
}

} // namespace
