#include "framework/View.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/PaintDC.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    if (!m_hWnd)
        return m_pFrame;
    for (HWND parent = ::GetParent(m_hWnd); parent; parent = ::GetParent(parent)) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(parent)))
            return frame;
    }
    return nullptr;
}

BOOL CView::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                   CWnd* parent, UINT id, CCreateContext* context)
{
    return CreateEx(0, className, windowName, style, rect, parent, id, context);
}

BOOL CView::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                           ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    m_pFrame = GetParentFrame();
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message)
{
    const int result = CWnd::OnMouseActivate(topLevel, hitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->GetActiveView() != this)
        frame->SetActiveView(this);
    return result;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject)
{
    Invalidate(TRUE);
}

DROPEFFECT CView::OnDragEnter(COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT CView::OnDragOver(COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

BOOL CView::OnDrop(COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT CView::OnDropEx(COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return static_cast<DROPEFFECT>(-1);
}

void CView::PostNcDestroy()
{
    if (m_pFrame && m_pFrame->GetActiveView() == this)
        m_pFrame->SetActiveView(nullptr, FALSE);
    delete this;
}
