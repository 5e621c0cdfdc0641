#include "view/BroadcastDlg.h"

#include "dialogs/ViewDialogState.h"

#include "activities/quiz/QuizPopups.h"
#include "activities/screenshare/ShareGlobals.h"
#include "foundation/AppMessages.h"
#include "foundation/IniFile.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "foundation/AppGlobals.h"
#include "ui/ShowMessageBox.h"
#include "ui/UiScale.h"
#include "view/WendmarkView.h"
#include "view/core/ToolbarLayout.h"

CBroadcastDlg* g_broadcastDlg = nullptr;

namespace {

enum : UINT_PTR { kTimerHover = 1, kTimerKeepOnScreen = 2, kTimerTouchUnlock = CBroadcastDlg::kTouchUnlockTimer };
constexpr UINT kTimerPeriodMs = 100;
constexpr BYTE kCollapsedAlpha = 50;
constexpr BYTE kBackLayerAlpha = 180;
// The settings' labels over the skin behind the toolbar's keyed-out face colour.
constexpr COLORREF kShareLabelColour = RGB(230, 234, 240);
constexpr COLORREF kApplyFace = RGB(52, 62, 84);
constexpr COLORREF kApplyFacePressed = RGB(3, 150, 170);

struct ButtonSkin {
    int id;
    UINT bitmap;
    UINT tooltip;     // 0: none
};

const ButtonSkin kButtonSkins[] = {
    {IDC_TB_SHARE, IDB_TB_SHARE, IDS_TB_SHARE_START},
    {IDC_TB_COLLECT_VIEW, IDB_TB_COLLECT_VIEW, IDS_TB_COLLECT_VIEW},
    {IDC_TB_MONITORING, IDB_TB_MONITORING, IDS_TB_MONITORING},
    {IDC_TB_PRESENTATION, IDB_TB_PRESENTATION, IDS_TB_PRESENTATION},
    {IDC_TB_FILE_TRANSFER, IDB_TB_FILE_TRANSFER, IDS_TB_FILE_TRANSFER},
    {IDC_TB_INBOX, IDB_TB_INBOX, IDS_TB_INBOX},
    {IDC_TB_PEN_TOOL, IDB_TB_PEN_TOOL, IDS_TB_PEN_TOOL},
    {IDC_TB_TOUCH, IDB_TB_TOUCH, IDS_TB_TOUCH_ALLOWED},
    {IDC_TB_GRID_LAYOUT, IDB_TB_GRID_LAYOUT, IDS_TB_GRID_LAYOUT},
    {IDC_TB_MONITOR_SETTINGS, IDB_TB_MONITOR_SETTINGS, IDS_TB_MONITOR_SETTINGS},
    {IDC_TB_STUDENT_NAMES, IDB_TB_STUDENT_NAMES, IDS_TB_STUDENT_NAMES},
    {IDC_TB_SETTINGS, IDB_TB_SETTINGS, IDS_TB_SETTINGS},
    {IDC_TB_REMOTE_CONTROL, IDB_TB_REMOTE_CONTROL, IDS_TB_REMOTE_CONTROL},
    {IDC_TB_CHAT, IDB_TB_CHAT, IDS_CHAT_ONE_TO_ONE},
    {IDC_TB_TOUCH_CONTROL, IDB_TB_TOUCH_CONTROL, IDS_TB_TOUCH_CONTROL},
    {IDC_TB_LOG, IDB_TB_LOG, IDS_TB_LOG},
    {IDC_TB_PANEL_CLASS, IDB_TB_PANEL_CLASS, 0},
    {IDC_TB_PANEL_STUDENT, IDB_TB_PANEL_STUDENT, 0},
    {IDC_TB_PANEL_SETTINGS, IDB_TB_PANEL_SETTINGS, 0},
    {IDC_TB_ROTATE, IDB_TB_ROTATE, 0},
    {IDC_TB_QUIZ, IDB_TB_QUIZ, IDS_TB_QUIZ},
};

int ReadShareInt(const wchar_t* key, int fallback)
{
    const CString text = IniGetString(L"SCREENSHARE", key, L"", g_configIniPath);
    return text.IsEmpty() ? fallback : _wtoi(text);
}

// Dropped files are offered to OLE drags too unless user-account control filters them.
bool AcceptsOleDrops()
{
    DWORD value = 0, size = sizeof value;
    const LONG result = ::RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                                       L"EnableLUA", RRF_RT_REG_DWORD, nullptr, &value, &size);
    return result != ERROR_SUCCESS || value == 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CBroadcastDlg, CDialogEx)
    ON_WM_TIMER()
    ON_WM_ACTIVATE()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_MESSAGE(WM_CHILD_CLOSED, OnChildClosed)
    ON_MESSAGE(WM_FILE_DROPPED, OnFileDropped)
    ON_MESSAGE(WM_OPEN_NOTE_TOOL, OnOpenNoteTool)
    ON_MESSAGE(WM_NOTE_TOOL_STATE, OnNoteToolAnswer)
    ON_MESSAGE(WM_NOTE_TOOL_QUERY, OnNoteToolAnswer)
    ON_BN_CLICKED(IDC_TB_SHARE, OnToggleScreenShare)
    ON_BN_CLICKED(IDC_TB_COLLECT_VIEW, OnCollectView)
    ON_BN_CLICKED(IDC_TB_MONITORING, OnMonitoring)
    ON_BN_CLICKED(IDC_TB_PRESENTATION, OnPresentationRight)
    ON_BN_CLICKED(IDC_TB_FILE_TRANSFER, OnFileTransfer)
    ON_BN_CLICKED(IDC_TB_INBOX, OnOpenInbox)
    ON_BN_CLICKED(IDC_TB_PEN_TOOL, OnNoteTool)
    ON_BN_CLICKED(IDC_TB_QUIZ, OnQuiz)
    ON_BN_CLICKED(IDC_TB_TOUCH, OnTouchButton)
    ON_BN_CLICKED(IDC_TB_PANEL_CLASS, OnClassPanel)
    ON_BN_CLICKED(IDC_TB_PANEL_STUDENT, OnStudentPanel)
    ON_BN_CLICKED(IDC_TB_PANEL_SETTINGS, OnSettingsPanel)
    ON_BN_CLICKED(IDC_TB_ROTATE, OnRotate)
    ON_BN_CLICKED(IDC_TB_APPLY_SHARE, OnApplyShareSettings)
    ON_BN_CLICKED(IDC_TB_GRID_LAYOUT, OnGridLayout)
    ON_BN_CLICKED(IDC_TB_MONITOR_SETTINGS, OnMonitorSettings)
    ON_BN_CLICKED(IDC_TB_STUDENT_NAMES, OnStudentNames)
    ON_BN_CLICKED(IDC_TB_SETTINGS, OnSettings)
    ON_BN_CLICKED(IDC_TB_REMOTE_CONTROL, OnRemoteControl)
    ON_BN_CLICKED(IDC_TB_CHAT, OnChat)
    ON_BN_CLICKED(IDC_TB_TOUCH_CONTROL, OnTouchControl)
    ON_BN_CLICKED(IDC_TB_LOG, OnShowLog)
