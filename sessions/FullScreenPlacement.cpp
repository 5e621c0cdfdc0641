#include "sessions/FullScreenPlacement.h"

#include <algorithm>

namespace {

// The monitor whose rectangle holds the point, from the display devices and their current
// settings; the primary screen when none does.
CRect MonitorHolding(POINT point)
{
    CRect cover(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    DISPLAY_DEVICEW device = {};
    device.cb = sizeof(device);
    for (DWORD i = 0; ::EnumDisplayDevicesW(nullptr, i, &device, 0); ++i, device.cb = sizeof(device)) {
        DEVMODEW mode = {};
        mode.dmSize = sizeof(mode);
        if (!(device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) ||
            !::EnumDisplaySettingsW(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode))
            continue;
        const CRect monitor(mode.dmPosition.x, mode.dmPosition.y, mode.dmPosition.x + static_cast<int>(mode.dmPelsWidth),
                            mode.dmPosition.y + static_cast<int>(mode.dmPelsHeight));
        if (::PtInRect(&monitor, point))
            return monitor;
    }
    return cover;
}

} // namespace

bool CFullScreenPlacement::Toggle(CWnd& window)
{
    if (m_on)
        Leave(window);
    else
        Enter(window);
    return m_on;
}

void CFullScreenPlacement::ShrinkToStudent(CWnd& window, int studentWidth, int studentHeight) const
{
    if (m_on || studentWidth <= 0 || studentHeight <= 0)
        return;
    CRect outer;
    CRect client;
    window.GetWindowRect(&outer);
    window.GetClientRect(&client);
    const int width = std::min(outer.Width(), studentWidth + outer.Width() - client.Width());
    const int height = std::min(outer.Height(), studentHeight + outer.Height() - client.Height());
    if (width != outer.Width() || height != outer.Height())
        window.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFullScreenPlacement::Enter(CWnd& window)
{
    const HWND hWnd = window.GetSafeHwnd();
    m_on = true;
    window.GetWindowRect(&m_savedRect);
    m_savedStyle = ::GetWindowLongPtrW(hWnd, GWL_STYLE);
    m_savedExStyle = ::GetWindowLongPtrW(hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrW(hWnd, GWL_STYLE, WS_VISIBLE | WS_CLIPCHILDREN);
    ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, 0);
    const CRect cover = MonitorHolding({m_savedRect.left, m_savedRect.top});
    window.SetWindowPos(nullptr, cover.left, cover.top, cover.Width(), cover.Height(), SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CFullScreenPlacement::Leave(CWnd& window)
{
    const HWND hWnd = window.GetSafeHwnd();
    m_on = false;
    ::SetWindowLongPtrW(hWnd, GWL_STYLE, m_savedStyle);
    ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, m_savedExStyle);
    window.SetWindowPos(nullptr, m_savedRect.left, m_savedRect.top, m_savedRect.Width(), m_savedRect.Height(),
                        SWP_NOZORDER | SWP_FRAMECHANGED);
}
