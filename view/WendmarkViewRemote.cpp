// The classroom view's side of a remote view and control session: starting its two threads on
// the connection a student's thread lent, and giving the connection back when it ends.
#include "view/WendmarkView.h"

#include "foundation/FileUtil.h"
#include "foundation/MessagePump.h"
#include "framework/FrameWnd.h"
#include "framework/PostOwned.h"
#include "sessions/ControlThread.h"
#include "sessions/LogInfo.h"
#include "sessions/LogManageDlg.h"
#include "sessions/PCThread.h"
#include "sessions/StudentPosting.h"
#include "sessions/ViewThread.h"
#include "sessions/core/TeacherCommands.h"
#include "view/BroadcastDlg.h"
#include "foundation/AppGlobals.h"
#include "activities/screenshare/ShareGlobals.h"

#include <algorithm>
#include <memory>

namespace {

// Both session threads make a window; more than this means one of them is stuck.
constexpr DWORD kSessionStartTimeoutMs = 10000;

bool IsSettled(void* start)
{
    return static_cast<RemoteSessionStart*>(start)->Settled();
}

} // namespace

CPCInfo* CWendmarkView::SlotOfRecord(LPARAM record) const
{
    const auto found = std::find(m_slots.begin(), m_slots.end(), reinterpret_cast<CPCInfo*>(record));
    return found == m_slots.end() ? nullptr : *found;
}

RemoteSessionLinks CWendmarkView::SessionLinks() const
{
    RemoteSessionLinks links;
    links.view = GetSafeHwnd();
    CFrameWnd* frame = GetMainFrame();
    links.mainFrame = frame ? frame->GetSafeHwnd() : nullptr;
    links.teacherToolbar = g_broadcastDlg ? g_broadcastDlg->GetSafeHwnd() : nullptr;
    links.inputPump = g_remoteInputPump != 0;
    links.touchLock = IsTouchLockOn();
    links.openViewCount = &g_openViewCount;
    links.logWindow = g_logDlg.load();
    links.programFolder = GetModuleDirectory();
    links.screenSharing = &g_screenSharing;
    return links;
}

LRESULT CWendmarkView::OnStartRemoteSession(WPARAM socket, LPARAM record)
{
    const SOCKET handle = static_cast<SOCKET>(socket);
    CPCInfo* slot = SlotOfRecord(record);
    // The student's thread serves a socket nobody claims in time again itself: then it is not
    // ours to take.
    if (!slot || !slot->TakeLentSocket(handle))
        return 0;
    if (slot->m_controlThread.load() || slot->m_viewThread.load()) {
        // One session per student: the connection goes straight back.
        OnRemoteSessionEnded(reinterpret_cast<WPARAM>(slot), static_cast<LPARAM>(handle));
        return 0;
    }
    const RemoteSessionLinks links = SessionLinks();
    auto start = std::make_shared<RemoteSessionStart>();
    CControlThread* control = CControlThread::Start(*slot, handle, links, m_refreshDelay, start);
    if (!control) {
        OnRemoteSessionEnded(reinterpret_cast<WPARAM>(slot), static_cast<LPARAM>(handle));
        return 0;
    }
    const DWORD controlId = control->m_nThreadID;   // the thread may end at any time from here
    CViewThread* viewer = CViewThread::Start(*slot, links, start);
    const DWORD viewerId = viewer ? viewer->m_nThreadID : 0;
    const LifeToken life = Life();
    const bool ready = viewer && PumpMessagesUntil(IsSettled, start.get(), kSessionStartTimeoutMs) &&
                       start->BothReady();
    if (!Alive(life))
        return 0;
    // Either both threads go, or both end: the control thread then gives the connection back.
    const UINT message = ready ? WM_THREAD_START : WM_THREAD_CLOSE;
    AfxPostToRunningThread(controlId, message, 0, 0);
    if (viewerId)
        AfxPostToRunningThread(viewerId, message, 0, 0);
    if (!ready)
        TRACE(L"PC:%d remote session could not start\n", slot->m_slotNumber.load());
    Invalidate(FALSE);
    return 0;
}

// The student was lost during a session: the student's thread, which has no socket any more,
// ends at once and takes the seat offline.
void CWendmarkView::EndLostStudent(CPCInfo& slot, CPCThread& student, bool logAbnormalEnd)
{
    if (logAbnormalEnd && !slot.m_orderlyEnd.load())
        PostLogRecord(g_logDlg.load(), CLogInfo::MakeSlotEnded(slot.m_slotNumber.load(), slot.GetDisplayName(),
                                                           L"Abnormal Disconnection", L"2"));
    slot.SetNotice(CString());
    student.ResumeAfterSession();
    PostCommandToSlot(slot, EndSessionCommand());
}
