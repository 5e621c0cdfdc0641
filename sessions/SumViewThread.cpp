#include "sessions/SumViewThread.h"

#include "foundation/AppMessages.h"
#include "framework/PostOwned.h"
#include "sessions/PCInfo.h"
#include "sessions/SumUIThreadWnd.h"

#include <objbase.h>

IMPLEMENT_DYNCREATE(CSumViewThread, CWinThread)

BEGIN_MESSAGE_MAP(CSumViewThread, CWinThread)
    ON_THREAD_MESSAGE(WM_THREAD_START, OnThreadStart)
    ON_THREAD_MESSAGE(WM_THREAD_CLOSE, OnThreadClose)
END_MESSAGE_MAP()

CSumViewThread* CSumViewThread::Start(const std::vector<CombinedStudent>& students, const RemoteSessionLinks& links)
{
    CSumViewThread* thread = new CSumViewThread();
    thread->m_students = students;
    thread->m_links = links;
    thread->m_links.combined = true;
    if (!AfxStartThread(thread, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED))
        return nullptr;
    thread->ResumeThread();
    return thread;
}

void CSumViewThread::Report(int state)
{
    for (CombinedStudent& student : m_students)
        student.start->view = state;
}

BOOL CSumViewThread::InitInstance()
{
    m_comStarted = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::vector<CPCInfo*> slots;
    for (const CombinedStudent& student : m_students)
        slots.push_back(student.slot);
    std::unique_ptr<CSumUIThreadWnd> wnd(new CSumUIThreadWnd(slots, m_links));
    if (!wnd->CreateShown()) {
        Report(RemoteSessionStart::kFailed);
        return FALSE;
    }
    m_pMainWnd = wnd.release();   // deleted when its window is destroyed; the thread then ends
    for (CombinedStudent& student : m_students)
        student.start->viewWindow = m_pMainWnd->GetSafeHwnd();
    Report(RemoteSessionStart::kReady);
    return TRUE;
}

// Every student's control thread is asked to end too: a window closed before the panes were
// linked still lets each session give its connection back.
int CSumViewThread::ExitInstance()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
    for (const CombinedStudent& student : m_students)
        if (const DWORD control = student.start->controlThreadId.load())
            AfxPostToRunningThread(control, WM_THREAD_CLOSE, 0, 0);
    if (m_comStarted)
        ::CoUninitialize();
    return CWinThread::ExitInstance();
}

CSumUIThreadWnd* CSumViewThread::Window() const
{
    return static_cast<CSumUIThreadWnd*>(m_pMainWnd);
}

void CSumViewThread::OnThreadStart(WPARAM, LPARAM)
{
    if (!Window())
        return;
    for (size_t i = 0; i < m_students.size(); ++i)
        Window()->LinkSession(static_cast<int>(i), m_students[i].start->sessionWindow.load(),
                              m_students[i].start->input);
    Window()->SetUp();
}

void CSumViewThread::OnThreadClose(WPARAM, LPARAM)
{
    if (Window())
        Window()->SendMessage(WM_CLOSE);
    else
        ::PostQuitMessage(0);
}
