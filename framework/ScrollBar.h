// CScrollBar: the system scroll-bar control.
#pragma once

#include "framework/Wnd.h"

class CScrollBar : public CWnd {
public:
    // SBS_VERT or SBS_HORZ in the style.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const;
    BOOL SetScrollInfo(SCROLLINFO* info, BOOL redraw = TRUE);
    int GetScrollPos() const;
    int SetScrollPos(int position, BOOL redraw = TRUE);
    void GetScrollRange(int* minimum, int* maximum) const;
    void SetScrollRange(int minimum, int maximum, BOOL redraw = TRUE);
    BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH);
};
