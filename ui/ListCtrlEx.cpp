#include "ui/ListCtrlEx.h"

#include "ui/core/ScrollGeometry.h"
#include "ui/core/TextFit.h"

namespace {

constexpr int kFirstColumnIndent = 2;
constexpr UINT kCellTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

} // namespace

CString FitTextWithEllipsis(CDC* dc, const CString& text, int width)
{
    HDC hdc = dc ? dc->GetSafeHdc() : nullptr;
    if (!hdc)
        return text;
    const std::wstring fitted = FitTextWithEllipsis(text.Str(), width,
        [hdc](const wchar_t* chars, size_t count) {
            SIZE size = {0, 0};
            ::GetTextExtentPoint32W(hdc, chars, static_cast<int>(count), &size);
            return static_cast<int>(size.cx);
        });
    return CString(fitted);
}

BEGIN_MESSAGE_MAP(CListCtrlEx, CListCtrl)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

void CListCtrlEx::SetRowColors(COLORREF background, COLORREF text)
{
    m_background = background;
    m_textColor = text;
}

void CListCtrlEx::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    item->itemHeight = static_cast<UINT>(m_rowHeight);
}

LRESULT CListCtrlEx::OnSetFont(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    // The list asks for its row height again only when its size changes: tell it it did.
    RECT rect;
    GetWindowRect(&rect);
    WINDOWPOS pos = {};
    pos.hwnd = m_hWnd;
    pos.cx = rect.right - rect.left;
    pos.cy = rect.bottom - rect.top;
    pos.flags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return result;
}

void CListCtrlEx::DrawItem(LPDRAWITEMSTRUCT item)
{
    CDCHandle dc(item->hDC);
    const int index = static_cast<int>(item->itemID);
    RECT row = item->rcItem;
    row.left += 1;
    row.bottom -= 3;
    const bool selected = (item->itemState & ODS_SELECTED) != 0 ||
                          (GetItemState(index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const COLORREF back = selected ? m_textColor : m_background;
    const COLORREF fore = selected ? m_background : m_textColor;
    dc.FillSolidRect(row, back);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(fore);

    const int imageWidth = DrawItemImage(dc, index, row);
    HWND header = GetHeaderWnd();
    int columns = header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    if (columns < 1)
        columns = 1;
    int left = item->rcItem.left;
    for (int column = 0; column < columns; ++column) {
        const int width = GetColumnWidth(column);
        RECT cell = {left, row.top, left + width, row.bottom};
        left += width;
        if (column == 0) {
            cell.left += imageWidth + kFirstColumnIndent;
            DrawCellText(dc, GetItemText(index, column), cell, DT_LEFT);
        } else {
            DrawCellText(dc, GetItemText(index, column), cell, DT_CENTER);
        }
    }
}

int CListCtrlEx::DrawItemImage(CDC& dc, int index, const RECT& row)
{
    HIMAGELIST images = GetImageList(LVSIL_SMALL);
    if (!images)
        return 0;
    LVITEMW info = {};
    info.mask = LVIF_IMAGE;
    info.iItem = index;
    int width = 0;
    int height = 0;
    if (!GetItem(&info) || !ImageList_GetIconSize(images, &width, &height))
        return 0;
    const int rowHeight = row.bottom - row.top;
    const int y = row.top + (rowHeight > height ? (rowHeight - height) / 2 : 0);
    ImageList_Draw(images, info.iImage, dc.GetSafeHdc(), row.left, y, ILD_TRANSPARENT);
    return width;
}

void CListCtrlEx::DrawCellText(CDC& dc, const CString& text, RECT cell, UINT align)
{
    const CString fitted = FitTextWithEllipsis(&dc, text, cell.right - cell.left);
    dc.DrawText(fitted, fitted.GetLength(), &cell, align | kCellTextFormat);
}

BOOL CListCtrlEx::ScrollToThumb(int bar, UINT code, UINT position)
{
    if (code != SB_THUMBTRACK && code != SB_THUMBPOSITION)
        return FALSE;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_hWnd, bar, &info))
        return TRUE;   // nothing to scroll
    RECT client;
    GetClientRect(&client);
    // Only the dragged direction moves.
    SIZE delta = {0, 0};
    if (bar == SB_VERT)
        delta.cy = ListScrollPixels(static_cast<int>(position), info.nPos, info.nMax,
                                    static_cast<int>(info.nPage), client.bottom);
    else
        delta.cx = ListScrollPixels(static_cast<int>(position), info.nPos, info.nMax,
                                    static_cast<int>(info.nPage), client.right);
    if (delta.cx != 0 || delta.cy != 0)
        Scroll(delta);
    return TRUE;
}

void CListCtrlEx::OnVScroll(UINT code, UINT position, CScrollBar* bar)
{
    if (!ScrollToThumb(SB_VERT, code, position))
        Default();
}

void CListCtrlEx::OnHScroll(UINT code, UINT position, CScrollBar* bar)
{
    if (!ScrollToThumb(SB_HORZ, code, position))
        Default();
}
