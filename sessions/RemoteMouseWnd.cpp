#include "sessions/RemoteMouseWnd.h"

#include "sessions/CommunicationWnd.h"

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

void CRemoteMouseWnd::Forward(UINT flags, CPoint point, QueueMouse queue)
{
    if (CRemoteInputQueue* input = InputAt(point)) {
        queue(*input, flags, point);
        OnQueued(*input);
    }
    Default();
}

void CRemoteMouseWnd::OnLButtonDown(UINT flags, CPoint point) { Forward(flags, point, CCommunicationWnd::QueueLButtonDown); }
void CRemoteMouseWnd::OnLButtonUp(UINT flags, CPoint point) { Forward(flags, point, CCommunicationWnd::QueueLButtonUp); }
void CRemoteMouseWnd::OnLButtonDblClk(UINT flags, CPoint point) { Forward(flags, point, CCommunicationWnd::QueueLButtonDblClk); }
void CRemoteMouseWnd::OnRButtonDown(UINT flags, CPoint point) { Forward(flags, point, CCommunicationWnd::QueueRButtonDown); }
void CRemoteMouseWnd::OnRButtonUp(UINT flags, CPoint point) { Forward(flags, point, CCommunicationWnd::QueueRButtonUp); }
void CRemoteMouseWnd::OnRButtonDblClk(UINT flags, CPoint point) { Forward(flags, point, CCommunicationWnd::QueueRButtonDblClk); }
void CRemoteMouseWnd::OnMButtonDown(UINT flags, CPoint point) { Forward(flags, point, CCommunicationWnd::QueueMButtonDown); }
void CRemoteMouseWnd::OnMButtonUp(UINT flags, CPoint point) { Forward(flags, point, CCommunicationWnd::QueueMButtonUp); }
void CRemoteMouseWnd::OnMButtonDblClk(UINT flags, CPoint point) { Forward(flags, point, CCommunicationWnd::QueueMButtonDblClk); }
void CRemoteMouseWnd::OnMouseMove(UINT flags, CPoint point) { Forward(flags, point, CCommunicationWnd::QueueMouseMove); }

BOOL CRemoteMouseWnd::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    ::ScreenToClient(m_hWnd, &point);   // the wheel's point comes in screen coordinates
    if (CRemoteInputQueue* input = InputAt(point)) {
        CCommunicationWnd::QueueMouseWheel(*input, flags, point, delta);
        OnQueued(*input);
    }
    return TRUE;
}
