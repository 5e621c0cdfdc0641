// The pen toolbar's buttons.
#include "activities/pentool/NoteToolDlg.h"

#include "activities/pentool/NoteToolWnd.h"
#include "activities/pentool/core/NoteGeometry.h"
#include "foundation/AppGlobals.h"
#include "foundation/MessagePump.h"
#include "res/resource.h"
#include "sessions/ControlSumWinowDlg.h"
#include "sessions/ControlWinowDlg.h"
#include "ui/ShowMessageBox.h"
#include "ui/TeacherToolbars.h"
#include "ui/WaitMsgDlg.h"

namespace {

const DWORD kSettleMs = 200;
const DWORD kNoticeMs = 1000;

void EnableWindowOf(CWnd* window, BOOL enable)
{
    if (window && window->GetSafeHwnd()) window->EnableWindow(enable);
}

} // namespace

void CNoteToolDlg::CloseSurface()
{
    if (!m_surface) return;
    CNoteToolWnd* surface = m_surface;
    m_surface = nullptr;
    surface->CloseSurface();
}

BOOL CNoteToolDlg::LeaveSurface()
{
    if (m_surface && m_surface->HasUnsavedStrokes()) {
        KillTimer(kZOrderTimer);
        m_surface->EnableWindow(FALSE);
        const int answer = ShowMessageBox(LoadText(IDS_PEN_SAVE_ASK), LoadText(IDS_CONFIRM_CAPTION), 3);
        if (!m_surface) return FALSE;   // the pen tool was put away while the question was open
        SetTimer(kZOrderTimer, 100);
        m_surface->EnableWindow(TRUE);
        if (answer == IDCANCEL || answer == -1) return FALSE;   // a question not asked keeps the strokes
        if (answer == IDYES && !m_surface->SaveToFile(m_highestPage, m_page)) {
            // Nothing is thrown away that could not be written: the teacher stays in the mode.
            ShowMessageBox(LoadText(IDS_PEN_SAVE_FAILED));
            return FALSE;
        }
    }
    CloseSurface();
    return TRUE;
}

void CNoteToolDlg::SetMode(int mode)
{
    m_mode = mode;
    m_link->mode = mode;
}

void CNoteToolDlg::OnTouchMode()
{
    if (g_messageBoxOpen) return;
    if (!LeaveSurface()) return;
    m_page = m_highestPage = 0;
    SetMode(0);
    SetTimer(kZOrderTimer, 100);
    UpdateToolButtons();
    // Back to working on the student's screen when a remote view is open.
    if (HWND remoteView = g_remoteViewHwnd.load())
        ::SetForegroundWindow(remoteView);
}

// The bars live on their remote windows' threads: they are hidden and shown without waiting.
// Shown again they come to the front of the top-most windows, over the drawing surface made
// meanwhile (which stands just behind this toolbar, a top-most window).
static void ShowRemoteControlBars(bool show)
{
    for (HWND bar : {g_singleControlBar.load(), g_sumControlBar.load()})
        ShowInFrontWithoutWaiting(bar, show);
}

BOOL CNoteToolDlg::StartDrawingMode(int mode)
{
    if (m_mode == mode && m_surface) {
        m_surface->SetForegroundWindow();
        return FALSE;
    }
    if (!LeaveSurface()) return FALSE;
    SetMode(mode);
    m_page = m_highestPage = 0;
    const bool photograph = mode == CNoteToolWnd::PenMode;
    if (photograph) {
        ShowWindow(SW_HIDE);   // out of the photograph, with an open remote window's control bar
        ShowRemoteControlBars(false);
        PumpMessagesWait(kSettleMs, 0);
    }
    auto* surface = new (std::nothrow) CNoteToolWnd;
    const bool made = surface && surface->CreateSurface(mode, m_link->owner, m_link->backLayer);
    if (photograph)
        ShowRemoteControlBars(true);
    if (!made) {
        SetMode(0);
        SetTimer(kZOrderTimer, 100);
        UpdateToolButtons();
        return FALSE;
    }
    m_surface = surface;
    m_tool = 0;
    m_widthIndex = 2;
    m_colour = note::kStartColour;
    m_surface->SetTool(m_tool);
    m_surface->SetWidthIndex(m_widthIndex);
    m_surface->SetColour(m_colour);
    EnableWindowOf(Button(IDC_PEN_PREVIOUS_PAGE), mode == CNoteToolWnd::WhiteboardMode);
    EnableWindowOf(Button(IDC_PEN_NEXT_PAGE), mode == CNoteToolWnd::WhiteboardMode);
    Check(IDC_PEN_HALFTONE, false);
    SetTimer(kZOrderTimer, 100);
    UpdateToolButtons();
    m_surface->SetForegroundWindow();
    return TRUE;
}

