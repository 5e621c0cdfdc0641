// CPaintDC: BeginPaint/EndPaint around a WM_PAINT handler.
#pragma once

#include "framework/Wnd.h"

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps = {};

private:
    HWND m_hWnd;
};
