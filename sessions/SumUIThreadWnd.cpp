#include "sessions/SumUIThreadWnd.h"

#include "foundation/AppGlobals.h"
#include "foundation/AppMessages.h"
#include "framework/PaintDC.h"
#include "framework/PostOwned.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "sessions/CommunicationWnd.h"
#include "sessions/RemoteKeyInput.h"
#include "sessions/SessionReceiver.h"
#include "sessions/SlotChat.h"
#include "ui/TargetWindowStack.h"
#include "ui/UiScale.h"

#include <imm.h>

#include <algorithm>

namespace {

constexpr UINT_PTR kRepaintTimer = 240;
constexpr UINT kRepaintPeriodMs = 50;
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr COLORREF kHighlight = RGB(0, 255, 255);

} // namespace

BEGIN_MESSAGE_MAP(CSumUIThreadWnd, CRemoteMouseWnd)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_MESSAGE(WM_STUDENT_SCREEN_SIZE, OnStudentScreenSize)
    ON_MESSAGE(WM_SUM_PANE_LOST, OnPaneLost)
    ON_MESSAGE(WM_SESSION_CHAT_LINE, OnSessionChatLine)
    ON_COMMAND(ID_SUM_TOGGLE_CONTROL, OnToggleControl)
    ON_COMMAND(ID_SUM_FULL_SCREEN, OnToggleFullScreen)
    ON_COMMAND(ID_BAR_FULL_SCREEN, OnToggleFullScreen)
END_MESSAGE_MAP()

CSumUIThreadWnd::CSumUIThreadWnd(const std::vector<CPCInfo*>& slots, const RemoteSessionLinks& links)
    : m_links(links), m_forwarding(links.inputPump), m_pumpStopped(!links.inputPump), m_bar(*this, links)
{
    m_paneCount = static_cast<int>(std::min<size_t>(slots.size(), kMaxCombinedPanes));
    for (int i = 0; i < m_paneCount; ++i)
        m_panes[static_cast<size_t>(i)].slot = slots[static_cast<size_t>(i)];
}

CSumUIThreadWnd::~CSumUIThreadWnd()
{
    if (m_counted && m_links.openViewCount)
        --*m_links.openViewCount;
}

BOOL CSumUIThreadWnd::CreateShown()
{
    if (m_paneCount == 0)
        return FALSE;
    const CPCInfo& first = *m_panes[0].slot;
    CRect frame(0, 0, 0, 0);
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const int width = std::min(first.m_screenWidth.load() + frame.Width() + 4, ::GetSystemMetrics(SM_CXSCREEN));
    const int height = std::min(first.m_screenHeight.load() + frame.Height() + 4, ::GetSystemMetrics(SM_CYSCREEN));
    if (!Create(nullptr, PaneCaption(0), kWindowStyle, CRect(0, 0, std::max(width, 400), std::max(height, 400))))
        return FALSE;
    if (HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128))) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    CString face;
    if (!face.LoadString(IDS_FONT_FACE_LATIN))
        face = L"Arial";
    m_captionFont.CreateFont(-static_cast<int>(FloorFloat(15 * g_uiScale)), 0, 0, 0, FW_BOLD, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, face);
    m_highlightPen.CreatePen(PS_SOLID, 2, kHighlight);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    SetFocus();
    return TRUE;
}

void CSumUIThreadWnd::LinkSession(int pane, HWND session, const std::shared_ptr<CRemoteInputQueue>& input)
{
    if (pane < 0 || pane >= m_paneCount)
        return;
    Pane& target = m_panes[static_cast<size_t>(pane)];
    // A student lost while the threads were still starting has no session window any more.
    target.session = ::IsWindow(session) ? session : nullptr;
    target.input = input;
}

void CSumUIThreadWnd::SetUp()
{
    LayOut();
    if (m_bar.CreateBar())
        g_sumControlBar = m_bar.GetSafeHwnd();
    ToggleFullScreen();
    if (m_links.openViewCount) {
        ++*m_links.openViewCount;
        m_counted = true;
    }
    // The session's window is the teacher's whole screen meanwhile: no toolbar over it.
    m_hiddenToolbars = HideTeacherToolbars();
    g_remoteViewHwnd = m_hWnd;
    PushTargetWindow(m_hWnd);
    m_pushed = true;
    SetTimer(kRepaintTimer, kRepaintPeriodMs, nullptr);
}

