#include "sessions/UIThreadWnd.h"

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
#include "sessions/core/PadPermissions.h"
#include "ui/TargetWindowStack.h"
#include "ui/UiScale.h"

#include <imm.h>

#include <algorithm>

namespace {

constexpr UINT_PTR kRepaintTimer = 1;
constexpr UINT_PTR kTakeBackActivationTimer = 2;
// Under Wine the X server's focus returns to the main frame a moment after the window leaves
// full screen (its pointer grab ends); the activation it takes then is taken back.
constexpr DWORD kLeftFullScreenGraceMs = 1500;
constexpr UINT kRepaintPeriodMs = 500;
constexpr DWORD kRepaintAfterMs = 501;
constexpr int kMinTrackSize = 400;
constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 480;
constexpr UINT kNoImeKeyFlags = 0x41F2;

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
// A button held longer than this (or one Wine never saw go up) no longer keeps the window back.
constexpr DWORD kButtonsUpWaitMs = 2000;

bool AnyMouseButtonDown()
{
    for (int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON})
        if (::GetAsyncKeyState(button) & 0x8000)
            return true;
    return false;
}

// The window opens on the second press of a double click, and under Wine a full-screen window
// taking the foreground takes the pointer grab over from the main frame: a release on its way
// to the main frame meanwhile is dropped, and Wine holds the button down from then on. So the
// window is shown once the teacher has let go. Messages sent to the thread are taken meanwhile.
void WaitForMouseButtonsUp()
{
    const DWORD start = ::GetTickCount();
    while (AnyMouseButtonDown() && ::GetTickCount() - start < kButtonsUpWaitMs) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

ScrollRequest RequestOf(UINT code)
{
    switch (code) {
    case SB_LINEUP: return ScrollRequest::LineUp;
    case SB_LINEDOWN: return ScrollRequest::LineDown;
    case SB_PAGEUP: return ScrollRequest::PageUp;
    case SB_PAGEDOWN: return ScrollRequest::PageDown;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return ScrollRequest::Thumb;
    case SB_TOP: return ScrollRequest::Top;
    case SB_BOTTOM: return ScrollRequest::Bottom;
    default: return ScrollRequest::Other;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CUIThreadWnd, CRemoteMouseWnd)
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_TIMER()
    ON_WM_ACTIVATE()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_MESSAGE(WM_STUDENT_SCREEN_SIZE, OnStudentScreenSize)
    ON_MESSAGE(WM_SOUND_STATE, OnSoundState)
    ON_MESSAGE(WM_CHAT_TYPED, OnChatTyped)
    ON_MESSAGE(WM_SESSION_CHAT_LINE, OnSessionChatLine)
    ON_COMMAND(ID_REMOTE_TOGGLE_FULLSCREEN, OnToggleFullScreen)
    ON_WM_MOVE()
END_MESSAGE_MAP()

CUIThreadWnd::CUIThreadWnd(CPCInfo& slot, const RemoteSessionLinks& links)
    : m_slot(slot), m_links(links), m_bar(*this, slot, links)
{
}

CUIThreadWnd::~CUIThreadWnd()
{
    if (m_counted && m_links.openViewCount)
        --*m_links.openViewCount;
}

BOOL CUIThreadWnd::CreateShown()
{
    CRect frame(0, 0, 0, 0);
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const int width = std::min(m_slot.m_screenWidth.load() + frame.Width() + 4, ::GetSystemMetrics(SM_CXSCREEN));
    const int height = std::min(m_slot.m_screenHeight.load() + frame.Height() + 4, ::GetSystemMetrics(SM_CYSCREEN));
    CString title;
    title.Format(L"%d: %s", m_slot.m_slotNumber.load(), m_slot.GetDisplayName().GetString());
    if (!Create(nullptr, title, kWindowStyle, CRect(0, 0, std::max(width, 1), std::max(height, 1))))
        return FALSE;
    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128));
    if (icon) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    CString face;
    if (!face.LoadString(IDS_FONT_FACE_LATIN))
        face = L"Arial";
    m_captionFont.CreateFont(-static_cast<int>(FloorFloat(18 * g_uiScale)), 0, 0, 0, FW_BOLD, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, face);
    for (StatePicture& picture : m_pictures)
        picture.bitmap.LoadBitmap(static_cast<UINT>(picture.id));
    WaitForMouseButtonsUp();
    ShowWindow(SW_SHOW);
    UpdateWindow();
    SetFocus();
    if (HIMC context = ::ImmGetContext(m_hWnd)) {
        DWORD conversion = 0;
        DWORD sentence = 0;
        if (::ImmGetConversionStatus(context, &conversion, &sentence))
            m_imeNative = (conversion & IME_CMODE_NATIVE) != 0;
        ::ImmReleaseContext(m_hWnd, context);
    }
    return TRUE;
}

