#include "sessions/RemoteControlBar.h"

#include "foundation/AppGlobals.h"
#include "foundation/AppMessages.h"
#include "res/resource.h"
#include "ui/UiScale.h"
#include "ui/WaitMsgDlg.h"

namespace {

constexpr UINT_PTR kBackLayerTimer = 2;
constexpr UINT_PTR kNoticeTimer = 3;
constexpr UINT kBackLayerPeriodMs = 100;
constexpr int kBarWidth = 312;
constexpr int kBarHeight = 59;
constexpr int kBottomMargin = 30;
constexpr COLORREF kBarColour = RGB(255, 255, 250);   // also the transparency key
constexpr BYTE kBackLayerAlpha = 180;
constexpr DWORD kSharingNoticeMs = 1500;

} // namespace

BEGIN_MESSAGE_MAP(CRemoteControlBar, CDialogEx)
    ON_WM_NCHITTEST()
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_SHOWWINDOW()
    ON_COMMAND(ID_BAR_FULL_SCREEN, OnFullScreen)
    ON_BN_CLICKED(IDC_BAR_CLOSE, OnCloseSession)
    ON_BN_CLICKED(IDC_BAR_PEN, OnPenTool)
    ON_BN_CLICKED(IDC_BAR_SHARE, OnStateButton)
    ON_BN_CLICKED(IDC_BAR_TOUCH, OnStateButton)
END_MESSAGE_MAP()

CRemoteControlBar::CRemoteControlBar(CWnd& owner, const RemoteSessionLinks& links)
    : CDialogEx(IDD_CONTROL_BAR, nullptr), m_owner(owner), m_links(links), m_touchState(links.touchLock)
{
}

