// CView: the child window of a frame that shows a document. Views are made by their frame
// from the create context (CreateView) and delete themselves when their window goes.
#pragma once

#include "framework/CreateContext.h"
#include "framework/Wnd.h"

#include "framework/OleDataObject.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    // The view as a child of the parent; the create context's document gets the view.
    BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id, CCreateContext* context = nullptr);
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

    // Called once by the frame after the document is ready; calls OnUpdate.
    virtual void OnInitialUpdate();
    // The document changed (default: repaint).
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnPrepareDC(CDC* dc) {}
    virtual void OnActivateView(BOOL activate, CView* activated, CView* deactivated) {}

    // OLE drag and drop on the view (COleDropTarget registered for it).
    virtual DROPEFFECT OnDragEnter(COleDataObject* data, DWORD keyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, CPoint point);
    virtual BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point);
    // -1: not handled here, OnDrop decides.
    virtual DROPEFFECT OnDropEx(COleDataObject* data, DROPEFFECT defaultEffect,
                                DROPEFFECT allowed, CPoint point);
    virtual void OnDragLeave() {}

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message);
    DECLARE_MESSAGE_MAP()

protected:
    void PostNcDestroy() override;

    CDocument* m_pDocument = nullptr;

private:
    friend class CDocument;
    CFrameWnd* m_pFrame = nullptr;   // the frame it was made in
};

// The standard style of a view made by its frame, and the id of the frame's main view.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE)
#define AFX_IDW_PANE_FIRST 0xE900
