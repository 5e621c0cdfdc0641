#include "sessions/ViewThread.h"

#include "foundation/AppMessages.h"
#include "sessions/PCInfo.h"
#include "sessions/UIThreadWnd.h"
#include "framework/PostOwned.h"

#include <objbase.h>

IMPLEMENT_DYNCREATE(CViewThread, CWinThread)

BEGIN_MESSAGE_MAP(CViewThread, CWinThread)
    ON_THREAD_MESSAGE(WM_THREAD_START, OnThreadStart)
    ON_THREAD_MESSAGE(WM_THREAD_CLOSE, OnThreadClose)
END_MESSAGE_MAP()

CViewThread* CViewThread::Start(CPCInfo& slot, const RemoteSessionLinks& links,
                                const std::shared_ptr<RemoteSessionStart>& start)
{
    CViewThread* thread = new CViewThread();
    thread->m_slot = &slot;
    thread->m_links = links;
    thread->m_start = start;
    if (!AfxStartThread(thread, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED))
        return nullptr;
    start->viewThreadId = thread->m_nThreadID;
    slot.m_viewThread = thread;
    thread->ResumeThread();
    return thread;
}

BOOL CViewThread::InitInstance()
{
    m_comStarted = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::unique_ptr<CUIThreadWnd> wnd(new CUIThreadWnd(*m_slot, m_links));
    if (!wnd->CreateShown()) {
        m_start->view = RemoteSessionStart::kFailed;
        return FALSE;
    }
    m_pMainWnd = wnd.release();   // deleted when its window is destroyed; the thread then ends
    m_start->viewWindow = m_pMainWnd->GetSafeHwnd();
    m_start->view = RemoteSessionStart::kReady;
    return TRUE;
}

int CViewThread::ExitInstance()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
    if (const DWORD control = m_start->controlThreadId.load())
        AfxPostToRunningThread(control, WM_THREAD_CLOSE, 0, 0);
    CWinThread* self = this;
    m_slot->m_viewThread.compare_exchange_strong(self, nullptr);
    if (m_comStarted)
        ::CoUninitialize();
    return CWinThread::ExitInstance();
}

CUIThreadWnd* CViewThread::Window() const
{
    return static_cast<CUIThreadWnd*>(m_pMainWnd);
}

void CViewThread::OnThreadStart(WPARAM, LPARAM)
{
    if (!Window())
        return;
    Window()->LinkSession(m_start->sessionWindow.load(), m_start->input);
    Window()->SetUp();
}

void CViewThread::OnThreadClose(WPARAM, LPARAM)
{
    if (Window())
        Window()->SendMessage(WM_CLOSE);
    else
        ::PostQuitMessage(0);
}
