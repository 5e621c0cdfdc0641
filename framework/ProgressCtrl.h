// CProgressCtrl: the system progress bar.
#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

class CProgressCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateEx(0, PROGRESS_CLASSW, L"", style | WS_CHILD, rect, parent, id);
    }
    void SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
    int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position))); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    COLORREF SetBarColor(COLORREF colour) { return static_cast<COLORREF>(SendMessage(PBM_SETBARCOLOR, 0, colour)); }
};
