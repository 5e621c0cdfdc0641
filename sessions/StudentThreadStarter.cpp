#include "sessions/StudentThreadStarter.h"

#include "foundation/AppMessages.h"
#include "sessions/PCInfo.h"
#include "sessions/PCThread.h"

namespace {

void StartNow(std::unique_ptr<StudentThreadRequest> request)
{
    CPCInfo& slot = *request->slot;
    // The seat was ended meanwhile: nobody is to be served on it.
    if (slot.m_connectionId.load() != request->connectionId) {
        ::closesocket(request->socket);
        return;
    }
    if (!CPCThread::Start(&slot, request->links, request->socket, request->connectionId)) {
        TRACE(L"PC:%d the student's thread could not be started\n", slot.m_slotNumber.load());
        ::closesocket(request->socket);
        slot.MarkOffline(request->connectionId);
        return;
    }
    // The view sends the admission state once the thread can take it.
    ::PostMessageW(request->links.view, WM_STUDENT_THREAD_STARTED, static_cast<WPARAM>(slot.m_slotNumber.load()),
                   static_cast<LPARAM>(request->connectionId));
}

DWORD WINAPI StartOnPoolThread(LPVOID parameter)
{
    StartNow(std::unique_ptr<StudentThreadRequest>(static_cast<StudentThreadRequest*>(parameter)));
    return 0;
}

} // namespace

void StartStudentThreadSoon(std::unique_ptr<StudentThreadRequest> request)
{
    if (::QueueUserWorkItem(&StartOnPoolThread, request.get(), WT_EXECUTEDEFAULT)) {
        request.release();   // the pool thread's now
        return;
    }
    StartNow(std::move(request));
}
