#include "activities/pentool/NoteThreadWnd.h"

#include "activities/pentool/NoteToolDlg.h"
#include "foundation/AppMessages.h"
#include "framework/PaintDC.h"
#include "res/resource.h"

#include <new>

BEGIN_MESSAGE_MAP(CNoteThreadWnd, CFrameWnd)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_PAINT()
    ON_WM_GETMINMAXINFO()
    ON_MESSAGE(WM_NOTE_TOOL_NOTIFY, OnNoteToolNotify)
    ON_MESSAGE(WM_NOTE_TOOL_SHOW, OnShowToolbar)
    ON_MESSAGE(WM_NOTE_TOOL_HIDE, OnHidePenTool)
END_MESSAGE_MAP()

CNoteThreadWnd::CNoteThreadWnd(std::shared_ptr<CNoteToolLink> link) : m_link(std::move(link))
{
    m_nIDHelp = 128;   // the program icon
}

CNoteThreadWnd::~CNoteThreadWnd() = default;

BOOL CNoteThreadWnd::CreateThreadWindow()
{
    CString face;
    face.LoadString(IDS_FONT_FACE_LATIN);
    m_font.CreateSimpleFont(25, FW_BOLD, face);
    if (!Create(nullptr, L"Note Thread", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                CRect(0, 0, 100, 100)))
        return FALSE;
    m_link->threadWindow = m_hWnd;
    return TRUE;
}

BOOL CNoteThreadWnd::CreateToolbar()
{
    if (m_toolbar && m_toolbar->GetSafeHwnd() && m_toolbar->IsShown()) return TRUE;
    m_toolbar.reset();
    std::unique_ptr<CNoteToolDlg> toolbar(new (std::nothrow) CNoteToolDlg(m_link, this));
    if (!toolbar || !toolbar->Create()) return FALSE;
    m_toolbar = std::move(toolbar);
    m_toolbar->PlaceWindow();
    return TRUE;
}

LRESULT CNoteThreadWnd::OnShowToolbar(WPARAM, LPARAM)
{
    if (m_toolbar && m_toolbar->GetSafeHwnd())
        m_toolbar->UpdateToolButtons();   // shows it again where it was
    else
        CreateToolbar();
    return 0;
}

LRESULT CNoteThreadWnd::OnHidePenTool(WPARAM, LPARAM)
{
    if (m_toolbar && m_toolbar->GetSafeHwnd()) m_toolbar->HidePenTool();
    return 0;
}

LRESULT CNoteThreadWnd::OnNoteToolNotify(WPARAM wParam, LPARAM lParam)
{
    if (m_link->owner) ::PostMessageW(m_link->owner, WM_NOTE_TOOL_NOTIFY, wParam, lParam);
    return 0;
}

void CNoteThreadWnd::OnClose()
{
    // The pen toolbar may be inside one of its own waits (a question, the saved notice): it is
    // put away when the thread's loop has ended, never from inside such a wait.
    if (m_toolbar && m_toolbar->GetSafeHwnd()) m_toolbar->ShowWindow(SW_HIDE);
    ::PostQuitMessage(0);
}

void CNoteThreadWnd::OnDestroy()
{
    m_link->threadWindow = nullptr;
    m_toolbar.reset();
    CFrameWnd::OnDestroy();
}

BOOL CNoteThreadWnd::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc->GetSafeHdc(), &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return TRUE;
}

BOOL CNoteThreadWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return TRUE;
}

void CNoteThreadWnd::OnPaint()
{
    CPaintDC dc(this);
}

void CNoteThreadWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CFrameWnd::OnGetMinMaxInfo(info);
    info->ptMinTrackSize.x = 100;
    info->ptMinTrackSize.y = 100;
}