void CUIThreadWnd::LinkSession(HWND session, const std::shared_ptr<CRemoteInputQueue>& input)
{
    m_session = session;
    m_input = input;
    m_bar.SetSessionWindow(session);
}

void CUIThreadWnd::SetUp()
{
    CRect window;
    CRect client;
    GetWindowRect(&window);
    GetClientRect(&client);
    m_frameWidth = window.Width() - client.Width();
    m_frameHeight = window.Height() - client.Height();
    if (m_bar.CreateBar())
        g_singleControlBar = m_bar.GetSafeHwnd();
    LayOut();
    ToggleFullScreen();
    if (m_links.openViewCount) {
        ++*m_links.openViewCount;
        m_counted = true;
    }
    // The session's window is the teacher's whole screen meanwhile: no toolbar over it.
    m_hiddenToolbars = HideTeacherToolbars();
    g_remoteViewHwnd = m_hWnd;
    // While it is open, the class screen share copies this window rather than the desktop.
    PushTargetWindow(m_hWnd);
    m_pushed = true;
    m_lastPaint = ::GetTickCount();
    SetTimer(kRepaintTimer, kRepaintPeriodMs, nullptr);
}

// -- Layout --------------------------------------------------------------------------------------

RemoteViewGeometry CUIThreadWnd::Geometry() const
{
    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    RemoteViewGeometry geometry;
    geometry.studentWidth = m_slot.m_screenWidth.load();
    geometry.studentHeight = m_slot.m_screenHeight.load();
    geometry.windowWidth = window.Width();
    geometry.windowHeight = window.Height();
    geometry.frameWidth = m_placement.IsOn() ? 0 : m_frameWidth;
    geometry.frameHeight = m_placement.IsOn() ? 0 : m_frameHeight;
    geometry.fullScreen = m_placement.IsOn();
    geometry.stretched = m_stretched;
    return geometry;
}

void CUIThreadWnd::LayOut()
{
    m_layout = LayOutRemoteView(Geometry());
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_POS | SIF_PAGE, 0, 0, 0, 0, 0};
    info.nMax = m_layout.horizontalRange;
    m_scrollX = std::min(m_scrollX, m_layout.horizontalRange);
    info.nPos = m_scrollX;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
    info.nMax = m_layout.verticalRange;
    m_scrollY = std::min(m_scrollY, m_layout.verticalRange);
    info.nPos = m_scrollY;
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    CRect client;
    GetClientRect(&client);
    if (m_session)
        ::SendMessageW(m_session, WM_SEND_VIEW_REGION, reinterpret_cast<WPARAM>(&client), 0);
    m_bar.Place();
}

void CUIThreadWnd::OnMove(int, int)
{
    CWnd::Default();
    m_bar.Place();
}

void CUIThreadWnd::OnSize(UINT type, int width, int height)
{
    CWnd::Default();
    if (m_hWnd && type != SIZE_MINIMIZED)
        LayOut();
    Invalidate(FALSE);
}

void CUIThreadWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    info->ptMinTrackSize.x = kMinTrackSize;
    info->ptMinTrackSize.y = kMinTrackSize;
    if (!m_placement.IsOn() && m_slot.m_screenWidth.load() > 0) {
        info->ptMaxTrackSize.x = m_slot.m_screenWidth.load() + m_frameWidth;
        info->ptMaxTrackSize.y = m_slot.m_screenHeight.load() + m_frameHeight;
    }
}

