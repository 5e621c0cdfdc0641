#include "ui/SkinScrollWnd.h"

#include "framework/ExceptionGuard.h"
#include "framework/PaintDC.h"

namespace {

constexpr UINT_PTR kSyncTimer = 100;
constexpr UINT kSyncPeriod = 500;
constexpr int kSkinCells = 9;
// The control's own window procedure, kept on the control itself so that it is found even
// when something subclassed the control after us.
const wchar_t kSavedProcProperty[] = L"LumoraSkinScrollProc";

CSkinScrollWnd* WrapperOf(HWND control)
{
    return reinterpret_cast<CSkinScrollWnd*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

WNDPROC SavedProcOf(HWND control)
{
    return reinterpret_cast<WNDPROC>(GetPropW(control, kSavedProcProperty));
}

RECT RectInParent(HWND hWnd)
{
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

BEGIN_MESSAGE_MAP(CSkinScrollWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_MESSAGE(WM_SKIN_SCROLL_UPDATE, OnSkinScrollUpdate)
END_MESSAGE_MAP()

CSkinScrollWnd* CSkinScrollWnd::Wrap(CWnd* control, HBITMAP skin)
{
    CSkinScrollWnd* wrapper = new CSkinScrollWnd;
    if (!wrapper->AttachToControl(control, skin)) {
        delete wrapper;
        return nullptr;
    }
    HWND controlWnd = control->m_hWnd;
    wrapper->PostMessage(WM_SKIN_SCROLL_UPDATE, (::GetWindowLongPtrW(controlWnd, GWL_STYLE) & WS_VSCROLL) != 0,
                         (::GetWindowLongPtrW(controlWnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0);
    return wrapper;
}

BOOL CSkinScrollWnd::AttachToControl(CWnd* control, HBITMAP skin)
{
    if (m_hWnd || m_control || !control || !::IsWindow(control->m_hWnd) || !skin)
        return FALSE;
    HWND controlWnd = control->m_hWnd;
    if (WrapperOf(controlWnd) || SavedProcOf(controlWnd))
        return FALSE;   // wrapped already
    BITMAP info = {};
    if (!GetObjectW(skin, sizeof(info), &info) || info.bmWidth / kSkinCells <= 0)
        return FALSE;
    m_arrowSize = info.bmWidth / kSkinCells;
    if (!m_skin.Attach(::CopyImage(skin, IMAGE_BITMAP, 0, 0, 0)))
        return FALSE;

    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(controlWnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(controlWnd, GWL_EXSTYLE));
    const RECT rect = RectInParent(controlWnd);
    HWND parent = ::GetParent(controlWnd);
    const UINT id = static_cast<UINT>(::GetDlgCtrlID(controlWnd));

    // The border belongs to the frame from now on.
    const DWORD movedStyle = style & WS_BORDER;
    const DWORD movedExStyle = exStyle & WS_EX_CLIENTEDGE;
    ::SetWindowLongPtrW(controlWnd, GWL_STYLE, style & ~movedStyle);
    ::SetWindowLongPtrW(controlWnd, GWL_EXSTYLE, exStyle & ~movedExStyle);
    DWORD frameStyle = WS_CHILD | WS_CLIPCHILDREN | (style & WS_VISIBLE) | movedStyle;
    DWORD frameExStyle = WS_EX_CONTROLPARENT | movedExStyle;
    if (exStyle & WS_EX_TOOLWINDOW)
        frameExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

    if (!CreateParts(rect, CWnd::FromHandle(parent), id, frameStyle, frameExStyle)) {
        if (m_hWnd)
            DestroyWindow();   // not yet attached: nothing deletes this
        ::SetWindowLongPtrW(controlWnd, GWL_STYLE, style);
        ::SetWindowLongPtrW(controlWnd, GWL_EXSTYLE, exStyle);
        m_skin.DeleteObject();
        return FALSE;
    }
    ::SetWindowPos(m_hWnd, controlWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // Take the control in.
    ::SetParent(controlWnd, m_limit.m_hWnd);
    m_control = controlWnd;
    ::SetWindowLongPtrW(controlWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_controlProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        controlWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSkinScrollWnd::ControlProc)));
    ::SetPropW(controlWnd, kSavedProcProperty, reinterpret_cast<HANDLE>(m_controlProc));

    RECT client;
    GetClientRect(&client);
    ::SetWindowPos(controlWnd, nullptr, 0, 0, client.right, client.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetTimer(kSyncTimer, kSyncPeriod);
    return TRUE;
}

BOOL CSkinScrollWnd::CreateParts(const RECT& frameRect, CWnd* parent, UINT id, DWORD style,
                                 DWORD exStyle)
{
    LPCWSTR frameClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateEx(exStyle, frameClass, L"SkinScrollBarFrame", style, frameRect, parent, id))
        return FALSE;
    RECT client;
    GetClientRect(&client);
    const RECT none = {0, 0, 0, 0};
    return m_limit.CreateEx(WS_EX_CONTROLPARENT, frameClass, L"LIMIT",
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, client, this, kLimitId) &&
           m_horzBar.CreateBar(FALSE, none, this, kHorzBarId, m_skin, m_arrowSize) &&
           m_vertBar.CreateBar(TRUE, none, this, kVertBarId, m_skin, m_arrowSize);
}

LRESULT CALLBACK CSkinScrollWnd::ControlProc(HWND hWnd, UINT message, WPARAM wParam,
                                             LPARAM lParam)
{
    LRESULT result = 0;
    AfxCallGuarded(L"a skinned control's window procedure", [&] {
        CSkinScrollWnd* wrapper = WrapperOf(hWnd);
        WNDPROC saved = SavedProcOf(hWnd);
        if (!saved)
            result = ::DefWindowProcW(hWnd, message, wParam, lParam);
        else {
            if (message == WM_NCDESTROY)
                ::RemovePropW(hWnd, kSavedProcProperty);
            result = wrapper ? wrapper->HandleControlMessage(hWnd, message, wParam, lParam)
                             : ::CallWindowProcW(saved, hWnd, message, wParam, lParam);
        }
    });
    return result;
}

LRESULT CSkinScrollWnd::HandleControlMessage(HWND hWnd, UINT message, WPARAM wParam,
                                             LPARAM lParam)
{
    WNDPROC saved = m_controlProc;
    if (message == WM_DESTROY) {
        // The control goes first: give it back to the dialog, then let the frame go (which
        // deletes this). While the frame itself is being destroyed it has let go already.
        ReleaseControl(!m_destroying);
        if (!m_destroying)
            DestroyWindow();
        return ::CallWindowProcW(saved, hWnd, message, wParam, lParam);
    }
    const LRESULT result = ::CallWindowProcW(saved, hWnd, message, wParam, lParam);
    // The control's own handling may have destroyed the frame (and this with it).
    CSkinScrollWnd* wrapper = WrapperOf(hWnd);
    if (wrapper != this || m_ownScroll)
        return result;
    if (message == WM_NCCALCSIZE && wParam)
        AfterNcCalcSize(hWnd, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
    else if (message == WM_ERASEBKGND) {
        SyncBar(m_vertBar, SB_VERT, TRUE);
        SyncBar(m_horzBar, SB_HORZ, TRUE);
    }
    return result;
}

void CSkinScrollWnd::AfterNcCalcSize(HWND hWnd, NCCALCSIZE_PARAMS* params)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_STYLE));
    const BOOL leftBar = (::GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const BOOL vert = (style & WS_VSCROLL) != 0;
    const BOOL horz = (style & WS_HSCROLL) != 0;
    // Widen the client over the system bars so that only the skin bars' width of them would
    // be inside "LIMIT", where the skin bars cover it.
    RECT& client = params->rgrc[0];
    if (vert) {
        const int extra = ::GetSystemMetrics(SM_CXVSCROLL) - m_arrowSize;
        if (leftBar)
            client.left -= extra;
        else
            client.right += extra;
    }
    if (horz)
        client.bottom += ::GetSystemMetrics(SM_CYHSCROLL) - m_arrowSize;
    PlaceBars(vert, horz, leftBar);
    PostMessage(WM_SKIN_SCROLL_UPDATE, vert, leftBar);
}

void CSkinScrollWnd::PlaceBars(BOOL vert, BOOL horz, BOOL leftBar)
{
    RECT client;
    GetClientRect(&client);
    const int a = m_arrowSize;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (vert)
        m_vertBar.SetWindowPos(nullptr, leftBar ? 0 : client.right - a, 0, a,
                               client.bottom - (horz ? a : 0), flags | SWP_SHOWWINDOW);
    else
        m_vertBar.ShowWindow(SW_HIDE);
    if (horz)
        m_horzBar.SetWindowPos(nullptr, vert && leftBar ? a : 0, client.bottom - a,
                               client.right - (vert ? a : 0), a, flags | SWP_SHOWWINDOW);
    else
        m_horzBar.ShowWindow(SW_HIDE);
    const int corner = vert && horz ? (leftBar ? 2 : 1) : 0;
    if (corner != m_corner) {
        m_corner = corner;
        Invalidate(FALSE);
    }
}

LRESULT CSkinScrollWnd::OnSkinScrollUpdate(WPARAM vertShown, LPARAM leftBar)
{
    RECT client;
    GetClientRect(&client);
    const int a = m_arrowSize;
    const BOOL horzShown = (m_horzBar.GetStyle() & WS_VISIBLE) != 0;
    const int left = vertShown && leftBar ? a : 0;
    m_limit.MoveWindow(left, 0, client.right - (vertShown ? a : 0),
                       client.bottom - (horzShown ? a : 0));
    if (m_control)
        ::SetWindowPos(m_control, nullptr, -left, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

void CSkinScrollWnd::SyncBar(CSkinScrollBar& bar, int which, BOOL redraw)
{
    if (!m_control || !bar.m_hWnd)
        return;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_control, which, &info))
        return;
    const ScrollState& state = bar.GetState();
    if (state.minimum != info.nMin || state.maximum != info.nMax ||
        state.position != info.nPos || state.page != static_cast<int>(info.nPage)) {
        SCROLLINFO copy = {};
        copy.cbSize = sizeof(copy);
        copy.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        copy.nMin = info.nMin;
        copy.nMax = info.nMax;
        copy.nPage = info.nPage;
        copy.nPos = info.nPos;
        bar.SendMessage(SBM_SETSCROLLINFO, redraw && !m_ownScroll, reinterpret_cast<LPARAM>(&copy));
    }
    bar.EnableWindow(info.nMax >= static_cast<int>(info.nPage));
}

void CSkinScrollWnd::OnTimer(UINT_PTR id)
{
    if (id != kSyncTimer) {
        Default();
        return;
    }
    if ((m_vertBar.GetStyle() & WS_VISIBLE) && !m_vertBar.IsDragging())
        SyncBar(m_vertBar, SB_VERT, TRUE);
    if ((m_horzBar.GetStyle() & WS_VISIBLE) && !m_horzBar.IsDragging())
        SyncBar(m_horzBar, SB_HORZ, TRUE);
}

void CSkinScrollWnd::ForwardScroll(UINT message, UINT code, UINT position, CSkinScrollBar& bar,
                                   int which)
{
    if (!m_control)
        return;
    m_ownScroll = TRUE;
    ::SendMessageW(m_control, message, MAKEWPARAM(code, position), 0);
    m_ownScroll = FALSE;
    if (code != SB_THUMBTRACK)
        SyncBar(bar, which, TRUE);
}

void CSkinScrollWnd::OnVScroll(UINT code, UINT position, CScrollBar* bar)
{
    if (bar == &m_vertBar)
        ForwardScroll(WM_VSCROLL, code, position, m_vertBar, SB_VERT);
    else
        Default();
}

void CSkinScrollWnd::OnHScroll(UINT code, UINT position, CScrollBar* bar)
{
    if (bar == &m_horzBar)
        ForwardScroll(WM_HSCROLL, code, position, m_horzBar, SB_HORZ);
    else
        Default();
}

void CSkinScrollWnd::OnSize(UINT type, int width, int height)
{
    if (m_limit.m_hWnd)
        m_limit.MoveWindow(0, 0, width, height);
    // The control keeps the frame's inner size; its new frame lays the bars out again.
    if (m_control)
        ::SetWindowPos(m_control, nullptr, 0, 0, width, height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CSkinScrollWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_corner == 0)
        return;
    RECT client;
    GetClientRect(&client);
    const int a = m_arrowSize;
    const int x = m_corner == 2 ? 0 : client.right - a;
    const RECT corner = {x, client.bottom - a, x + a, client.bottom};
    CSkinScrollBar::DrawSkinCell(dc.GetSafeHdc(), m_skin, a, CSkinScrollBar::kCellCorner, 0,
                                 corner);
}

void CSkinScrollWnd::ReleaseControl(bool giveBackToParent)
{
    HWND control = m_control;
    if (!control)
        return;
    m_control = nullptr;
    ::SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    if (::GetWindowLongPtrW(control, GWLP_WNDPROC) ==
        reinterpret_cast<LONG_PTR>(&CSkinScrollWnd::ControlProc)) {
        ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_controlProc));
        ::RemovePropW(control, kSavedProcProperty);
    }
    // Else someone subclassed the control after us: ControlProc stays in its chain and passes
    // everything on through the saved procedure until the control is gone.
    if (giveBackToParent && m_hWnd) {
        const RECT rect = RectInParent(m_hWnd);
        ::SetParent(control, ::GetParent(m_hWnd));
        ::SetWindowPos(control, m_hWnd, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, SWP_NOACTIVATE);
    }
}

void CSkinScrollWnd::OnDestroy()
{
    m_destroying = TRUE;
    KillTimer(kSyncTimer);
    // The control dies with the frame (it is inside "LIMIT"); it must not call back into it.
    ReleaseControl(false);
    Default();
}

void CSkinScrollWnd::PostNcDestroy()
{
    if (m_controlProc)
        delete this;   // attached: the wrapper belongs to the control
}
