#include "ui/NTOSDWindow.h"

#include "PictureTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Records the WM_CHILD_CLOSED it is sent.
class COsdNotifyWnd : public CWnd {
public:
    HWND m_closed = nullptr;
    int m_count = 0;

    LRESULT OnChildClosed(WPARAM wParam, LPARAM)
    {
        m_closed = reinterpret_cast<HWND>(wParam);
        ++m_count;
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COsdNotifyWnd, CWnd)
    ON_MESSAGE(WM_CHILD_CLOSED, OnChildClosed)
END_MESSAGE_MAP()

class OsdWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_notify.CreateMessageWindow());
        m_holder.x = 10;
        m_holder.y = 12;
        m_holder.notifyWnd = m_notify.m_hWnd;
    }
    void TearDown() override
    {
        DestroyOsdWindow(m_holder);
        m_notify.DestroyWindow();
    }

    COsdNotifyWnd m_notify;
    OSDWindowHolder m_holder;
};

TEST_F(OsdWindowTest, HelloIs71By25AtTheHoldersPositionAndTellsItsOwnerWhenDone)
{
    ShowOsdWindow(m_holder, L"Hello", 100);
    ASSERT_NE(m_holder.window, nullptr);
    HWND osd = m_holder.window->m_hWnd;
    RECT rect;
    ::GetWindowRect(osd, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 12);
    EXPECT_EQ(rect.right - rect.left, 71);
    EXPECT_EQ(rect.bottom - rect.top, 25);
    EXPECT_TRUE(::IsWindowVisible(osd));
    const LONG_PTR exStyle = ::GetWindowLongPtrW(osd, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & 0x800A8, 0x800A8);   // layered, tool window, topmost, transparent

    ASSERT_TRUE(PumpUntil([&] { return m_notify.m_count > 0; }));
    EXPECT_EQ(m_notify.m_closed, osd);
    EXPECT_EQ(m_notify.m_count, 1);
    EXPECT_FALSE(::IsWindowVisible(osd));   // hidden, not destroyed: its holder decides
    EXPECT_TRUE(::IsWindow(osd));
}

TEST_F(OsdWindowTest, ShowingAgainReplacesTheWindow)
{
    ShowOsdWindow(m_holder, L"one", 60000);
    ASSERT_NE(m_holder.window, nullptr);
    HWND first = m_holder.window->m_hWnd;
    ShowOsdWindow(m_holder, L"second", 60000);
    ASSERT_NE(m_holder.window, nullptr);
    EXPECT_FALSE(::IsWindow(first));
    RECT rect;
    ::GetWindowRect(m_holder.window->m_hWnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 13 * 6 + 6);
    DestroyOsdWindow(m_holder);
    EXPECT_EQ(m_holder.window, nullptr);
}

TEST_F(OsdWindowTest, WidthCountsAnsiBytes)
{
    EXPECT_EQ(COSDWndBase::WidthForText(L""), 6);
    EXPECT_EQ(COSDWndBase::WidthForText(nullptr), 6);
    EXPECT_EQ(COSDWndBase::WidthForText(L"Hello"), 71);
}

// Run with LANG=ko_KR.UTF-8 (code page 949) to see it.
TEST_F(OsdWindowTest, KoreanTakesTwoAnsiBytesACharacter)
{
    if (GetACP() != 949)
        GTEST_SKIP() << "Korean takes two bytes a character only in code page 949";
    EXPECT_EQ(COSDWndBase::WidthForText(L"\xD654\xBA74\xACF5\xC720\xC911"), 13 * 10 + 6);
}

} // namespace