END_MESSAGE_MAP()

CBroadcastDlg::CBroadcastDlg(CWendmarkView* view) : CDialogEx(IDD_TOOLBAR, nullptr), m_view(view)
{
    ReadShareSettingsFile();
}

CBroadcastDlg::~CBroadcastDlg()
{
    *m_alive = false;
    if (g_broadcastDlg == this) {
        g_broadcastDlg = nullptr;
        SetTeacherToolbarWindows(nullptr, nullptr);
    }
}

void CBroadcastDlg::ReadShareSettingsFile()
{
    m_share.canvasWidth = ReadShareInt(L"canvaswidth", m_share.canvasWidth);
    m_share.canvasHeight = ReadShareInt(L"canvasheight", m_share.canvasHeight);
    m_quality = ReadShareInt(L"quality", m_quality);
}

BOOL CBroadcastDlg::CreateToolbar()
{
    m_horizontal = AfxGetApp()->GetProfileInt(L"config", L"MenuToolDlgIsHorizontal", 1) != 0;
    if (!Create(IDD_TOOLBAR, nullptr))
        return FALSE;
    g_broadcastDlg = this;
    // The view's dialogs hide the toolbar and its back layer while they are open.
    SetTeacherToolbarWindows(GetSafeHwnd(), m_backLayer.GetSafeHwnd());
    return TRUE;
}

