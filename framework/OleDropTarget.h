// COleDropTarget: makes a window an OLE drop target (RegisterDragDrop, OLE started on the
// thread). The drag callbacks arrive as the virtual On... calls with points in the window's
// client coordinates; for a view the defaults pass them to the view's own On... handlers.
#pragma once

#include "framework/OleDataObject.h"
#include "framework/Wnd.h"

class COleDropTarget {
public:
    COleDropTarget();
    virtual ~COleDropTarget();

    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // FALSE when OLE refused (not started on this thread, or the window already has a target).
    BOOL Register(CWnd* wnd);
    void Revoke();
    CWnd* GetWindow() const { return m_pWnd; }

    virtual DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point);
    virtual BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point);
    // -1: not handled, OnDrop decides.
    virtual DROPEFFECT OnDropEx(CWnd* wnd, COleDataObject* data, DROPEFFECT defaultEffect,
                                DROPEFFECT allowed, CPoint point);
    virtual void OnDragLeave(CWnd* wnd);

private:
    class XDropTarget : public IDropTarget {
    public:
        explicit XDropTarget(COleDropTarget* owner) : m_owner(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }    // lives with its owner
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                            DWORD* effect) override;
        HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
        HRESULT STDMETHODCALLTYPE DragLeave() override;
        HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                       DWORD* effect) override;

    private:
        COleDropTarget* m_owner;
    };

    CPoint ClientPoint(POINTL screen) const;

    XDropTarget m_xDropTarget;
    CWnd* m_pWnd = nullptr;
    COleDataObject m_dataObject;   // the data of the drag under way
};