CString CSumUIThreadWnd::PaneCaption(int pane) const
{
    CString caption;
    if (pane >= 0 && pane < m_paneCount && m_panes[static_cast<size_t>(pane)].slot) {
        const CPCInfo& slot = *m_panes[static_cast<size_t>(pane)].slot;
        caption.Format(L"%d: %s", slot.m_slotNumber.load(), slot.GetDisplayName().GetString());
    }
    return caption;
}

// -- Layout --------------------------------------------------------------------------------------

void CSumUIThreadWnd::LayOut()
{
    CRect client;
    GetClientRect(&client);
    m_clientWidth = client.Width();
    m_clientHeight = client.Height();
    for (int i = 0; i < m_paneCount; ++i)
        if (HWND session = m_panes[static_cast<size_t>(i)].session)
            ::SendMessageW(session, WM_SEND_VIEW_REGION, reinterpret_cast<WPARAM>(&client), 0);
    m_bar.Place();
}

void CSumUIThreadWnd::OnSize(UINT type, int, int)
{
    CWnd::Default();
    if (m_hWnd && type != SIZE_MINIMIZED)
        LayOut();
    Invalidate(FALSE);
}

void CSumUIThreadWnd::OnMove(int, int)
{
    CWnd::Default();
    m_bar.Place();
}

LRESULT CSumUIThreadWnd::OnStudentScreenSize(WPARAM width, LPARAM height)
{
    m_placement.ShrinkToStudent(*this, static_cast<int>(width), static_cast<int>(height));
    LayOut();
    Invalidate(FALSE);
    return 0;
}

void CSumUIThreadWnd::OnToggleFullScreen()
{
    ToggleFullScreen();
}

void CSumUIThreadWnd::ToggleFullScreen()
{
    m_bar.SwitchLayout();
    m_placement.Toggle(*this);
    LayOut();
    for (int i = 0; i < m_paneCount; ++i) {
        if (HWND session = m_panes[static_cast<size_t>(i)].session) {
            ::PostMessageW(session, WM_SEND_FULLSCREEN_ON, m_placement.IsOn() ? 1 : 0, 0);
            ::PostMessageW(session, WM_SEND_FULLSCREEN_STATE, m_placement.IsOn() ? 1 : 0, 0);
        }
    }
    SetFocus();
    Invalidate(FALSE);
}

// -- Painting ------------------------------------------------------------------------------------

BOOL CSumUIThreadWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CSumUIThreadWnd::OnTimer(UINT_PTR id)
{
    if (id != kRepaintTimer)
        return;
    for (int i = 0; i < m_paneCount; ++i) {
        HWND session = m_panes[static_cast<size_t>(i)].session;
        if (session && !::IsWindow(session))
            ForgetPane(i);
    }
    Invalidate(FALSE);
}

void CSumUIThreadWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_closing || m_clientWidth <= 0 || m_clientHeight <= 0)
        return;
    m_backBuffer.Create(m_clientWidth, m_clientHeight, 32);
    if (!m_backBuffer.GetBits())
        return;
    ::PatBlt(m_backBuffer.GetSafeHdc(), 0, 0, m_clientWidth, m_clientHeight, BLACKNESS);
    for (int i = 0; i < m_paneCount; ++i)
        PaintPane(m_backBuffer, i);
    ::BitBlt(dc.GetSafeHdc(), 0, 0, m_clientWidth, m_clientHeight, m_backBuffer.GetSafeHdc(), 0, 0, SRCCOPY);
}