BOOL CBroadcastDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_backLayer.CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW, nullptr, L"BackLayer", WS_POPUP, 0, 0, 145, 145,
                         nullptr, nullptr);
    if (m_backLayer.GetSafeHwnd())
        ::SetLayeredWindowAttributes(m_backLayer.GetSafeHwnd(), 0, kBackLayerAlpha, LWA_ALPHA);
    CreateButtons();
    FillShareControls();
    m_sharingOsd.notifyWnd = GetSafeHwnd();
    m_sharingOsd.x = 10;
    m_sharingOsd.y = 10;
    SetAlpha(255);
    m_openPanel = kToolbarClassPanel;
    m_collapsed = false;
    Relayout();
    PlaceAtLowerRight();
    SetTimer(kTimerHover, kTimerPeriodMs);
    SetTimer(kTimerKeepOnScreen, kTimerPeriodMs);
    return TRUE;
}

void CBroadcastDlg::CreateButtons()
{
    for (const ButtonSkin& skin : kButtonSkins) {
        auto button = std::make_unique<CImageButton>();
        if (!button->Create(L"", WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 52, 52), this, skin.id))
            continue;
        button->SetBitmaps(skin.bitmap, skin.bitmap + 1, skin.bitmap + 2, skin.bitmap + 3);
        if (skin.tooltip)
            button->SetTooltipText(LoadText(skin.tooltip));
        m_buttons[skin.id] = std::move(button);
    }
    CImageButton* transfer = m_buttons.count(IDC_TB_FILE_TRANSFER) ? m_buttons[IDC_TB_FILE_TRANSFER].get() : nullptr;
    if (transfer) {
        ::DragAcceptFiles(transfer->GetSafeHwnd(), TRUE);
        if (AcceptsOleDrops())
            transfer->RegisterDropTarget();
    }
}

void CBroadcastDlg::FillShareControls()
{
    SetDlgItemInt(IDC_TB_CAPTURE_LEFT, m_capture.left);
    SetDlgItemInt(IDC_TB_CAPTURE_TOP, m_capture.top);
    SetDlgItemInt(IDC_TB_CAPTURE_RIGHT, m_capture.right);
    SetDlgItemInt(IDC_TB_CAPTURE_BOTTOM, m_capture.bottom);
    SetDlgItemInt(IDC_TB_CANVAS_WIDTH, m_share.canvasWidth);
    SetDlgItemInt(IDC_TB_CANVAS_HEIGHT, m_share.canvasHeight);
    SetDlgItemInt(IDC_TB_QUALITY, m_quality);
    CheckRadioButton(IDC_TB_MODE_FULL, IDC_TB_MODE_WINDOW, m_share.fullScreen ? IDC_TB_MODE_FULL : IDC_TB_MODE_WINDOW);
    CheckRadioButton(IDC_TB_FIT_STRETCH, IDC_TB_FIT_CENTRE, m_share.resize ? IDC_TB_FIT_STRETCH : IDC_TB_FIT_CENTRE);
}

bool CBroadcastDlg::ReadShareControls()
{
    ShareRect capture{static_cast<int>(GetDlgItemInt(IDC_TB_CAPTURE_LEFT)), static_cast<int>(GetDlgItemInt(IDC_TB_CAPTURE_TOP)),
                      static_cast<int>(GetDlgItemInt(IDC_TB_CAPTURE_RIGHT)), static_cast<int>(GetDlgItemInt(IDC_TB_CAPTURE_BOTTOM))};
    ShareSettings share = m_share;
    share.canvasWidth = static_cast<int>(GetDlgItemInt(IDC_TB_CANVAS_WIDTH));
    share.canvasHeight = static_cast<int>(GetDlgItemInt(IDC_TB_CANVAS_HEIGHT));
    share.fullScreen = IsDlgButtonChecked(IDC_TB_MODE_WINDOW) != BST_CHECKED;
    share.resize = IsDlgButtonChecked(IDC_TB_FIT_CENTRE) != BST_CHECKED;
    const int quality = static_cast<int>(GetDlgItemInt(IDC_TB_QUALITY));
    m_capture = capture;
    if (!IsShareSizeUsable(share.canvasWidth, share.canvasHeight))
        return false;
    m_share = share;
    m_quality = quality < 1 ? 1 : (quality > 100 ? 100 : quality);
    return true;
}

