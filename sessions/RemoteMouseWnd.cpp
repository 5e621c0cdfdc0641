#include "sessions/RemoteMouseWnd.h"

BEGIN_MESSAGE_MAP(CRemoteMouseWnd, CFrameWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_MBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

void CRemoteMouseWnd::OnLButtonDown(UINT flags, CPoint point) { QueueMouse(WM_LBUTTONDOWN, flags, point, 0); Default(); }
void CRemoteMouseWnd::OnLButtonUp(UINT flags, CPoint point) { QueueMouse(WM_LBUTTONUP, flags, point, 0); Default(); }
void CRemoteMouseWnd::OnLButtonDblClk(UINT flags, CPoint point) { QueueMouse(WM_LBUTTONDBLCLK, flags, point, 0); Default(); }
void CRemoteMouseWnd::OnRButtonDown(UINT flags, CPoint point) { QueueMouse(WM_RBUTTONDOWN, flags, point, 0); Default(); }
void CRemoteMouseWnd::OnRButtonUp(UINT flags, CPoint point) { QueueMouse(WM_RBUTTONUP, flags, point, 0); Default(); }
void CRemoteMouseWnd::OnRButtonDblClk(UINT flags, CPoint point) { QueueMouse(WM_RBUTTONDBLCLK, flags, point, 0); Default(); }
void CRemoteMouseWnd::OnMButtonDown(UINT flags, CPoint point) { QueueMouse(WM_MBUTTONDOWN, flags, point, 0); Default(); }
void CRemoteMouseWnd::OnMButtonUp(UINT flags, CPoint point) { QueueMouse(WM_MBUTTONUP, flags, point, 0); Default(); }
void CRemoteMouseWnd::OnMButtonDblClk(UINT flags, CPoint point) { QueueMouse(WM_MBUTTONDBLCLK, flags, point, 0); Default(); }
void CRemoteMouseWnd::OnMouseMove(UINT flags, CPoint point) { QueueMouse(WM_MOUSEMOVE, flags, point, 0); Default(); }

BOOL CRemoteMouseWnd::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    ::ScreenToClient(m_hWnd, &point);   // the wheel's point comes in screen coordinates
    QueueMouse(WM_MOUSEWHEEL, flags, point, delta);
    return TRUE;
}
