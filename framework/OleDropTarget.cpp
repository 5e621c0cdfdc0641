#include "framework/OleDropTarget.h"

#include "framework/ExceptionGuard.h"
#include "framework/View.h"

namespace {

// The effect asked for, limited to what the source allows (scrolling always passes).
DWORD Allowed(DROPEFFECT wanted, DWORD allowed)
{
    return static_cast<DWORD>(wanted) & (allowed | DROPEFFECT_SCROLL);
}

CView* AsView(CWnd* wnd)
{
    return dynamic_cast<CView*>(wnd);
}

} // namespace

COleDropTarget::COleDropTarget() : m_xDropTarget(this)
{
}

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* wnd)
{
    if (!wnd || !wnd->GetSafeHwnd() || m_pWnd)
        return FALSE;
    if (FAILED(RegisterDragDrop(wnd->GetSafeHwnd(), &m_xDropTarget)))
        return FALSE;
    m_pWnd = wnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_pWnd)
        return;
    if (m_pWnd->GetSafeHwnd())
        RevokeDragDrop(m_pWnd->GetSafeHwnd());
    m_pWnd = nullptr;
    m_dataObject.Release();
}

CPoint COleDropTarget::ClientPoint(POINTL screen) const
{
    CPoint point(screen.x, screen.y);
    if (m_pWnd && m_pWnd->GetSafeHwnd())
        m_pWnd->ScreenToClient(&point);
    return point;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    CView* view = AsView(wnd);
    return view ? view->OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    CView* view = AsView(wnd);
    return view ? view->OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point)
{
    CView* view = AsView(wnd);
    return view ? view->OnDrop(data, effect, point) : FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd* wnd, COleDataObject* data, DROPEFFECT defaultEffect,
                                    DROPEFFECT allowed, CPoint point)
{
    CView* view = AsView(wnd);
    return view ? view->OnDropEx(data, defaultEffect, allowed, point)
                : static_cast<DROPEFFECT>(-1);
}

void COleDropTarget::OnDragLeave(CWnd* wnd)
{
    if (CView* view = AsView(wnd))
        view->OnDragLeave();
}

HRESULT COleDropTarget::XDropTarget::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// No exception may leave a COM call: a failing handler refuses the drop.
HRESULT COleDropTarget::XDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                               DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    DWORD answer = DROPEFFECT_NONE;
    AfxCallGuarded(L"a drag callback", [&] {
        m_owner->m_dataObject.Attach(data, TRUE);
        answer = Allowed(m_owner->OnDragEnter(m_owner->m_pWnd, &m_owner->m_dataObject, keyState,
                                              m_owner->ClientPoint(point)),
                         *effect);
    });
    *effect = answer;
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    DWORD answer = DROPEFFECT_NONE;
    AfxCallGuarded(L"a drag callback", [&] {
        answer = Allowed(m_owner->OnDragOver(m_owner->m_pWnd, &m_owner->m_dataObject, keyState,
                                             m_owner->ClientPoint(point)),
                         *effect);
    });
    *effect = answer;
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::DragLeave()
{
    AfxCallGuarded(L"a drag callback", [&] { m_owner->OnDragLeave(m_owner->m_pWnd); });
    m_owner->m_dataObject.Release();
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point,
                                          DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    const DWORD allowed = *effect;
    DROPEFFECT result = DROPEFFECT_NONE;
    const bool completed = AfxCallGuarded(L"a drop", [&] {
        COleDropTarget* owner = m_owner;
        owner->m_dataObject.Attach(data, TRUE);
        const CPoint where = owner->ClientPoint(point);
        const DROPEFFECT proposed =
            Allowed(owner->OnDragOver(owner->m_pWnd, &owner->m_dataObject, keyState, where), allowed);
        result = owner->OnDropEx(owner->m_pWnd, &owner->m_dataObject, proposed, allowed, where);
        if (result == static_cast<DROPEFFECT>(-1)) {
            result = proposed != DROPEFFECT_NONE &&
                             owner->OnDrop(owner->m_pWnd, &owner->m_dataObject, proposed, where)
                         ? proposed
                         : DROPEFFECT_NONE;
        }
    });
    if (!completed)
        result = DROPEFFECT_NONE;
    m_owner->m_dataObject.Release();
    *effect = result & (allowed | DROPEFFECT_SCROLL);
    return S_OK;
}
