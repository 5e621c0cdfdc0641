#include "sessions/MsgWnd.h"

#include "framework/AfxMessageBox.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "foundation/AppMessages.h"
#include "sessions/core/ChatLineRules.h"
#include "ui/CaptionBand.h"
#include "ui/RichText.h"
#include "ui/ShowMessageBox.h"
#include "ui/UiScale.h"
#include "ui/ScaledLayout.h"
#include "ui/DialogSkin.h"

#include <algorithm>

namespace {

const COLORREF kInputText = RGB(0x04, 0xE2, 0xC6);
const COLORREF kInputBackground = RGB(24, 30, 43);
const COLORREF kHeaderColour = RGB(0xC8, 0xBF, 0xE7);
const COLORREF kEchoHeaderColour = RGB(0xEF, 0xE4, 0xB0);
const COLORREF kLineColour = RGB(0x04, 0xE2, 0xC6);

// Design sizes (x g_uiScale).
const int kLeft = 80;
const int kTop = 50;
const int kWidth = 400;
const int kHeight = 396;

// The control's own default of 32K characters would silently stop a long chat. A pupil who
// floods the chat must not grow it without bound either: past the limit the older half goes.
const long kLogCharacterLimit = 1L << 20;

// Typed lines reach the owner synchronously; a hung owner does not hang the chat.
const UINT kOwnerTimeoutMs = 5000;

int CountLineBreaks(const CString& text)
{
    const wchar_t* chars = text.GetString();
    return static_cast<int>(std::count(chars, chars + text.GetLength(), L'\n'));
}

} // namespace

BEGIN_MESSAGE_MAP(CMsgWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_CHAT_SEND, OnSendButton)
    ON_BN_CLICKED(IDC_CHAT_HIDE, OnHideButton)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnHideButton)
END_MESSAGE_MAP()

CMsgWnd::~CMsgWnd()
{
    CloseChat();
}

bool CMsgWnd::IsOnThisThread() const
{
    const HWND window = m_openWindow.load();
    return window && ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId();
}

bool CMsgWnd::Open(HWND owner, const CString& title, const CString& caption)
{
    if (IsOpen())
        return IsOnThisThread();
    AfxInitRichEdit2();
    m_owner = owner;
    m_title = title;
    static const LPCWSTR windowClass = AfxRegisterWndClass(0);
    const CRect rect = ScaledRect(kLeft, kTop, kWidth, kHeight);
    if (!CreateEx(WS_EX_TOPMOST, windowClass, caption, WS_POPUP | WS_VISIBLE | WS_BORDER | WS_SYSMENU,
                  rect.left, rect.top, rect.Width(), rect.Height(), nullptr, nullptr)) {
        m_owner = nullptr;
        return false;
    }
    return true;
}

void CMsgWnd::BringToFront()
{
    if (!GetSafeHwnd())
        return;
    ShowWindow(IsIconic() ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow();
    if (m_input.GetSafeHwnd())
        m_input.SetFocus();
}

int CMsgWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    m_openWindow = m_hWnd;
    m_faceName = LoadText(IDS_FONT_FACE);
    m_latinFont.CreateSimpleFont(ScaleToUi(15), FW_NORMAL, LoadText(IDS_FONT_FACE_LATIN));
    m_boldFont.CreateSimpleFont(ScaleToUi(13), FW_BOLD, m_faceName);
    m_backgroundBrush.CreateSolidBrush(kDialogBackground);
    m_inputBrush.CreateSolidBrush(kInputBackground);
    CreateControls();
    return 0;
}

void CMsgWnd::CreateControls()
{
    CRect client;
    GetClientRect(&client);
    const int inner = client.Width() - 2 * ScaleToUi(8);
    m_log.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                 CRect(ScaleToUi(8), ScaleToUi(46), ScaleToUi(8) + inner, ScaleToUi(282)), this, IDC_CHAT_LOG);
    m_log.LimitText(kLogCharacterLimit);
    m_log.SetBackgroundColor(kDialogBackground);
    m_input.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                     CRect(ScaleToUi(8), ScaleToUi(290), ScaleToUi(8) + inner, ScaleToUi(346)), this, IDC_CHAT_INPUT);
    m_input.SetFont(m_boldFont);
    const int right = client.Width() - ScaleToUi(8);
    m_sendButton.Create(LoadText(IDS_CHAT_SEND), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                        CRect(right - ScaleToUi(166), ScaleToUi(354), right - ScaleToUi(86), ScaleToUi(384)),
                        this, IDC_CHAT_SEND);
    m_sendButton.SetFont(m_latinFont);
    m_hideButton.Create(LoadText(IDS_CHAT_CLOSE), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                        CRect(right - ScaleToUi(80), ScaleToUi(354), right, ScaleToUi(384)), this, IDC_CHAT_HIDE);
    m_hideButton.SetFont(m_latinFont);
    const int closeWidth = ScaleToUi(39);
    m_closeButton.CreateCaptionClose(this, CRect(client.Width() - closeWidth, 0, client.Width(), ScaleToUi(34)));
    m_input.SetFocus();
}

// Hiding destroys the window with its controls and GDI objects; the next line or the
// teacher's next open makes it again.
void CMsgWnd::OnClose()
{
    DestroyWindow();
}

void CMsgWnd::OnHideButton()
{
    DestroyWindow();
}

