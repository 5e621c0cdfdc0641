#include "framework/PostOwned.h"
#include "res/resource.h"
#include "shell/GroupTabCtrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Dispatches what is queued now.
void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The strip's parent: keeps every selection the strip reports.
class TabParent : public CWnd {
public:
    std::vector<CString> m_selections;
    int m_foreignMessages = 0;

    afx_msg LRESULT OnTabSelected(WPARAM marker, LPARAM name)
    {
        if (marker != MessageMarker) {
            ++m_foreignMessages;
            return 0;
        }
        std::unique_ptr<CString> owned(reinterpret_cast<CString*>(name));
        m_selections.push_back(*owned);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TabParent, CWnd)
    ON_MESSAGE(WM_GROUP_TAB_SELECTED, OnTabSelected)
END_MESSAGE_MAP()

class ShellGroupTabCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateHiddenWindow(L"tab parent", 800, 200));
        ASSERT_TRUE(m_strip.Create(CRect(0, 0, 600, 32), &m_parent, IDC_GROUP_TAB_STRIP));
        for (const wchar_t* name : {L"All", L"Group one", L"Group two", L"Group three"}) m_strip.AddTab(name);
        PumpPending();
    }
    void TearDown() override
    {
        m_strip.DestroyWindow();
        m_parent.DestroyWindow();
        PumpPending();
    }

    void Press(UINT message, int x, int y)
    {
        m_strip.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    void ClickScrollButton(UINT id)
    {
        CWnd* button = m_strip.GetDlgItem(static_cast<int>(id));
        ASSERT_NE(button, nullptr);
        m_strip.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button->GetSafeHwnd()));
    }
    std::vector<CString> Names() const
    {
        std::vector<CString> names;
        for (int i = 0; i < m_strip.GetTabCount(); ++i) names.push_back(m_strip.GetTabName(i));
        return names;
    }

    TabParent m_parent;
    CGroupTabCtrl m_strip;
};

TEST_F(ShellGroupTabCtrlTest, SelectionsReachTheParentAsOwnedNameCopies)
{
    EXPECT_EQ(m_strip.GetSelectedIndex(), -1);
    EXPECT_TRUE(m_strip.SelectTabByName(L"Group two"));
    EXPECT_FALSE(m_strip.SelectTabByName(L"No such group"));
    // The selected tab goes before its message is handled: the message still names it.
    m_strip.RemoveSelectedTab();
    PumpPending();
    EXPECT_EQ(m_parent.m_selections, (std::vector<CString>{L"Group two", L"Group three"}));
    EXPECT_EQ(m_strip.GetSelectedTabName(), L"Group three");
    EXPECT_EQ(m_parent.m_foreignMessages, 0);

    m_strip.RemoveSelectedTab();   // the last one: the new last one is selected
    PumpPending();
    EXPECT_EQ(m_strip.GetSelectedTabName(), L"Group one");
    EXPECT_EQ(Names(), (std::vector<CString>{L"All", L"Group one"}));
}

TEST_F(ShellGroupTabCtrlTest, AClickSelectsTheTabDrawnThereAfterScrolling)
{
    const int firstTabX = 21 + 3;
    Press(WM_LBUTTONDOWN, firstTabX, 10);
    Press(WM_LBUTTONUP, firstTabX, 10);
    EXPECT_EQ(m_strip.GetSelectedTabName(), L"All");

    ClickScrollButton(ID_TAB_SCROLL_RIGHT);
    EXPECT_EQ(m_strip.GetScrollIndex(), 1);
    Press(WM_LBUTTONDOWN, firstTabX, 10);
    Press(WM_LBUTTONUP, firstTabX, 10);
    EXPECT_EQ(m_strip.GetSelectedTabName(), L"Group one");

    ClickScrollButton(ID_TAB_SCROLL_LEFT);
    ClickScrollButton(ID_TAB_SCROLL_LEFT);   // already at the start
    EXPECT_EQ(m_strip.GetScrollIndex(), 0);
    EXPECT_EQ(m_strip.HitTest(CPoint(firstTabX, 10)), 0);
    PumpPending();
    EXPECT_EQ(m_parent.m_selections, (std::vector<CString>{L"All", L"Group one"}));
}

TEST_F(ShellGroupTabCtrlTest, DraggingATabOntoItsNeighbourSwapsThemAndEndsTheDrag)
{
    const int firstTabX = 21 + 3;
    Press(WM_LBUTTONDOWN, firstTabX, 10);
    // Find a point on the second tab as drawn.
    int secondTabX = firstTabX;
    while (m_strip.HitTest(CPoint(secondTabX, 10)) == 0) ++secondTabX;
    ASSERT_EQ(m_strip.HitTest(CPoint(secondTabX, 10)), 1);

    Press(WM_MOUSEMOVE, secondTabX, 40);   // below the strip: nothing moves
    EXPECT_EQ(Names().front(), L"All");
    Press(WM_MOUSEMOVE, secondTabX, 10);
    EXPECT_EQ(Names(), (std::vector<CString>{L"Group one", L"All", L"Group two", L"Group three"}));
    EXPECT_EQ(m_strip.GetSelectedTabName(), L"All");
    EXPECT_NE(GetCapture(), m_strip.GetSafeHwnd());

    // The drag has ended: moving on does not move the tab again.
    Press(WM_MOUSEMOVE, secondTabX + 300, 10);
    EXPECT_EQ(Names()[1], L"All");
}

TEST_F(ShellGroupTabCtrlTest, AltF4MeantForTheStripIsSwallowed)
{
    MSG msg = {};
    msg.hwnd = m_strip.GetSafeHwnd();
    msg.message = WM_SYSKEYDOWN;
    msg.wParam = VK_F4;
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(&msg));
    msg.wParam = VK_F5;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(&msg));
    msg.hwnd = m_parent.GetSafeHwnd();
    msg.wParam = VK_F4;
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(&msg));
}

}  // namespace