LRESULT CUIThreadWnd::OnStudentScreenSize(WPARAM width, LPARAM height)
{
    m_placement.ShrinkToStudent(*this, static_cast<int>(width), static_cast<int>(height));
    LayOut();
    Invalidate(FALSE);
    return 0;
}

void CUIThreadWnd::OnToggleFullScreen()
{
    ToggleFullScreen();
}

void CUIThreadWnd::ToggleFullScreen()
{
    m_bar.SwitchLayout();
    m_placement.Toggle(*this);
    m_stretched = m_placement.IsOn();
    LayOut();
    if (m_session) {
        ::PostMessageW(m_session, WM_SEND_FULLSCREEN_ON, m_stretched ? 1 : 0, 0);
        ::PostMessageW(m_session, WM_SEND_FULLSCREEN_STATE, m_placement.IsOn() ? 1 : 0, 0);
    }
    m_bar.Place();
    m_leftFullScreenTick = m_placement.IsOn() ? 0 : ::GetTickCount();
    if (!m_placement.IsOn()) {
        // Out of full screen it is still the window the teacher works in, in front of the main
        // frame (Wine's pointer grab for a full-screen window ends here).
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow();
    }
    SetFocus();
    Invalidate(FALSE);
}

// -- Painting ------------------------------------------------------------------------------------

BOOL CUIThreadWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CUIThreadWnd::OnActivate(UINT state, CWnd* other, BOOL)
{
    // Only the console's main frame takes it so (named, or unnamed as another thread's window);
    // a window the teacher opens keeps it.
    CWinApp* app = AfxGetApp();
    const HWND mainFrame = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    if (state == WA_INACTIVE && m_leftFullScreenTick &&
        ::GetTickCount() - m_leftFullScreenTick < kLeftFullScreenGraceMs &&
        (!other || (mainFrame && other->GetSafeHwnd() == mainFrame)))
        SetTimer(kTakeBackActivationTimer, 0, nullptr);
}

void CUIThreadWnd::OnTimer(UINT_PTR id)
{
    if (id == kTakeBackActivationTimer) {
        KillTimer(kTakeBackActivationTimer);
        m_leftFullScreenTick = 0;
        SetForegroundWindow();
        return;
    }
    if (id == kRepaintTimer && ::GetTickCount() - m_lastPaint >= kRepaintAfterMs)
        Invalidate(FALSE);
}

void CUIThreadWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_closing || m_layout.targetWidth <= 0 || m_layout.targetHeight <= 0)
        return;
    m_backBuffer.Create(m_layout.targetWidth, m_layout.targetHeight, 32);
    if (!m_backBuffer.GetBits())
        return;
    PaintInto(m_backBuffer);
    DrawCaption(m_backBuffer);
    ::BitBlt(dc.GetSafeHdc(), 0, 0, m_layout.targetWidth, m_layout.targetHeight, m_backBuffer.GetSafeHdc(), 0, 0,
             SRCCOPY);
    m_lastPaint = ::GetTickCount();
}

int CUIThreadWnd::ChooseStatePicture() const
{
    if (!m_slot.m_screenOn.load())
        return IDB_SLOT_SCREEN_OFF;
    if (!m_slot.m_permissions[kPermissionScreenCapture].load())
        return m_slot.m_permissions[kPermissionOverlay].load() ? IDB_SLOT_CAPTURE_PERMISSION_NEEDED
                                                               : IDB_SLOT_PERMISSION_NEEDED;
    if (m_slot.m_drmOn.load() && !m_slot.m_locked.load())
        return IDB_SLOT_VIDEO_LECTURE;
    if (m_slot.IsMessengerAppInFront())
        return IDB_SLOT_MESSENGER;
    return 0;
}

