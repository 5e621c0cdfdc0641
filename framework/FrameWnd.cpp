#include "framework/FrameWnd.h"

#include "framework/Document.h"
#include "framework/View.h"
#include "framework/WinApp.h"

#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    m_nIDHelp = resourceId;
    CString docString;
    docString.LoadString(resourceId);
    const int end = docString.Find(L'\n');
    m_strTitle = end < 0 ? docString : docString.Left(end);
    return Create(nullptr, m_strTitle, style, rectDefault, parent, 0, context);
}

BOOL CFrameWnd::Create(LPCWSTR className, LPCWSTR title, DWORD style, const RECT& rect,
                       CWnd* parent, DWORD exStyle, CCreateContext* context)
{
    if (title)
        m_strTitle = title;
    // With CW_USEDEFAULT as x, Windows chooses the size too.
    const bool defaultPlace = rect.left == CW_USEDEFAULT;
    return CreateEx(exStyle, className, title, style, rect.left, rect.top,
                    defaultPlace ? CW_USEDEFAULT : rect.right - rect.left,
                    defaultPlace ? CW_USEDEFAULT : rect.bottom - rect.top,
                    parent ? parent->GetSafeHwnd() : nullptr, nullptr, context);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (!cs.lpszClass) {
        HICON icon = m_nIDHelp ? ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDHelp))
                               : nullptr;
        if (!icon && m_nIDHelp)
            icon = ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDHelp));
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    }
    // The frame-only bit means nothing to Windows.
    m_bAddToTitle = (cs.style & FWS_ADDTOTITLE) != 0;
    cs.style &= ~FWS_ADDTOTITLE;
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (!OnCreateClient(cs, context))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context)
{
    if (!context || !context->m_pNewViewClass)
        return TRUE;
    return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    if (!context || !context->m_pNewViewClass)
        return nullptr;
    CObject* object = context->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object);
    if (!view) {
        delete object;
        TRACE(L"CreateView: the class is not a dynamically creatable view\n");
        return nullptr;
    }
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, id, context)) {
        // A view whose window existed deleted itself when it went.
        if (!CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, static_cast<int>(id))))
            TRACE(L"CreateView: the view window could not be made\n");
        return nullptr;
    }
    return view;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    HWND view = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (!view)
        return;
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(m_rectBorder);
    if (client.right < client.left)
        client.right = client.left;
    if (client.bottom < client.top)
        client.bottom = client.top;
    ::MoveWindow(view, client.left, client.top, client.Width(), client.Height(), TRUE);
}

void CFrameWnd::OnSize(UINT type, int width, int height)
{
    CWnd::OnSize(type, width, height);
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::ActivateFrame(int cmdShow)
{
    if (cmdShow == -1) {
        if (!IsWindowVisible())
            cmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            cmdShow = SW_RESTORE;
    }
    if (cmdShow != -1)
        ShowWindow(cmdShow);
    if (IsWindowVisible())
        BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible)
{
    CView* view = m_pViewActive;
    if (!view)
        view = dynamic_cast<CView*>(CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)));
    if (view && !m_pViewActive)
        SetActiveView(view, FALSE);

    // Every view of this frame whose document is this one (or any, without a document).
    std::vector<CView*> views;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto* childView = dynamic_cast<CView*>(CWnd::FromHandlePermanent(child));
        if (childView && (!doc || childView->GetDocument() == doc))
            views.push_back(childView);
    }
    for (CView* each : views)
        each->OnInitialUpdate();

    if (makeVisible && m_hWnd) {
        int cmdShow = -1;
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == this && app->m_nCmdShow != -1) {
            cmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1;   // only the first showing takes it
        }
        ActivateFrame(cmdShow);
        if (m_pViewActive)
            m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
    if (m_hWnd)
        OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (!m_bAddToTitle || !addToTitle)
        return;
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->GetTitle().IsEmpty())
        SetWindowText(doc->GetTitle() + L" - " + m_strTitle);
    else
        SetWindowText(m_strTitle);
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify)
{
    CView* previous = m_pViewActive;
    if (view == previous)
        return;
    m_pViewActive = view;
    if (!notify)
        return;
    if (previous)
        previous->OnActivateView(FALSE, view, previous);
    if (view) {
        view->OnActivateView(TRUE, view, previous);
        if (view->GetSafeHwnd())
            view->SetFocus();
    }
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    if (doc && doc->m_bAutoDelete) {
        doc->OnCloseDocument();   // destroys this frame (and deletes this object)
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd* old)
{
    if (m_pViewActive && m_pViewActive->GetSafeHwnd())
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(old);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