CRemoteControlBar::~CRemoteControlBar()
{
    if (m_backLayer.GetSafeHwnd())
        m_backLayer.DestroyWindow();
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CRemoteControlBar::CreateBar()
{
    return Create(IDD_CONTROL_BAR, CWnd::FromHandle(::GetDesktopWindow()));
}

bool CRemoteControlBar::IsSharing() const
{
    return m_links.screenSharing && m_links.screenSharing->load() != 0;
}

CImageButton* CRemoteControlBar::Button(int id)
{
    auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second.get();
}

BOOL CRemoteControlBar::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_background.CreateSolidBrush(kBarColour);
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, kBarColour, 255, LWA_COLORKEY | LWA_ALPHA);
    if (m_backLayer.CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW, nullptr, L"BackLayer", WS_POPUP | WS_VISIBLE,
                             -1000, -1000, 0, 0, nullptr, nullptr)) {
        m_backLayer.SetBitmap(IDB_BAR_BACK_LAYER);
        ::SetLayeredWindowAttributes(m_backLayer.GetSafeHwnd(), kBarColour, kBackLayerAlpha, LWA_COLORKEY | LWA_ALPHA);
    }
    SetWindowPos(nullptr, 0, 0, ScaleToUi(kBarWidth), ScaleToUi(kBarHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetTimer(kBackLayerTimer, kBackLayerPeriodMs);
    m_sharing = IsSharing();
    MakeButtons();
    if (CImageButton* touch = Button(IDC_BAR_TOUCH); touch && m_touchState)
        touch->SetChecked();
    if (CImageButton* share = Button(IDC_BAR_SHARE); share && m_sharing)
        share->SetChecked();
    ModifyStyleEx(0, WS_EX_NOACTIVATE);
    return TRUE;
}

void CRemoteControlBar::MakeButtons()
{
    static const ButtonLayout kShared[] = {
        {IDC_BAR_CLOSE, IDB_BAR_CLOSE, IDB_BAR_CLOSE_HOVER, IDB_BAR_CLOSE, IDB_BAR_CLOSE, IDS_CHAT_CLOSE, 131, 4, 50},
        {IDC_BAR_SHARE, IDB_BAR_SHARE, IDB_BAR_SHARE_HOVER, IDB_BAR_SHARE, IDB_BAR_SHARE_DISABLED, IDS_TB_SHARE_START,
         184, 11, 37},
        {IDC_BAR_TOUCH, IDB_BAR_TOUCH, IDB_BAR_TOUCH_HOVER, IDB_BAR_TOUCH_PRESSED, IDB_BAR_TOUCH_DISABLED,
         IDS_TB_TOUCH_ALLOWED, 225, 11, 37},
        {IDC_BAR_PEN, IDB_BAR_PEN, IDB_BAR_PEN_HOVER, IDB_BAR_PEN, IDB_BAR_PEN, IDS_TB_PEN_TOOL, 266, 11, 37},
    };
    for (const ButtonLayout& layout : kShared)
        MakeButton(layout, true);
}

void CRemoteControlBar::MakeButton(const ButtonLayout& layout, bool shown)
{
    auto button = std::make_unique<CImageButton>();
    const CRect place(ScaleToUi(layout.x), ScaleToUi(layout.y), ScaleToUi(layout.x) + ScaleToUi(layout.side),
                      ScaleToUi(layout.y) + ScaleToUi(layout.side));
    if (!button->Create(L"", WS_CHILD | BS_OWNERDRAW | (shown ? WS_VISIBLE : 0), place, this,
                        static_cast<UINT>(layout.id)))
        return;
    button->SetBitmaps(layout.normal, layout.hover, layout.disabled, layout.pressed);
    button->SetTooltipText(LoadText(layout.text));
    m_buttons[layout.id] = std::move(button);
}

void CRemoteControlBar::Place()
{
    if (!GetSafeHwnd())
        return;
    CRect owner;
    m_owner.GetWindowRect(&owner);
    CRect bar;
    GetWindowRect(&bar);
    const int x = owner.left + (owner.Width() - bar.Width()) / 2;
    const int y = owner.bottom - bar.Height() - ScaleToUi(kBottomMargin) - g_penToolBarMargin;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    KeepBackLayerUnder();
}

// The bar stays just in front of its window and the back layer just behind the bar, so the
// buttons are never covered by the window they drive; no other window changes place.
void CRemoteControlBar::KeepBackLayerUnder()
{
    if (!m_backLayer.GetSafeHwnd() || !IsWindowVisible())
        return;
    const HWND owner = m_owner.GetSafeHwnd();
    auto isTopMost = [](HWND window) { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    // In front of a top-most window (the full-screen view) only a top-most bar can stand; in
    // front of another the bar stays an ordinary window (placed after a top-most one it would
    // become one itself).
    const bool ownerTopMost = isTopMost(owner);
    HWND above = ::GetWindow(owner, GW_HWNDPREV);
    if (above && isTopMost(above) && !ownerTopMost)
        above = nullptr;
    // A bar already in front of its window stays there (over the pen's drawing surface too).
    if (!IsInFrontOf(owner))
        ::SetWindowPos(m_hWnd, above ? above : (ownerTopMost ? HWND_TOPMOST : HWND_TOP), 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CRect bar;
    GetWindowRect(&bar);
    ::SetWindowPos(m_backLayer.GetSafeHwnd(), m_hWnd, bar.left, bar.top, ScaleToUi(kBarWidth), ScaleToUi(kBarHeight),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

bool CRemoteControlBar::IsInFrontOf(HWND window) const
{
    for (HWND above = ::GetWindow(window, GW_HWNDPREV); above; above = ::GetWindow(above, GW_HWNDPREV))
        if (above == m_hWnd)
            return true;
    return false;
}

void CRemoteControlBar::OnTimer(UINT_PTR id)
{
    if (id == kNoticeTimer) {
        EndNotice();
        return;
    }
    if (id != kBackLayerTimer)
        return;
    KillTimer(kBackLayerTimer);
    KeepBackLayerUnder();
    UpdateShareButton();
    SetTimer(kBackLayerTimer, kBackLayerPeriodMs);
}

void CRemoteControlBar::ShowShareState()
{
    const bool sharing = IsSharing();
    if (sharing == m_sharing)
        return;
    m_sharing = sharing;
    if (CImageButton* share = Button(IDC_BAR_SHARE))
        sharing ? share->SetChecked() : share->ClearChecked();
}

void CRemoteControlBar::OnDestroy()
{
    KillTimer(kBackLayerTimer);
    KillTimer(kNoticeTimer);
    if (m_notice && m_notice->GetSafeHwnd())
        m_notice->DestroyWindow();
    if (m_backLayer.GetSafeHwnd())
        m_backLayer.DestroyWindow();
    CDialogEx::OnDestroy();
}

// Hidden from outside (the pen tool photographs the screen without it), the back layer goes too;
// it comes back with the bar.
void CRemoteControlBar::OnShowWindow(BOOL show, UINT status)
{
    CDialogEx::OnShowWindow(show, status);
    if (!show && m_backLayer.GetSafeHwnd())
        m_backLayer.ShowWindow(SW_HIDE);
}

LRESULT CRemoteControlBar::OnNcHitTest(CPoint point)
{
    const LRESULT hit = CDialogEx::OnNcHitTest(point);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

HBRUSH CRemoteControlBar::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    if (kind == CTLCOLOR_DLG)
        return m_background;
    return CDialogEx::OnCtlColor(dc, control, kind);
}

void CRemoteControlBar::OnFullScreen()
{
    m_owner.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BAR_FULL_SCREEN, 0), 0);
}

// While the class watches the teacher's screen the session stays open: its window is what they
// see.
void CRemoteControlBar::OnCloseSession()
{
    CImageButton* close = Button(IDC_BAR_CLOSE);
    if (close)
        close->EnableWindow(FALSE);
    if (!IsSharing()) {
        m_owner.PostMessage(WM_CLOSE);
        return;
    }
    if (CImageButton* share = Button(IDC_BAR_SHARE))
        share->EnableWindow(FALSE);
    // The notice stays for its time on a timer, not in a loop of its own: the window may close
    // meanwhile (its student lost), and the bar with it.
    m_notice = std::make_unique<CWaitMsgDlg>();
    if (m_notice->Create(nullptr)) {
        m_notice->SetMessageText(LoadText(IDS_SHARING_REFUSED));
        m_notice->CenterWindow(GetDesktopWindow());
        m_notice->SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        m_notice->UpdateWindow();
    }
    SetTimer(kNoticeTimer, kSharingNoticeMs);
}

void CRemoteControlBar::EndNotice()
{
    KillTimer(kNoticeTimer);
    if (m_notice && m_notice->GetSafeHwnd())
        m_notice->DestroyWindow();
    m_notice.reset();
    for (int id : {IDC_BAR_CLOSE, IDC_BAR_SHARE})
        if (CImageButton* button = Button(id))
            button->EnableWindow(TRUE);
}

void CRemoteControlBar::OnPenTool()
{
    if (m_links.teacherToolbar)
        ::PostMessageW(m_links.teacherToolbar, WM_OPEN_NOTE_TOOL, MessageMarker, 0);
    m_owner.SetFocus();
}