void CMsgWnd::CloseChat()
{
    const HWND window = m_openWindow.load();
    if (!window)
        return;
    if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId())
        DestroyWindow();
    else
        ::PostMessageW(window, WM_CLOSE, 0, 0);
}

void CMsgWnd::OnDestroy()
{
    m_openWindow = nullptr;
    m_owner = nullptr;
    CWnd::OnDestroy();
}

// The controls are gone by now: their fonts and brushes can go.
void CMsgWnd::PostNcDestroy()
{
    m_latinFont.DeleteObject();
    m_boldFont.DeleteObject();
    m_backgroundBrush.DeleteObject();
    m_inputBrush.DeleteObject();
}

// --- The conversation ---------------------------------------------------------------------

void CMsgWnd::AppendMessage(const CString& text, COLORREF colour, int size, const CString& faceName)
{
    if (!m_log.GetSafeHwnd())
        return;
    KeepLogWithinLimit(text.GetLength());
    AppendRichText(m_log, text, colour, size, faceName);
    m_log.LineScroll(CountLineBreaks(text));
    FlashWhenInBackground();
}

void CMsgWnd::KeepLogWithinLimit(long adding)
{
    const long length = m_log.GetTextLength();
    if (length + adding <= kLogCharacterLimit)
        return;
    m_log.SetSel(0, std::min(length, std::max(length / 2, length + adding - kLogCharacterLimit)));
    m_log.ReplaceSel(L"");
}

void CMsgWnd::FlashWhenInBackground()
{
    const HWND foreground = ::GetForegroundWindow();
    if (foreground == m_hWnd || foreground == m_log.GetSafeHwnd())
        return;
    FLASHWINFO flash{sizeof(flash), m_hWnd, FLASHW_TRAY | FLASHW_TIMERNOFG, 10, 500};
    ::FlashWindowEx(&flash);
}

void CMsgWnd::AppendStudentLine(const CString& header, const CString& text)
{
    const CString face = LoadText(IDS_FONT_FACE);
    AppendMessage(header, kHeaderColour, LoadFontSize(IDS_FONT_CHAT_HEADER_SIZE, 8), face);
    AppendMessage(text + L"\n", kLineColour, LoadFontSize(IDS_FONT_CHAT_TEXT_SIZE, 10), face);
}

// --- Sending ------------------------------------------------------------------------------

BOOL CMsgWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && (::GetKeyState(VK_SHIFT) & 0x8000) == 0 &&
        GetSafeHwnd() && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        SendTypedLine();
        return TRUE;
    }
    return FALSE;
}

void CMsgWnd::OnSendButton()
{
    SendTypedLine();
}

void CMsgWnd::SendTypedLine()
{
    if (!m_input.GetSafeHwnd())
        return;
    CString text;
    m_input.GetWindowText(text);
    switch (CheckTypedChatLine(ToU16(text))) {
    case TypedChatVerdict::Empty: return;
    case TypedChatVerdict::TooLong: RefuseLine(IDS_CHAT_TOO_LONG); return;
    case TypedChatVerdict::Emoji: RefuseLine(IDS_CHAT_NO_EMOJI); return;
    case TypedChatVerdict::Send: break;
    }
    if (m_owner) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(m_owner, WM_CHAT_TYPED, reinterpret_cast<WPARAM>(&text), 0, SMTO_ABORTIFHUNG,
                              kOwnerTimeoutMs, &result);
    }
    const CString face = LoadText(IDS_FONT_FACE);
    CString echo;
    echo.Format(L"Write to %s : \n", m_title.GetString());
    AppendMessage(echo, kEchoHeaderColour, LoadFontSize(IDS_FONT_CHAT_HEADER_SIZE, 8), face);
    AppendMessage(text + L"\n", kLineColour, LoadFontSize(IDS_FONT_CHAT_TEXT_SIZE, 10), face);
    m_input.SetWindowText(L"");
}

// The box belongs to the chat, above this top-most window. The chat can be closed while the
// box is open (a session starting on the slot): nothing of it is touched afterwards.
void CMsgWnd::RefuseLine(UINT textId)
{
    ShowMessageBox(LoadText(textId), nullptr, 0, this);
}

// --- Skin ---------------------------------------------------------------------------------

BOOL CMsgWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;   // painted whole
}

void CMsgWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, kDialogBackground);
    const int band = ScaleToUi(kDialogCaptionBandHeight);
    dc.FillSolidRect(0, 0, client.Width(), band, kDialogCaptionBand);
    CString caption;
    GetWindowText(caption);
    CRect title(ScaleToUi(10), 0, client.Width() - ScaleToUi(44), band);
    HGDIOBJ previous = dc.SelectObject(&m_boldFont);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kDialogTitleText);
    dc.DrawText(caption, &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    dc.SelectObject(previous);
}

LRESULT CMsgWnd::OnNcHitTest(CPoint point)
{
    if (IsInCaptionBand(*this, point, kDialogCaptionBandHeight))
        return HTCAPTION;
    return CWnd::OnNcHitTest(point);
}

HBRUSH CMsgWnd::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    if (control && control->GetSafeHwnd() == m_input.GetSafeHwnd()) {
        dc->SetTextColor(kInputText);
        dc->SetBkColor(kInputBackground);
        return m_inputBrush;
    }
    return CWnd::OnCtlColor(dc, control, kind);
}
