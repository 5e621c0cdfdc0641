// The classroom view's side of the combined session: the picked students lend their connections
// one by one; once every one has, one control thread per student and one view thread for the
// combined window start on them. Each student's session gives its connection back on its own.
#include "view/WendmarkView.h"

#include "foundation/MessagePump.h"
#include "framework/PostOwned.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "sessions/SumControlThread.h"
#include "sessions/SumViewThread.h"
#include "ui/ShowMessageBox.h"

#include <algorithm>
#include <memory>

namespace {

constexpr DWORD kSessionStartTimeoutMs = 10000;

bool AllSettled(void* context)
{
    const auto& students = *static_cast<const std::vector<CombinedStudent>*>(context);
    return std::all_of(students.begin(), students.end(),
                       [](const CombinedStudent& student) { return student.start->Settled(); });
}

bool AllReady(const std::vector<CombinedStudent>& students)
{
    return std::all_of(students.begin(), students.end(),
                       [](const CombinedStudent& student) { return student.start->BothReady(); });
}

} // namespace

LRESULT CWendmarkView::OnStartCollectSession(WPARAM socket, LPARAM record)
{
    const SOCKET handle = static_cast<SOCKET>(socket);
    CPCInfo* slot = SlotOfRecord(record);
    if (!slot)
        return 0;
    const std::vector<CPCInfo*> picked = GetPickedSlots();
    const auto at = std::find(picked.begin(), picked.end(), slot);
    const size_t index = static_cast<size_t>(at - picked.begin());
    if (at == picked.end() || m_collectSockets[index] != INVALID_SOCKET || slot->m_controlThread.load()) {
        // Not asked for now (or twice): the connection goes straight back when it is still ours.
        if (slot->TakeLentSocket(handle))
            OnRemoteSessionEnded(reinterpret_cast<WPARAM>(slot), static_cast<LPARAM>(handle));
        return 0;
    }
    // The socket stays lent until every picked student has answered, or the wait for them ran
    // out (kTimerCollectAnswers): the session then opens with those that did.
    m_collectSockets[index] = handle;
    if (++m_collectAccepted >= static_cast<int>(picked.size()))
        StartCombinedSession();
    return 0;
}

void CWendmarkView::StartCombinedWithThoseWhoAnswered()
{
    if (m_pickedCount == 0)
        return;   // started or given up already
    if (m_collectAccepted > 0) {
        StartCombinedSession();
        return;
    }
    EndCollectPicking();
    ShowMessageBox(LoadText(IDS_COLLECT_VIEW_NO_ANSWER));
}

void CWendmarkView::StartCombinedSession()
{
    const std::vector<CPCInfo*> picked = GetPickedSlots();
    std::vector<CombinedStudent> students;
    std::vector<SOCKET> sockets;
    for (size_t i = 0; i < picked.size(); ++i) {
        const SOCKET handle = m_collectSockets[i];
        m_collectSockets[i] = INVALID_SOCKET;
        if (!picked[i]->TakeLentSocket(handle))
            continue;   // its thread waited no longer and serves the connection itself
        students.push_back({picked[i], std::make_shared<RemoteSessionStart>()});
        sockets.push_back(handle);
    }
    EndCollectPicking();
    RemoteSessionLinks links = SessionLinks();
    links.combined = true;
    std::vector<CombinedStudent> started;
    std::vector<DWORD> threadIds;
    for (size_t i = 0; i < students.size(); ++i) {
        CSumControlThread* control =
            CSumControlThread::Start(*students[i].slot, sockets[i], links, m_refreshDelay, students[i].start);
        if (!control) {
            OnRemoteSessionEnded(reinterpret_cast<WPARAM>(students[i].slot), static_cast<LPARAM>(sockets[i]));
            continue;
        }
        threadIds.push_back(control->m_nThreadID);   // the thread may end at any time from here
        started.push_back(students[i]);
    }
    Invalidate(FALSE);
    if (started.empty())
        return;
    CSumViewThread* viewer = CSumViewThread::Start(started, links);
    if (viewer)
        threadIds.push_back(viewer->m_nThreadID);
    const LifeToken life = Life();
    const bool ready = viewer && PumpMessagesUntil(AllSettled, &started, kSessionStartTimeoutMs) && AllReady(started);
    if (!Alive(life))
        return;
    // Either every thread goes, or all end: each control thread then gives its connection back.
    for (const DWORD id : threadIds)
        AfxPostToRunningThread(id, ready ? WM_THREAD_START : WM_THREAD_CLOSE, 0, 0);
    if (!ready)
        TRACE(L"the combined session could not start\n");
    Invalidate(FALSE);
}