void CBroadcastDlg::OnApplyShareSettings()
{
    // The running capture keeps its canvas to the end: students told of another one now would
    // lay its tiles out wrongly.
    if (IsSharing()) {
        FillShareControls();
        ShowNotice(IDS_SHARING_REFUSED);
        return;
    }
    ApplyShareSettings();
}

bool CBroadcastDlg::ApplyShareSettings()
{
    if (!ReadShareControls()) {
        FillShareControls();    // back to the settings in force
        ShowMessageBox(LoadText(IDS_TB_CAPTURE_SIZE_NEEDED));
        if (CWnd* field = GetDlgItem(IDC_TB_CANVAS_WIDTH))
            field->SetFocus();
        return false;
    }
    // The whole primary screen is shared.
    m_capture = ShareRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    FillShareControls();
    m_view->SetShareSettings(m_capture, m_share, m_quality);
    m_view->SendShareSettings();
    return true;
}

// --- Layout ---------------------------------------------------------------------------------

void CBroadcastDlg::Relayout()
{
    const int panel = m_collapsed ? kToolbarCollapsed : m_openPanel;
    const ToolbarSize size = ToolbarDesignSize(panel, m_horizontal);
    for (auto& entry : m_buttons)
        entry.second->ShowWindow(SW_HIDE);
    for (const ToolbarButtonPlace& place : ToolbarButtons(panel, m_horizontal)) {
        auto found = m_buttons.find(place.id);
        if (found == m_buttons.end())
            continue;
        found->second->MoveWindow(ScaleToUi(place.x), ScaleToUi(place.y), ScaleToUi(place.side), ScaleToUi(place.side));
        found->second->ShowWindow(SW_SHOW);
    }
    for (int id : ToolbarShareControlIds())
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    for (const ToolbarControlPlace& place : ToolbarShareControls(panel, m_horizontal))
        if (CWnd* control = GetDlgItem(place.id)) {
            control->MoveWindow(ScaleToUi(place.x), ScaleToUi(place.y), ScaleToUi(place.width), ScaleToUi(place.height));
            control->ShowWindow(SW_SHOW);
        }
    SetWindowPos(nullptr, 0, 0, ScaleToUi(size.width), ScaleToUi(size.height), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_backLayer.GetSafeHwnd()) {
        m_backLayer.SetBitmap(ToolbarBackLayerBitmap(panel, m_horizontal));
        ShowBackLayer(!m_collapsed || IsWindowVisible());
    }
    Invalidate();
}

