// CWnd's conveniences that take more than one call; Wnd.cpp holds the window mechanism.
#include "framework/Wnd.h"

#include "framework/DC.h"

#include <algorithm>

void CWnd::GetWindowText(CString& text) const
{
    const int length = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer(-1);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    const DWORD style = GetExStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(changed));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

void CWnd::CenterWindow(HWND alternateOwner)
{
    HWND around = alternateOwner ? alternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
    const bool child = (GetStyle() & WS_CHILD) != 0;
    if (child)
        around = ::GetParent(m_hWnd);
    RECT area = {};
    if (around && ::IsWindowVisible(around) && !::IsIconic(around)) {
        child ? ::GetClientRect(around, &area) : ::GetWindowRect(around, &area);
    } else {
        MONITORINFO monitor = {sizeof(monitor), {}, {}, 0};
        ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    RECT own = {};
    ::GetWindowRect(m_hWnd, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    if (!child) {
        // Centred on an owner at the screen's edge (the pen toolbar) a window would stand partly,
        // buttons too, off its monitor: it is kept inside the monitor's work area.
        MONITORINFO monitor = {sizeof(monitor), {}, {}, 0};
        const POINT centre = {x + width / 2, y + height / 2};
        if (::GetMonitorInfoW(::MonitorFromPoint(centre, MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT& work = monitor.rcWork;
            x = std::max<int>(work.left, std::min<int>(x, work.right - width));
            y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
        }
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const
{
    placement->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, placement);
}

CDC* CWnd::GetDC()
{
    HDC hDC = ::GetDC(m_hWnd);
    if (!hDC)
        return nullptr;
    CDC* dc = new CDC;
    dc->Attach(hDC);
    return dc;
}

int CWnd::ReleaseDC(CDC* dc)
{
    if (!dc)
        return 0;
    const int released = ::ReleaseDC(m_hWnd, dc->Detach());
    delete dc;
    return released;
}

int CWnd::GetDlgItemText(int id, CString& text) const
{
    text.Empty();
    HWND item = ::GetDlgItem(m_hWnd, id);
    if (!item)
        return 0;
    const int length = ::GetWindowTextLengthW(item);
    ::GetWindowTextW(item, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer(-1);
    return text.GetLength();
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SendMessageW(child, message, wParam, lParam);
        if (deep && ::GetWindow(child, GW_CHILD))
            FromHandle(child)->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}
