// CListCtrlEx: the owner-drawn report list of the console's dialogs: rows of a set height in
// two colours that swap for the selected row, texts cut with "..." to their columns, and
// thumb positions from the skinned scroll bars turned into pixel scrolling.
#pragma once

#include "framework/ListCtrl.h"

class CDC;

// The text when it fits the width, else its longest start that fits with "..." after it
// (measured in the DC's font).
CString FitTextWithEllipsis(CDC* dc, const CString& text, int width);

class CListCtrlEx : public CListCtrl {
public:
    void SetRowHeight(int height) { m_rowHeight = height; }
    int GetRowHeight() const { return m_rowHeight; }
    // Unselected rows: text on background; the selected row the other way round.
    void SetRowColors(COLORREF background, COLORREF text);

    DECLARE_MESSAGE_MAP()

protected:
    void DrawItem(LPDRAWITEMSTRUCT item);
    void MeasureItem(LPMEASUREITEMSTRUCT item);
    afx_msg LRESULT OnSetFont(WPARAM font, LPARAM redraw);
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* bar);

private:
    int DrawItemImage(CDC& dc, int item, const RECT& row);
    void DrawCellText(CDC& dc, const CString& text, RECT cell, UINT align);
    // Turns a thumb position into LVM_SCROLL; FALSE for other scroll codes.
    BOOL ScrollToThumb(int bar, UINT code, UINT position);

    int m_rowHeight = 20;
    COLORREF m_background = RGB(255, 255, 255);
    COLORREF m_textColor = RGB(0, 0, 0);
};
