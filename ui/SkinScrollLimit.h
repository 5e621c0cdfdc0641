// CSkinScrollLimit: the inner window of a skinned-scroll wrapper, the wrapped control's parent.
// The control's notifications that it does not handle itself (reflected) go on to the
// wrapper's parent, as if the control were still that window's child.
#pragma once

#include "framework/Wnd.h"

class CSkinScrollLimit : public CWnd {
public:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message != WM_NOTIFY && message != WM_COMMAND)
            return CWnd::OnWndMsg(message, wParam, lParam, pResult);
        HWND frame = ::GetParent(m_hWnd);
        HWND owner = frame ? ::GetParent(frame) : nullptr;
        *pResult = owner ? ::SendMessageW(owner, message, wParam, lParam) : 0;
        return TRUE;
    }
};
