// CWindowDC: the whole window's context (caption and frame included), released when the
// object goes.
#pragma once

#include "framework/Wnd.h"

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};
