// CSkinScrollBar: a scroll bar drawn from a skin bitmap. It keeps its own scroll information
// (SBM_SETSCROLLINFO / SBM_GETSCROLLINFO) and reports to its parent as a system bar would,
// with WM_VSCROLL or WM_HSCROLL and its own handle in lParam.
#pragma once

#include "framework/ScrollBar.h"
#include "ui/core/ScrollGeometry.h"

class CSkinScrollBar : public CScrollBar {
public:
    // A hidden bar; the skin bitmap stays its owner's and must outlive the bar.
    BOOL CreateBar(BOOL vertical, const RECT& rect, CWnd* parent, UINT id, HBITMAP skin,
                   int arrowSize);

    BOOL IsVertical() const { return m_vertical; }
    BOOL IsDragging() const { return m_dragging; }
    const ScrollState& GetState() const { return m_state; }
    // Where the parts lie now (for hit tests from outside, and tests).
    ScrollBarGeometry GetGeometry() const;

    // Skin cells of the bitmap, each arrowSize wide, in rows normal, hover, pressed, disabled.
    enum SkinCell { kCellUp, kCellDown, kCellVTrack, kCellVThumb, kCellLeft, kCellRight,
                    kCellHTrack, kCellHThumb, kCellCorner, kCellCount };
    // Copies one cell (row 0) into a rectangle of the DC, stretched to it.
    static void DrawSkinCell(HDC dc, HBITMAP skin, int arrowSize, int cell, int row,
                             const RECT& target);

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg LRESULT OnSetScrollInfo(WPARAM redraw, LPARAM info);
    afx_msg LRESULT OnGetScrollInfo(WPARAM unused, LPARAM info);

private:
    int AlongBar(CPoint point) const { return m_vertical ? point.y : point.x; }
    RECT PartRect(const ScrollBarGeometry& geometry, int part) const;
    int CellForPart(int part) const;
    int RowForPart(int part) const;
    void SendScroll(UINT code, int position = 0);
    void RepeatPressedPart();
    void EndMouseAction();

    BOOL m_vertical = TRUE;
    HBITMAP m_skin = nullptr;
    int m_arrow = 16;
    int m_length = 0;
    ScrollState m_state;
    BOOL m_dragging = FALSE;
    int m_dragStartMouse = 0;
    int m_dragStartPosition = 0;
    int m_pressedPart = kScrollPartNone;
    int m_hoverPart = kScrollPartNone;
    BOOL m_repeating = FALSE;
    BOOL m_trackingLeave = FALSE;
};
