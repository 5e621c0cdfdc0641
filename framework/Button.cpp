#include "framework/Button.h"

BOOL CButton::Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, L"BUTTON", caption, style, rect, parent, id);
}