void CSumUIThreadWnd::PaintPane(CMemBitmap& target, int index)
{
    const Pane& pane = m_panes[static_cast<size_t>(index)];
    if (!pane.slot || !pane.session)
        return;   // its student is gone: the pane stays empty
    const PaneRect rect = CombinedPaneRect(m_paneCount, index, m_clientWidth, m_clientHeight);
    HDC into = target.GetSafeHdc();
    {
        ::SetStretchBltMode(into, HALFTONE);
        ::SetBrushOrgEx(into, 0, 0, nullptr);
        CCriticalSectionLock lock(pane.slot->GetLock());
        const CMemBitmap& frame = pane.slot->m_thumbnail;
        if (frame.GetSafeHdc() && frame.GetWidth() > 0)
            ::StretchBlt(into, rect.left, rect.top, rect.width, rect.height, frame.GetSafeHdc(), 0, 0,
                         frame.GetWidth(), frame.GetHeight(), SRCCOPY);
    }
    const CString caption = PaneCaption(index);
    HGDIOBJ previousFont = ::SelectObject(into, m_captionFont.GetSafeHandle());
    ::SetBkMode(into, TRANSPARENT);
    ::SetTextColor(into, RGB(0, 0, 0));
    ::TextOutW(into, rect.left + 6, rect.top + 6, caption, caption.GetLength());
    ::SetTextColor(into, RGB(70, 255, 70));
    ::TextOutW(into, rect.left + 5, rect.top + 5, caption, caption.GetLength());
    ::SelectObject(into, previousFont);
    if (index == m_activePane) {
        HGDIOBJ previousPen = ::SelectObject(into, m_highlightPen.GetSafeHandle());
        HGDIOBJ previousBrush = ::SelectObject(into, ::GetStockObject(HOLLOW_BRUSH));
        ::Rectangle(into, rect.left + 1, rect.top + 1, rect.left + rect.width, rect.top + rect.height);
        ::SelectObject(into, previousBrush);
        ::SelectObject(into, previousPen);
    }
}

// -- Panes ---------------------------------------------------------------------------------------

void CSumUIThreadWnd::SetActivePane(int pane)
{
    if (pane == m_activePane)
        return;
    m_activePane = pane;
    SetWindowText(PaneCaption(pane));
    Invalidate(FALSE);
}

// The student's own session has ended (and given back what it held); the others go on. With
// nobody left the window closes.
void CSumUIThreadWnd::ForgetPane(int pane)
{
    Pane& gone = m_panes[static_cast<size_t>(pane)];
    gone.session = nullptr;
    if (pane == m_activePane)
        SetActivePane(-1);
    Invalidate(FALSE);
    const bool anyLeft = std::any_of(m_panes.begin(), m_panes.begin() + m_paneCount,
                                     [](const Pane& p) { return p.session != nullptr; });
    if (!anyLeft && !m_closing)
        PostMessage(WM_CLOSE);
}

LRESULT CSumUIThreadWnd::OnPaneLost(WPARAM session, LPARAM)
{
    for (int i = 0; i < m_paneCount; ++i)
        if (m_panes[static_cast<size_t>(i)].session == reinterpret_cast<HWND>(session))
            ForgetPane(i);
    return 0;
}

// A student's line opens that student's chat, owned by this window, as in the single window.
LRESULT CSumUIThreadWnd::OnSessionChatLine(WPARAM line, LPARAM)
{
    std::unique_ptr<SessionChatLine> chat = AfxTakePosted<SessionChatLine>(line);
    if (!chat || !chat->slot)
        return 0;
    if (!OpenChatWindow(*chat->slot, m_hWnd)) {
        TRACE(L"PC:%d chat line dropped: the chat is open elsewhere\n", chat->slot->m_slotNumber.load());
        return 0;
    }
    chat->slot->m_chatWindow.AppendStudentLine(chat->header, chat->text);
    return 0;
}

CRemoteInputQueue* CSumUIThreadWnd::ActiveInput() const
{
    if (m_activePane < 0 || !m_panes[static_cast<size_t>(m_activePane)].session)
        return nullptr;
    return m_panes[static_cast<size_t>(m_activePane)].input.get();
}

HWND CSumUIThreadWnd::ActiveSession() const
{
    return m_activePane < 0 ? nullptr : m_panes[static_cast<size_t>(m_activePane)].session;
}

// -- Input ---------------------------------------------------------------------------------------

void CSumUIThreadWnd::OnToggleControl()
{
    m_forwarding = !m_forwarding;
    for (int i = 0; i < m_paneCount; ++i)
        if (CRemoteInputQueue* input = m_panes[static_cast<size_t>(i)].input.get())
            input->SetForwarding(!input->IsForwarding());
    // A pump ends when forwarding stops; from then on this window asks for the flushes itself.
    if (!m_forwarding)
        m_pumpStopped = true;
    SetFocus();
}