void CUIThreadWnd::PaintInto(CMemBitmap& target)
{
    HDC into = target.GetSafeHdc();
    ::PatBlt(into, 0, 0, target.GetWidth(), target.GetHeight(), BLACKNESS);
    if (!m_layout.stretched) {
        CCriticalSectionLock lock(m_slot.GetLock());
        ::BitBlt(into, 0, 0, target.GetWidth(), target.GetHeight(), m_slot.m_thumbnail.GetSafeHdc(), m_scrollX,
                 m_scrollY, SRCCOPY);
        return;
    }
    if (const int picture = ChooseStatePicture()) {
        DrawStatePicture(target, picture);
        return;
    }
    ::SetStretchBltMode(into, HALFTONE);
    ::SetBrushOrgEx(into, 0, 0, nullptr);
    CCriticalSectionLock lock(m_slot.GetLock());
    const CMemBitmap& frame = m_slot.m_thumbnail;
    if (m_layout.portrait)
        ::StretchBlt(into, m_layout.freeWidth / 2, 0, m_layout.drawnWidth, target.GetHeight(), frame.GetSafeHdc(), 0,
                     0, frame.GetWidth(), frame.GetHeight(), SRCCOPY);
    else
        ::StretchBlt(into, 0, 0, target.GetWidth(), target.GetHeight(), frame.GetSafeHdc(), 0, 0, frame.GetWidth(),
                     frame.GetHeight(), SRCCOPY);
}

void CUIThreadWnd::DrawStatePicture(CMemBitmap& target, int pictureId)
{
    for (StatePicture& picture : m_pictures) {
        if (picture.id != pictureId || !picture.bitmap.GetSafeHandle())
            continue;
        BITMAP info = {};
        ::GetObjectW(picture.bitmap.GetSafeHandle(), sizeof(info), &info);
        HDC source = ::CreateCompatibleDC(target.GetSafeHdc());
        HGDIOBJ previous = ::SelectObject(source, picture.bitmap.GetSafeHandle());
        ::SetStretchBltMode(target.GetSafeHdc(), HALFTONE);
        ::StretchBlt(target.GetSafeHdc(), (target.GetWidth() - kPictureWidth) / 2,
                     (target.GetHeight() - kPictureHeight) / 2, kPictureWidth, kPictureHeight, source, 0, 0,
                     info.bmWidth, info.bmHeight, SRCCOPY);
        ::SelectObject(source, previous);
        ::DeleteDC(source);
    }
}

void CUIThreadWnd::DrawCaption(CMemBitmap& target)
{
    CString caption;
    caption.Format(L"%d: %s", m_slot.m_slotNumber.load(), m_slot.GetDisplayName().GetString());
    HDC dc = target.GetSafeHdc();
    HGDIOBJ previous = ::SelectObject(dc, m_captionFont.GetSafeHandle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::TextOutW(dc, 6, 6, caption, caption.GetLength());
    ::SetTextColor(dc, RGB(70, 255, 70));
    ::TextOutW(dc, 5, 5, caption, caption.GetLength());
    ::SelectObject(dc, previous);
}

// -- Scrolling -----------------------------------------------------------------------------------

void CUIThreadWnd::OnHScroll(UINT code, UINT position, CScrollBar*)
{
    Scroll(SB_HORZ, code, position);
}

void CUIThreadWnd::OnVScroll(UINT code, UINT position, CScrollBar*)
{
    Scroll(SB_VERT, code, position);
}

void CUIThreadWnd::Scroll(int bar, UINT code, UINT position)
{
    if (m_layout.stretched)
        return;
    const bool horizontal = bar == SB_HORZ;
    int& current = horizontal ? m_scrollX : m_scrollY;
    const int limit = horizontal ? m_layout.horizontalRange : m_layout.verticalRange;
    current = ScrollTo(current, RequestOf(code), static_cast<int>(position), limit);
    ::SetScrollPos(m_hWnd, bar, current, TRUE);
    if (m_session)
        ::SendMessageW(m_session, WM_SEND_VIEW_SCROLL, static_cast<WPARAM>(m_scrollX), static_cast<LPARAM>(m_scrollY));
    Invalidate(FALSE);
}

// -- Mouse ---------------------------------------------------------------------------------------

CRemoteInputQueue* CUIThreadWnd::InputAt(CPoint& point)
{
    if (!IsForwarding())
        return nullptr;
    int x = point.x;
    int y = point.y;
    MapViewPoint(m_layout, m_scrollX, m_scrollY, x, y);
    point = CPoint(x, y);
    return m_input.get();
}

// -- Keys ----------------------------------------------------------------------------------------

void CUIThreadWnd::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (m_input)
        QueueRemoteKeyDown(*m_input, key, repeat, flags);
}

