// The teacher toolbar's buttons. A refused command shows its notice and changes nothing; the
// commands whose work is the view's are handed to it as the button's command.
#include "view/BroadcastDlg.h"

#include "activities/screenshare/ShareGlobals.h"
#include "foundation/AppMessages.h"
#include "foundation/FileUtil.h"
#include "foundation/IniFile.h"
#include "foundation/MessagePump.h"
#include "framework/FrameWnd.h"
#include "framework/PostOwned.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "foundation/AppGlobals.h"
#include "sessions/ControlWinowDlg.h"
#include "ui/ShowMessageBox.h"
#include "ui/WaitMsgDlg.h"
#include "view/WendmarkView.h"
#include "view/core/ToolbarLayout.h"

#include <shellapi.h>

namespace {

constexpr DWORD kNoticeMs = 2500;

bool FolderExists(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The received files' folder to open: today's (and the class's within it) when there is one.
CString InboxFolder()
{
    const CString base = GetModuleDirectory() + L"\\StudentFile";
    if (!FolderExists(base)) {
        MakeDirectories(base);
        return base;
    }
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    CString today;
    today.Format(L"%s\\%04d-%02d-%02d", base.GetString(), now.wYear, now.wMonth, now.wDay);
    if (!FolderExists(today))
        return base;
    const CString classInfo = AfxGetApp()->GetProfileString(L"config", L"classinfo", L"");
    if (!classInfo.IsEmpty() && FolderExists(today + L"\\" + classInfo))
        return today + L"\\" + classInfo;
    return today;
}

} // namespace

CWnd* CBroadcastDlg::MainFrame() const
{
    if (!m_view)
        return nullptr;
    CWnd* frame = m_view->GetParentFrame();
    return frame;
}

bool CBroadcastDlg::IsSharing() const
{
    return g_screenSharing.load() != 0;
}

void CBroadcastDlg::ShowNotice(const CString& text)
{
    CWaitMsgDlg wait;
    if (!wait.Create(nullptr))
        return;
    wait.SetMessageText(text);
    wait.CenterWindow(GetDesktopWindow());
    wait.SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    wait.UpdateWindow();
    PumpMessagesWait(kNoticeMs, 0);
    wait.DestroyWindow();
}

void CBroadcastDlg::ForwardToView(UINT id)
{
    if (m_view && m_view->GetSafeHwnd())
        m_view->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void CBroadcastDlg::RestoreMainFrame()
{
    CWnd* frame = MainFrame();
    if (!frame)
        return;
    frame->ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
    frame->ShowWindow(SW_SHOWMAXIMIZED);
}

void CBroadcastDlg::SetPresentationRightInUse(bool inUse)
{
    m_presentationInUse = inUse;
    auto found = m_buttons.find(IDC_TB_PRESENTATION);
    if (found == m_buttons.end())
        return;
    if (inUse)
        found->second->SetChecked();
    else
        found->second->ClearChecked();
}

// --- Share ----------------------------------------------------------------------------------

void CBroadcastDlg::SetShareButton(bool sharing)
{
    auto found = m_buttons.find(IDC_TB_SHARE);
    if (found == m_buttons.end())
        return;
    found->second->SetTooltipText(LoadText(sharing ? IDS_TB_SHARE_STOP : IDS_TB_SHARE_START));
    if (sharing)
        found->second->SetChecked();
    else
        found->second->ClearChecked();
}

void CBroadcastDlg::OnToggleScreenShare()
{
    if (IniGetString(L"default", L"screensharebtnenable", L"", g_configIniPath) != L"true")
        return;
    if (m_presentationInUse) {
        ShowNotice(IDS_PRESENTATION_REFUSED);
        return;
    }
    ReadShareControls();
    if (m_capture.right == 0) {
        ShowMessageBox(LoadText(IDS_TB_CAPTURE_SIZE_NEEDED));
        return;
    }
    if (IsSharing())
        StopSharing();
    else
        StartSharing();
    // The single student's bar shows the share as the remote-controller app shows it: only
    // an app new enough to be told the share's state has the bar told too.
    if (m_view->IsRemoconNewerApp())
        SyncShareButton();
    m_view->SendRemoconShareState();
}

void CBroadcastDlg::SyncShareButton()
{
    if (const HWND bar = g_singleControlBar.load())
        ::PostMessageW(bar, WM_SYNC_SHARE_BUTTON, 0, 0);
}

void CBroadcastDlg::StartSharing()
{
    if (!ApplyShareSettings())
        return;
    CWnd* frame = MainFrame();
    if (frame && !frame->IsIconic())
        frame->ShowWindow(SW_MINIMIZE);
    m_view->StartClassShare();
    SetShareButton(true);
    ShowOsdWindow(m_sharingOsd, LoadText(IDS_TB_SHARING_OSD), INFINITE);
}

void CBroadcastDlg::StopSharing()
{
    m_view->StopClassShare();
    SetShareButton(false);
    DestroyOsdWindow(m_sharingOsd);
}

// --- Class panel ----------------------------------------------------------------------------

void CBroadcastDlg::OnCollectView()
{
    if (m_presentationInUse) {
        ShowNotice(IDS_PRESENTATION_REFUSED);
        return;
    }
    if (m_view->IsQuizPanelVisible()) {
        ShowNotice(IDS_CLOSE_QUIZ_FIRST);
        return;
    }
    auto found = m_buttons.find(IDC_TB_COLLECT_VIEW);
    CImageButton* button = found == m_buttons.end() ? nullptr : found->second.get();
    if (m_view->IsCollectPicking()) {
        if (button) button->ClearChecked();
        m_view->StartCollectView();
        return;
    }
    if (m_view->IsNoteToolDrawing())
        return;
    if (g_openViewCount.load() > 0) {
        ShowNotice(IDS_CLOSE_STUDENT_VIEW_FIRST);
        return;
    }
    CWnd* frame = MainFrame();
    if (frame && frame->IsIconic()) {
        if (IsSharing()) {
            ShowNotice(IDS_SHARING_REFUSED);
            return;
        }
        RestoreMainFrame();
    }
    if (button) button->SetChecked();
    m_view->BeginCollectPicking();
}

void CBroadcastDlg::OnMonitoring()
{
    if (m_presentationInUse) {
        ShowNotice(IDS_PRESENTATION_REFUSED);
        return;
    }
    if (g_openViewCount.load() > 0) {
        ShowNotice(IDS_CLOSE_STUDENT_VIEW_FIRST);
        return;
    }
    CWnd* frame = MainFrame();
    if (!frame)
        return;
    if (!frame->IsIconic()) {
        frame->ShowWindow(SW_MINIMIZE);
        return;
    }
    if (IsSharing()) {
        ShowNotice(IDS_SHARING_REFUSED);
        return;
    }
    RestoreMainFrame();
}

void CBroadcastDlg::OnPresentationRight()
{
    if (g_messageBoxOpen.load())
        return;
    if (IsSharing()) {
        ShowNotice(IDS_SHARING_REFUSED);
        return;
    }
    if (m_touchLocked) {
        ShowNotice(IDS_TOUCH_CONTROL_REFUSED);
        return;
    }
    if (m_view->IsCollectPicking()) {
        ShowNotice(IDS_TB_LEAVE_COLLECT_VIEW);
        return;
    }
    SetPresentationRightInUse(m_view->TogglePresentationRight() != 0);
}

void CBroadcastDlg::OnFileTransfer()
{
    if (m_presentationInUse) {
        ShowNotice(IDS_PRESENTATION_REFUSED);
        return;
    }
    if (IsSharing()) {
        ShowNotice(IDS_SHARING_REFUSED);
        return;
    }
    if (m_touchLocked) {
        ShowNotice(IDS_TOUCH_CONTROL_REFUSED);
        return;
    }
    ForwardToView(IDC_TB_FILE_TRANSFER);
}

LRESULT CBroadcastDlg::OnFileDropped(WPARAM path, LPARAM)
{
    std::unique_ptr<wchar_t[]> owned = AfxTakePosted<wchar_t[]>(path);
    if (owned && m_view)
        m_view->OpenFileTransferWithPath(CString(owned.get()));
    return 0;
}

void CBroadcastDlg::OnOpenInbox()
{
    if (m_presentationInUse) {
        ShowNotice(IDS_PRESENTATION_REFUSED);
        return;
    }
    const CString folder = InboxFolder();
    ::ShellExecuteW(nullptr, L"open", L"explorer.exe", folder, nullptr, SW_SHOWNORMAL);
}

void CBroadcastDlg::OnNoteTool()
{
    if (g_runWithPenTool) {
        // The external pen program: started when its published window is gone.
        m_view->StartPenTool();
        return;
    }
    m_view->OpenNoteTool(GetSafeHwnd(), m_backLayer.GetSafeHwnd());
}

void CBroadcastDlg::HidePenTool()
{
    m_view->HideNoteTool();
}

LRESULT CBroadcastDlg::OnOpenNoteTool(WPARAM marker, LPARAM)
{
    if (marker == MessageMarker)
        OnNoteTool();
    return 1;
}

void CBroadcastDlg::OnQuiz()
{
    ForwardToView(IDC_TB_QUIZ);
}

void CBroadcastDlg::OnTouchButton()
{
    // Its look follows the touch lock only.
}

void CBroadcastDlg::SetTouchState(const CString& text)
{
    HideQuizAnnouncement();
    auto found = m_buttons.find(IDC_TB_TOUCH);
    CImageButton* button = found == m_buttons.end() ? nullptr : found->second.get();
    if (text == L"off") {
        m_view->SendForbidMouseAll(0);
        m_view->SendForbidKeyboardAll(0);
        m_touchLocked = false;
        // A lock lifted before its timer ran must not come back as a checked button.
        KillTimer(kTouchUnlockTimer);
        if (button) {
            button->SetTooltipText(LoadText(IDS_TB_TOUCH_ALLOWED));
            button->EnableWindow(TRUE);
            button->ClearChecked();
        }
    } else if (text == L"on") {
        m_view->SendForbidMouseAll(1);
        m_view->SendForbidKeyboardAll(1);
        m_touchLocked = true;
        if (button) {
            button->SetTooltipText(LoadText(IDS_TB_TOUCH_LOCKED));
            button->EnableWindow(FALSE);
        }
        SetTimer(kTouchUnlockTimer, kTouchUnlockMs);
    }
}

// --- Sub-panels and the view's commands ------------------------------------------------------

void CBroadcastDlg::OnClassPanel() { TogglePanel(kToolbarClassPanel); }
void CBroadcastDlg::OnStudentPanel() { TogglePanel(kToolbarStudentPanel); }
void CBroadcastDlg::OnSettingsPanel() { TogglePanel(kToolbarSettingsPanel); }
void CBroadcastDlg::OnGridLayout() { ForwardToView(IDC_TB_GRID_LAYOUT); }
void CBroadcastDlg::OnMonitorSettings() { ForwardToView(IDC_TB_MONITOR_SETTINGS); }
void CBroadcastDlg::OnStudentNames() { m_view->ManageTitles(); }
void CBroadcastDlg::OnSettings() { ForwardToView(IDC_TB_SETTINGS); }
void CBroadcastDlg::OnRemoteControl() { m_view->StartRemoteControl(); }
void CBroadcastDlg::OnChat() { m_view->OpenChat(); }
void CBroadcastDlg::OnTouchControl()
{
    m_view->ToggleForbidKeyboard();
    m_view->ToggleForbidMouse();
}
void CBroadcastDlg::OnShowLog() { m_view->ShowLogWindow(); }
