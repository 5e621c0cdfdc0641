// CGroupTabCtrl: the strip of group tabs under the main frame's caption band. A click selects a
// group; dragging a tab onto its neighbour reorders them; two buttons scroll the strip by whole
// tabs. Each selection is posted to the parent as WM_GROUP_TAB_SELECTED.
#pragma once

#include "foundation/AppMessages.h"
#include "framework/Afx.h"
#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/Pen.h"
#include "shell/TabObject.h"
#include "shell/core/TabStripModel.h"
#include "ui/ImageButton.h"

class CGroupTabCtrl : public CWnd {
public:
    // A visible child of the window class "GroupTab".
    BOOL Create(const RECT& rect, CWnd* parent, UINT id);

    // Appends an unselected tab.
    void AddTab(const CString& name);
    // Removes the selected tab and selects the one that followed it, or the new last one.
    void RemoveSelectedTab();
    // Selects that tab alone, repaints and tells the parent. Out of range: nothing happens.
    void SelectTab(int index);
    // The same for the first tab of that name; FALSE when there is none.
    BOOL SelectTabByName(const CString& name);

    int GetTabCount() const { return m_tabs.Count(); }
    CString GetTabName(int index) const;
    // The selected tab's name; empty when none is selected.
    CString GetSelectedTabName() const;
    int GetSelectedIndex() const { return m_tabs.SelectedIndex(); }
    int GetScrollIndex() const { return m_tabs.ScrollIndex(); }
    // The tab drawn under a point of the strip, or -1.
    int HitTest(CPoint point) const { return m_tabs.HitTest(point.x, point.y); }

    // Alt+F4 meant for the strip is swallowed.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnScrollLeft();
    afx_msg void OnScrollRight();
    DECLARE_MESSAGE_MAP()

private:
    static LPCWSTR RegisterWindowClass();
    TabStripMetrics ScaledMetrics() const;
    int MeasureName(const CString& name);
    void PlaceScrollButtons(int stripWidth);
    void EndDrag();
    void NotifySelection();

    TabStripModel<CTabObject> m_tabs;
    CImageButton m_scrollLeftButton;
    CImageButton m_scrollRightButton;
    CFont m_font;
    CPen m_pen;
    CBrush m_brush;
    BOOL m_buttonDown = FALSE;
};