void CUIThreadWnd::OnKeyUp(UINT key, UINT repeat, UINT flags)
{
    if (key == VK_HANGUL || (key == VK_PROCESSKEY && flags != kNoImeKeyFlags)) {
        SetImeMode(false);
        m_imeNative = false;
        return;
    }
    if (key == VK_PROCESSKEY || !m_input)
        return;
    CCommunicationWnd::QueueKeyUp(*m_input, key, repeat, flags);
}

void CUIThreadWnd::SetImeMode(bool native)
{
    HIMC context = ::ImmGetContext(m_hWnd);
    if (!context)
        return;
    DWORD conversion = 0;
    DWORD sentence = 0;
    if (::ImmGetConversionStatus(context, &conversion, &sentence)) {
        if (native)
            conversion = (conversion & ~0x20u) | 0x3u;
        else
            conversion = (conversion & ~0x3u) | 0x20u;
        ::ImmSetConversionStatus(context, conversion, sentence);
    }
    ::ImmReleaseContext(m_hWnd, context);
}

BOOL CUIThreadWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd != m_hWnd)
        return CFrameWnd::PreTranslateMessage(msg);
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_PROCESSKEY && !m_slot.m_chatWindow.IsOpen() &&
        ::ImmGetVirtualKey(m_hWnd) == VK_HANGUL) {
        // The Hangul/English key switches the student's input method instead of the teacher's,
        // unless the teacher is typing in the student's chat.
        if (m_session)
            ::SendMessageW(m_session, WM_SEND_SPECIAL_KEY, 0, 0);
        SetFocus();
        return TRUE;
    }
    if ((msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSKEYUP) &&
        QueueRemoteSystemKey(m_input.get(), *msg, false))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(msg);
}

// -- Chat, sound and the end ---------------------------------------------------------------------

LRESULT CUIThreadWnd::OnSoundState(WPARAM on, LPARAM)
{
    m_soundOn = on == 1;
    m_bar.SetSoundState(m_soundOn);
    return 0;
}

LRESULT CUIThreadWnd::OnChatTyped(WPARAM text, LPARAM)
{
    if (m_session)
        ::SendMessageW(m_session, WM_SEND_CHAT_TEXT, text, 0);
    return 0;
}

LRESULT CUIThreadWnd::OnSessionChatLine(WPARAM line, LPARAM)
{
    std::unique_ptr<SessionChatLine> chat = AfxTakePosted<SessionChatLine>(line);
    if (!chat)
        return 0;
    // The chat window lives on this thread while the session runs; what the teacher types in it
    // comes back here as WM_CHAT_TYPED.
    if (!OpenChatWindow(m_slot, m_hWnd)) {
        TRACE(L"PC:%d chat line dropped: the chat is open elsewhere\n", m_slot.m_slotNumber.load());
        return 0;
    }
    m_slot.m_chatWindow.AppendStudentLine(chat->header, chat->text);
    return 0;
}

void CUIThreadWnd::OnClose()
{
    if (m_closing)
        return;
    m_closing = true;
    KillTimer(kRepaintTimer);
    g_singleControlBar = nullptr;
    if (m_input)
        m_input->SetForwarding(false);
    m_slot.m_chatWindow.CloseChat();
    // The session ends and gives the connection back before this window goes.
    if (m_session && ::IsWindow(m_session))
        ::SendMessageW(m_session, WM_CLOSE, 0, 0);
    m_session = nullptr;
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
    DestroyWindow();   // the view thread ends with its window
}