CRemoteInputQueue* CSumUIThreadWnd::InputAt(CPoint& point)
{
    if (!m_forwarding)
        return nullptr;
    const PaneHit hit = HitTestPane(point);
    SetActivePane(hit.pane);
    if (hit.pane < 0)
        return nullptr;
    const Pane& pane = m_panes[static_cast<size_t>(hit.pane)];
    if (!pane.session || !pane.input || !pane.input->IsForwarding())
        return nullptr;
    int x = hit.x;
    int y = hit.y;
    ScalePanePoint(pane.slot->m_screenWidth.load(), pane.slot->m_screenHeight.load(),
                   CombinedPaneRect(m_paneCount, hit.pane, m_clientWidth, m_clientHeight), x, y);
    point = CPoint(x, y);
    return pane.input.get();
}

// Once the panes' pumps have stopped, this window asks for each flush itself.
void CSumUIThreadWnd::OnQueued(CRemoteInputQueue& input)
{
    if (!m_pumpStopped || !input.ClaimFlush())
        return;
    for (const Pane& pane : m_panes)
        if (pane.input.get() == &input && pane.session) {
            ::PostMessageW(pane.session, WM_FLUSH_INPUT, 0, 0);
            return;
        }
    input.FlushDone();
}

void CSumUIThreadWnd::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (CRemoteInputQueue* input = ActiveInput()) {
        QueueRemoteKeyDown(*input, key, repeat, flags);
        if (m_pumpStopped && input->ClaimFlush())
            ::PostMessageW(ActiveSession(), WM_FLUSH_INPUT, 0, 0);
    }
}

void CSumUIThreadWnd::OnKeyUp(UINT key, UINT repeat, UINT flags)
{
    if (CRemoteInputQueue* input = ActiveInput()) {
        CCommunicationWnd::QueueKeyUp(*input, key, repeat, flags);
        if (m_pumpStopped && input->ClaimFlush())
            ::PostMessageW(ActiveSession(), WM_FLUSH_INPUT, 0, 0);
    }
}

BOOL CSumUIThreadWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd != m_hWnd)
        return CFrameWnd::PreTranslateMessage(msg);
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_PROCESSKEY && ::ImmGetVirtualKey(m_hWnd) == VK_HANGUL) {
        // The Hangul/English key switches the input method of the student being driven.
        if (HWND session = ActiveSession())
            ::SendMessageW(session, WM_SEND_SPECIAL_KEY, 0, 0);
        SetFocus();
        return TRUE;
    }
    if ((msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSKEYUP) &&
        QueueRemoteSystemKey(ActiveInput(), *msg, true))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(msg);
}

// -- The end -------------------------------------------------------------------------------------

// Every student's session ends and gives its connection back before the window goes; each waits
// a bounded time for its own input pump and packet thread.
void CSumUIThreadWnd::OnClose()
{
    if (m_closing)
        return;
    m_closing = true;
    g_sumControlBar = nullptr;
    m_forwarding = false;
    KillTimer(kRepaintTimer);
    for (int i = 0; i < m_paneCount; ++i) {
        Pane& pane = m_panes[static_cast<size_t>(i)];
        if (pane.input)
            pane.input->SetForwarding(false);
        if (pane.slot)
            pane.slot->m_chatWindow.CloseChat();
        if (pane.session && ::IsWindow(pane.session))
            ::SendMessageW(pane.session, WM_CLOSE, 0, 0);
        pane.session = nullptr;
    }
    DestroyWindow();   // the view thread ends with its window
}

void CSumUIThreadWnd::OnDestroy()
{
    g_sumControlBar = nullptr;
    if (m_pushed) {
        RemoveTargetWindow(m_hWnd);
        ShowHiddenToolbars(m_hiddenToolbars);
        m_hiddenToolbars = HiddenToolbars();
        HWND self = m_hWnd;
        g_remoteViewHwnd.compare_exchange_strong(self, nullptr);
    }
    m_pushed = false;
    if (m_bar.GetSafeHwnd())
        m_bar.DestroyWindow();
    CFrameWnd::OnDestroy();
}
