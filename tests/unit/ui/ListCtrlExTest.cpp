#include "ui/ListCtrlEx.h"

#include "PictureTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kListId = 1101;
const COLORREF kRowBackground = RGB(14, 8, 6);
const COLORREF kRowText = RGB(190, 188, 188);
const COLORREF kWhite = RGB(255, 255, 255);

class ListCtrlExTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Open());
        m_list.SetRowHeight(24);
        m_list.SetRowColors(kRowBackground, kRowText);
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED,
                                  RECT{0, 0, 300, 200}, &m_parent, kListId));
        m_list.InsertColumn(0, L"name", LVCFMT_LEFT, 120);
        m_list.InsertColumn(1, L"state", LVCFMT_CENTER, 80);
        m_list.InsertItem(0, L"first");
        m_list.InsertItem(1, L"second");
        m_list.SetItemText(1, 1, L"ready");
    }

    // Has the list draw one row into a memory bitmap (white before), as the parent's
    // WM_DRAWITEM would have it, and gives a pixel of it.
    void DrawRow(int item, bool selected)
    {
        m_canvas.CreateCompatibleDC(nullptr);
        HDC screen = ::GetDC(nullptr);
        m_bitmap = ::CreateCompatibleBitmap(screen, 300, 24);
        ::ReleaseDC(nullptr, screen);
        m_old = m_canvas.SelectObject(m_bitmap);
        m_canvas.FillSolidRect(0, 0, 300, 24, kWhite);
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_LISTVIEW;
        draw.CtlID = kListId;
        draw.itemID = static_cast<UINT>(item);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = selected ? ODS_SELECTED : 0;
        draw.hwndItem = m_list.m_hWnd;
        draw.hDC = m_canvas.GetSafeHdc();
        draw.rcItem = RECT{0, 0, 300, 24};
        m_parent.SendMessage(WM_DRAWITEM, kListId, reinterpret_cast<LPARAM>(&draw));
    }
    void TearDown() override
    {
        if (m_old)
            m_canvas.SelectObject(m_old);
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
    }

    CTestParentWnd m_parent;
    CListCtrlEx m_list;
    CDC m_canvas;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

TEST_F(ListCtrlExTest, RowsUseTheirColoursSwappedWhenSelected)
{
    DrawRow(0, false);
    EXPECT_EQ(m_canvas.GetPixel(100, 5), kRowBackground);
    EXPECT_EQ(m_canvas.GetPixel(0, 5), kWhite);     // one pixel in from the left
    EXPECT_EQ(m_canvas.GetPixel(100, 21), kWhite);  // three pixels shorter
    EXPECT_EQ(m_canvas.GetPixel(100, 20), kRowBackground);
}

TEST_F(ListCtrlExTest, SelectedRowSwapsTheColours)
{
    DrawRow(1, true);
    EXPECT_EQ(m_canvas.GetPixel(100, 5), kRowText);
    EXPECT_EQ(m_canvas.GetPixel(250, 5), kRowText);
}

TEST_F(ListCtrlExTest, RowHeightAppliesAgainAfterAFontChange)
{
    m_list.SetRowHeight(31);
    m_list.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    RECT row;
    ASSERT_TRUE(m_list.GetItemRect(0, &row, LVIR_BOUNDS));
    EXPECT_EQ(row.bottom - row.top, 31);
}

TEST(ListTextFitDcTest, CutsToTheWidthMeasuredInTheFont)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
    const CString text(L"Lumora Teacher console");
    const int full = dc.GetTextExtent(text).cx;
    const int dots = dc.GetTextExtent(L"...").cx;
    ASSERT_GT(full, dots);

    EXPECT_EQ(FitTextWithEllipsis(&dc, text, full), text);   // exactly as wide: untouched
    const CString cut = FitTextWithEllipsis(&dc, text, full - 1);
    EXPECT_EQ(cut.Right(3), L"...");
    EXPECT_LE(dc.GetTextExtent(cut).cx, full - 1);
    EXPECT_EQ(text.Left(cut.GetLength() - 3), cut.Left(cut.GetLength() - 3));
    EXPECT_EQ(FitTextWithEllipsis(&dc, text, dots - 1), L"...");
    EXPECT_EQ(FitTextWithEllipsis(&dc, text, 0), L"...");

    const CString longText(L'W', 3000);   // longer than any fixed buffer would have been
    const CString longCut = FitTextWithEllipsis(&dc, longText, 200);
    EXPECT_EQ(longCut.Right(3), L"...");
    EXPECT_LE(dc.GetTextExtent(longCut).cx, 200);
}

} // namespace
