// The view's periodic work on its window timers: the students' heartbeat, the repaint, slowing
// the thumbnails while a student is watched, the login dialog, the login server's connect
// time-out, keep-alive and reconnection, and saving the group list after a change of the tabs.
// Every time comparison uses tick differences (wrap-safe), never the wall clock.
#include "view/WendmarkView.h"

#include "foundation/AppGlobals.h"
#include "foundation/AppMessages.h"
#include "foundation/IniSettings.h"
#include "framework/PostOwned.h"
#include "res/resource.h"
#include "sessions/LogInfo.h"
#include "sessions/PadShareSwitch.h"
#include "sessions/core/TeacherCommands.h"
#include "ui/ShowMessageBox.h"
#include "view/IConsoleFrame.h"
#include "view/core/ViewTimerRules.h"

void CWendmarkView::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kTimerHeartbeat:
        CheckHeartbeats();
        break;
    case kTimerReconnect:
        KillTimer(kTimerReconnect);
        m_login.Reconnect();
        break;
    case kTimerThumbnailPace:
        PaceThumbnails();
        m_pending.CloseOverdue(::GetTickCount());
        break;
    case kTimerRepaint:
        InvalidateChangedCells();
        break;
    case kTimerLoginDialog:
        KillTimer(kTimerLoginDialog);
        KillTimer(kTimerReconnect);
        m_login.OpenLoginDialog();
        break;
    case kTimerConnectTimeout:
        m_login.OnConnectTimeout();
        break;
    case kTimerLoginKeepAlive:
        m_login.KeepAlive();
        break;
    case kTimerGroupSave:
        KillTimer(kTimerGroupSave);
        SaveGroupsFromTabs();
        break;
    case kTimerCollectAnswers:
        KillTimer(kTimerCollectAnswers);
        StartCombinedWithThoseWhoAnswered();
        break;
    case kTimerPadRestart:
        KillTimer(kTimerPadRestart);
        m_padRestartWaiting = false;
        RestartPadStream();
        break;
    default:
        break;
    }
    CView::OnTimer(id);
}

// --- Students -------------------------------------------------------------------------------

void CWendmarkView::CheckHeartbeats()
{
    const DWORD now = GetTickCount();
    for (CPCInfo* slot : m_slots) {
        if (slot->IsOnline() && IsStudentSilent(now, slot->m_lastHeardTick.load()))
            EndSilentSlot(*slot);
        if (slot->m_sessionChanging.load() && HasSessionChangingExpired(now, slot->m_sessionChangingTick.load()))
            slot->m_sessionChanging = 0;
    }
}

void CWendmarkView::EndSilentSlot(CPCInfo& slot)
{
    // Only the connection found silent is ended, never one admitted into the seat since.
    const int connectionId = slot.m_connectionId.load();
    ReportAbnormalEnd(slot);
    CWinThread* viewer = slot.m_viewThread.load();
    // A remote session holds the connection: it gives it back (WM_SESSION_CLOSED), and the
    // student's thread, waiting for it, is ended there. Until then the seat keeps that thread.
    const bool inSession = slot.m_controlThread.load() != nullptr;
    if (inSession) {
        if (viewer && viewer->m_pMainWnd)
            viewer->m_pMainWnd->SendMessage(WM_CLOSE);
        else if (const DWORD control = slot.m_controlThreadId.load())
            AfxPostToRunningThread(control, WM_THREAD_CLOSE, 0, 0);
        slot.SetDisplayName(LoadText(IDS_DEFAULT_STUDENT_NAME));
    } else if (slot.m_pcThreadId.load() != 0) {
        // The thread says goodbye on its socket and closes it: it owns the connection.
        PostCommandToSlot(slot, EndSessionCommand());
    }
    ReleasePresentationRightOf(slot);
    slot.MarkOffline(connectionId);
    slot.m_sessionChanging = 0;
    if (!inSession) {
        slot.m_pcThread = nullptr;
        slot.m_pcThreadId = 0;
    }
}

void CWendmarkView::ReportAbnormalEnd(CPCInfo& slot)
{
    PostLogRecord(g_logDlg.load(), CLogInfo::MakeSlotEnded(slot.m_slotNumber.load(), slot.GetDisplayName(),
                                                       L"HeartBit Timeout", L"1"));
}

void CWendmarkView::PaceThumbnails()
{
    switch (DecideThumbnailPace(g_optMinRefresh != 0, g_openViewCount.load(), m_slowedThumbnails)) {
    case ThumbnailPace::Slow:
        m_slowedThumbnails = true;
        SendThumbnailDelay(kSlowThumbnailDelayMs);
        break;
    case ThumbnailPace::Restore:
        SendThumbnailDelay(m_refreshDelay);
        m_slowedThumbnails = false;
        break;
    case ThumbnailPace::Unchanged:
        break;
    }
}

void CWendmarkView::SendThumbnailDelay(int delay)
{
    for (CPCInfo* slot : m_slots) {
        if (!slot->IsOnline() || slot->m_pcThreadId.load() == 0)
            continue;
        slot->m_refreshDelay = delay;
        PostCommandToSlot(*slot, RefreshDelayCommand(delay));
    }
}

// --- Groups ---------------------------------------------------------------------------------

void CWendmarkView::SaveGroupsFromTabs()
{
    IConsoleFrame* frame = GetConsoleFrame();
    if (!frame)
        return;
    frame->GetGroupNames(m_groupNames);
    SaveGroupList(m_groupFilePath, m_groupNames);
}
