// CClientDC: the client area's context of a window, released when the object goes.
#pragma once

#include "framework/Wnd.h"

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
