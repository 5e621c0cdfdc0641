#include "ui/OleDropTargetEx.h"

#include "framework/View.h"

namespace {

bool IsView(CWnd* wnd)
{
    return dynamic_cast<CView*>(wnd) != nullptr;
}

LRESULT SendDropMessage(CWnd* wnd, UINT message, COleDropInfo& info)
{
    if (!wnd || !wnd->GetSafeHwnd())
        return 0;
    return wnd->SendMessage(message, reinterpret_cast<WPARAM>(&info), 0);
}

} // namespace

DROPEFFECT COleDropTargetEx::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    if (IsView(wnd))
        return COleDropTarget::OnDragEnter(wnd, data, keyState, point);
    COleDropInfo info(data, keyState, DROPEFFECT_NONE, DROPEFFECT_NONE, point);
    return static_cast<DROPEFFECT>(SendDropMessage(wnd, WM_DROP_ENTER, info));
}

DROPEFFECT COleDropTargetEx::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    if (IsView(wnd))
        return COleDropTarget::OnDragOver(wnd, data, keyState, point);
    COleDropInfo info(data, keyState, DROPEFFECT_NONE, DROPEFFECT_NONE, point);
    return static_cast<DROPEFFECT>(SendDropMessage(wnd, WM_DROP_OVER, info));
}

BOOL COleDropTargetEx::OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point)
{
    if (IsView(wnd))
        return COleDropTarget::OnDrop(wnd, data, effect, point);
    COleDropInfo info(data, 0, effect, DROPEFFECT_NONE, point);
    return static_cast<BOOL>(SendDropMessage(wnd, WM_DROP_DROP, info));
}

DROPEFFECT COleDropTargetEx::OnDropEx(CWnd* wnd, COleDataObject* data, DROPEFFECT defaultEffect,
                                      DROPEFFECT allowed, CPoint point)
{
    if (IsView(wnd))
        return COleDropTarget::OnDropEx(wnd, data, defaultEffect, allowed, point);
    COleDropInfo info(data, 0, defaultEffect, allowed, point);
    // A window that does not answer (0) would refuse every drop; only a real answer counts.
    const LRESULT answer = SendDropMessage(wnd, WM_DROP_DROPEX, info);
    return answer == 0 ? static_cast<DROPEFFECT>(-1) : static_cast<DROPEFFECT>(answer);
}

void COleDropTargetEx::OnDragLeave(CWnd* wnd)
{
    if (IsView(wnd)) {
        COleDropTarget::OnDragLeave(wnd);
        return;
    }
    if (wnd && wnd->GetSafeHwnd())
        wnd->SendMessage(WM_DROP_LEAVE, 0, 0);
}