void CNoteToolDlg::OnPenMode()
{
    if (!g_messageBoxOpen) StartDrawingMode(CNoteToolWnd::PenMode);
}

void CNoteToolDlg::OnWhiteboardMode()
{
    if (!g_messageBoxOpen) StartDrawingMode(CNoteToolWnd::WhiteboardMode);
}

void CNoteToolDlg::OnPenTool()
{
    if (g_messageBoxOpen) return;
    m_tool = note::kPenKind;
    if (m_surface) m_surface->SetTool(m_tool);
    UpdateToolButtons();
}

void CNoteToolDlg::OnEraser()
{
    if (g_messageBoxOpen) return;
    m_tool = note::kEraserKind;
    if (m_surface) m_surface->SetTool(m_tool);
    UpdateToolButtons();
}

void CNoteToolDlg::OnClearAll()
{
    if (!g_messageBoxOpen && m_surface) m_surface->ClearStrokes();
}

void CNoteToolDlg::OnWidth(UINT id)
{
    if (g_messageBoxOpen) return;
    m_widthIndex = static_cast<int>(id - IDC_PEN_WIDTH1) + 1;
    if (m_surface) m_surface->SetWidthIndex(m_widthIndex);
    UpdateToolButtons();
}

void CNoteToolDlg::OnColour(UINT id)
{
    if (g_messageBoxOpen) return;
    m_colour = note::kPenColours[id - IDC_PEN_BLACK];
    if (m_surface) m_surface->SetColour(m_colour);
    UpdateToolButtons();
}

void CNoteToolDlg::OnSemiTransparent()
{
    if (g_messageBoxOpen || !m_surface) return;
    Check(IDC_PEN_HALFTONE, m_surface->ToggleSemiTransparent() != FALSE);
}

void CNoteToolDlg::SetPage(int page)
{
    // A page whose canvas cannot be made is not reached; the surface stays where it was.
    if (!m_surface || !m_surface->SetPage(page)) return;
    m_page = page;
    if (m_page > m_highestPage) m_highestPage = m_page;
}

void CNoteToolDlg::OnPreviousPage()
{
    if (!g_messageBoxOpen && m_mode == CNoteToolWnd::WhiteboardMode && m_page > 0) SetPage(m_page - 1);
}

void CNoteToolDlg::OnNextPage()
{
    if (!g_messageBoxOpen && m_mode == CNoteToolWnd::WhiteboardMode && m_page < note::kLastPage)
        SetPage(m_page + 1);
}

void CNoteToolDlg::OnSave()
{
    if (g_messageBoxOpen || !m_mode || !m_surface) return;
    ShowWindow(SW_HIDE);
    PumpMessagesWait(kSettleMs, 0);
    const BOOL saved = m_surface->SaveToFile(m_highestPage, m_page);
    ShowWindow(SW_SHOWNA);
    if (!saved) {
        ShowMessageBox(LoadText(IDS_PEN_SAVE_FAILED));
        return;
    }
    ShowSaveNotice(IDS_PEN_SAVED);
}

void CNoteToolDlg::ShowSaveNotice(UINT textId)
{
    EnableWindow(FALSE);
    if (m_surface) m_surface->EnableWindow(FALSE);
    CWaitMsgDlg notice;
    if (notice.Create(nullptr)) {
        notice.SetMessageText(LoadText(textId));
        notice.CenterWindow(::GetDesktopWindow());
        // Shown without taking the foreground: removed while the surface and the toolbar are
        // still disabled, an active notice left the foreground to the desktop, and under Wine
        // the X focus's late way back there took it from the surface again.
        notice.SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        notice.UpdateWindow();
        PumpMessagesWait(kNoticeMs, 0);
        notice.DestroyWindow();
    }
    if (!GetSafeHwnd()) return;   // the pen thread ended meanwhile
    if (m_surface) {
        m_surface->EnableWindow(TRUE);
        m_surface->SetForegroundWindow();
    }
    EnableWindow(TRUE);
    SetForegroundWindow();
}

void CNoteToolDlg::OnOK()
{
    OnCloseButton();
}

void CNoteToolDlg::OnCloseButton()
{
    if (g_messageBoxOpen) return;
    if (!LeaveSurface()) return;
    m_page = m_highestPage = 0;
    SetMode(0);
    UpdateToolButtons();
    ShowWindow(SW_HIDE);   // the shown flag stays: the pen button shows it again in place
}

void CNoteToolDlg::HidePenTool()
{
    CloseSurface();
    m_page = m_highestPage = 0;
    SetMode(0);
    UpdateToolButtons();
    ShowWindow(SW_HIDE);
}