void CBroadcastDlg::PlaceAtLowerRight()
{
    CRect window;
    GetWindowRect(&window);
    RECT work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.right - window.Width() - ScaleToUi(30) - g_penToolBarMargin;
    const int y = work.bottom - window.Height() - ScaleToUi(30);
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBroadcastDlg::KeepOnScreen()
{
    CRect window;
    GetWindowRect(&window);
    const ToolbarSpot spot = KeepToolbarOnScreen(window.left, window.top, window.Width(), window.Height(),
                                                 ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                                 g_penToolBarMargin);
    if (spot.x != window.left || spot.y != window.top)
        SetWindowPos(nullptr, spot.x, spot.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_backLayer.GetSafeHwnd())
        ::SetWindowPos(m_backLayer.GetSafeHwnd(), GetSafeHwnd(), spot.x, spot.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CBroadcastDlg::TogglePanel(int panel)
{
    if (!m_collapsed && m_openPanel == panel) {
        m_collapsed = true;
        m_openPanel = kToolbarCollapsed;
    } else {
        m_collapsed = false;
        m_openPanel = panel;
    }
    Relayout();
    KeepOnScreen();
}

void CBroadcastDlg::OnRotate()
{
    m_horizontal = !m_horizontal;
    Relayout();
    KeepOnScreen();
}

// --- Showing and transparency ---------------------------------------------------------------

void CBroadcastDlg::ShowTopMost()
{
    if (!GetSafeHwnd())
        return;
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ShowBackLayer(true);
}

void CBroadcastDlg::HideToolbar()
{
    if (!GetSafeHwnd())
        return;
    ShowWindow(SW_HIDE);
    ShowBackLayer(false);
}

void CBroadcastDlg::ShowBackLayer(bool show)
{
    if (!m_backLayer.GetSafeHwnd())
        return;
    if (!show || !IsWindowVisible()) {
        m_backLayer.ShowWindow(SW_HIDE);
        return;
    }
    CRect window;
    GetWindowRect(&window);
    // Just below the toolbar, so the buttons stay in front of the skin.
    ::SetWindowPos(m_backLayer.GetSafeHwnd(), GetSafeHwnd(), window.left, window.top, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CBroadcastDlg::SetAlpha(BYTE alpha)
{
    m_alpha = alpha;
    ::SetLayeredWindowAttributes(GetSafeHwnd(), ::GetSysColor(COLOR_BTNFACE), alpha, LWA_COLORKEY | LWA_ALPHA);
}

void CBroadcastDlg::OnActivate(UINT state, CWnd*, BOOL)
{
    if (state != WA_INACTIVE) {
        ShowBackLayer(true);
        SetAlpha(255);
    } else if (m_collapsed) {
        ShowBackLayer(false);
        SetAlpha(kCollapsedAlpha);
    }
}

void CBroadcastDlg::OnTimer(UINT_PTR id)
{
    if (id == kTimerHover && m_collapsed) {
        POINT cursor;
        CRect window;
        GetWindowRect(&window);
        const BYTE wanted = ::GetCursorPos(&cursor) && window.PtInRect(cursor) ? 255 : kCollapsedAlpha;
        if (wanted != m_alpha)
            SetAlpha(wanted);
    } else if (id == kTimerKeepOnScreen) {
        KeepOnScreen();
    } else if (id == kTimerTouchUnlock) {
        KillTimer(kTimerTouchUnlock);
        auto found = m_buttons.find(IDC_TB_TOUCH);
        if (found != m_buttons.end()) {
            found->second->EnableWindow(TRUE);
            found->second->SetChecked();
        }
    }
}

void CBroadcastDlg::OnDestroy()
{
    for (UINT_PTR id : {kTimerHover, kTimerKeepOnScreen, kTimerTouchUnlock})
        KillTimer(id);
    AfxGetApp()->WriteProfileInt(L"config", L"MenuToolDlgIsHorizontal", m_horizontal ? 1 : 0);
    DestroyOsdWindow(m_sharingOsd);
    if (m_backLayer.GetSafeHwnd())
        m_backLayer.DestroyWindow();
    m_buttons.clear();
    if (g_broadcastDlg == this)
        g_broadcastDlg = nullptr;
    CDialogEx::OnDestroy();
}

LRESULT CBroadcastDlg::OnChildClosed(WPARAM window, LPARAM)
{
    if (m_sharingOsd.window && reinterpret_cast<HWND>(window) == m_sharingOsd.window->GetSafeHwnd())
        DestroyOsdWindow(m_sharingOsd);
    return 1;
}

HBRUSH CBroadcastDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    if (kind != CTLCOLOR_STATIC)
        return CDialogEx::OnCtlColor(dc, control, kind);
    // The mode choices' face is keyed out, so their labels stand on the skin.
    dc->SetTextColor(kShareLabelColour);
    dc->SetBkMode(TRANSPARENT);
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

// The apply button draws its own face: the system's would be keyed out with the toolbar's.
void CBroadcastDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item)
{
    if (id != IDC_TB_APPLY_SHARE || !item) {
        CDialogEx::OnDrawItem(id, item);
        return;
    }
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    HBRUSH face = ::CreateSolidBrush(pressed ? kApplyFacePressed : kApplyFace);
    ::FillRect(item->hDC, &item->rcItem, face);
    ::DeleteObject(face);
    wchar_t text[32] = {};
    ::GetWindowTextW(item->hwndItem, text, 32);
    RECT box = item->rcItem;
    ::SetBkMode(item->hDC, TRANSPARENT);
    ::SetTextColor(item->hDC, kShareLabelColour);
    ::DrawTextW(item->hDC, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// Taking the announcement away opens the quiz round to a new press.
void CBroadcastDlg::HideQuizAnnouncement()
{
    if (g_quizMsgDlg.GetSafeHwnd() && g_quizMsgDlg.IsWindowVisible())
        HideQuizMessage();
}

// Any button of the toolbar first takes the quiz announcement away.
LRESULT CBroadcastDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        HideQuizAnnouncement();
    return CDialogEx::WindowProc(message, wParam, lParam);
}

LRESULT CBroadcastDlg::OnNoteToolAnswer(WPARAM, LPARAM)
{
    return 1;
}
