#include "framework/ToolTipCtrl.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | style,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  parent ? parent->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

// The size every comctl32 version accepts (the newer, larger one is refused by version 5).
TOOLINFOW CToolTipCtrl::MakeToolInfo(CWnd* wnd, UINT_PTR toolId, LPCWSTR text,
                                     const RECT* rect) const
{
    TOOLINFOW info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = wnd ? wnd->GetSafeHwnd() : nullptr;
    info.uFlags = 0;   // the owner relays mouse messages (RelayEvent)
    if (rect) {
        info.uId = toolId;
        info.rect = *rect;
    } else {
        info.uFlags |= TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(info.hwnd);
    }
    info.lpszText = const_cast<LPWSTR>(text ? text : L"");
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCWSTR text, const RECT* rect, UINT_PTR toolId)
{
    TOOLINFOW info = MakeToolInfo(wnd, toolId, text, rect);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFOW info = MakeToolInfo(wnd, toolId, nullptr, nullptr);
    if (toolId) {
        info.uFlags &= ~TTF_IDISHWND;
        info.uId = toolId;
    }
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFOW info = MakeToolInfo(wnd, toolId, text, nullptr);
    if (toolId) {
        info.uFlags &= ~TTF_IDISHWND;
        info.uId = toolId;
    }
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::Activate(BOOL activate)
{
    SendMessage(TTM_ACTIVATE, activate);
}

void CToolTipCtrl::RelayEvent(MSG* msg)
{
    if (m_hWnd && msg)
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

int CToolTipCtrl::SetMaxTipWidth(int width)
{
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width));
}

void CToolTipCtrl::SetDelayTime(DWORD kind, int milliseconds)
{
    SendMessage(TTM_SETDELAYTIME, kind, MAKELPARAM(milliseconds, 0));
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}
