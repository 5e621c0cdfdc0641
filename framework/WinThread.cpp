#include "framework/WinThread.h"

#include "framework/AsyncSocket.h"
#include "framework/CriticalSection.h"
#include "framework/ExceptionGuard.h"
#include "framework/PostOwned.h"

#include <exception>
#include <process.h>
#include <unordered_set>

namespace {

thread_local CWinThread* t_currentThread = nullptr;

// Lives on the creator's stack until the new thread signals started; the thread copies what it
// needs before that.
struct ThreadStartup {
    CWinThread* thread;
    HANDLE started;
    HANDLE proceed;
};

// Threads whose loop takes messages: a post to one of them is checked and made under the lock,
// and a thread leaves the set under the lock before it drains its queue for the last time, so
// no message accepted here is left behind in the queue of an ended thread.
CCriticalSection g_runningLock;
std::unordered_set<DWORD> g_runningThreads;

void SetThreadRunning(DWORD threadId, bool running)
{
    CCriticalSectionLock lock(g_runningLock);
    if (running)
        g_runningThreads.insert(threadId);
    else
        g_runningThreads.erase(threadId);
}

} // namespace

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param)
    : m_pfnThreadProc(proc), m_pThreadParams(param)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        CloseHandle(m_hThread);
    if (t_currentThread == this)
        t_currentThread = nullptr;
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize, LPSECURITY_ATTRIBUTES security)
{
    if (m_hThread)
        return FALSE;
    ThreadStartup startup = {this, CreateEventW(nullptr, TRUE, FALSE, nullptr),
                             CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    if (!startup.started || !startup.proceed) {
        if (startup.started)
            CloseHandle(startup.started);
        if (startup.proceed)
            CloseHandle(startup.proceed);
        return FALSE;
    }
    unsigned threadId = 0;
    const uintptr_t handle = _beginthreadex(security, stackSize, &CWinThread::ThreadEntry,
                                            &startup, CREATE_SUSPENDED, &threadId);
    if (!handle) {
        CloseHandle(startup.started);
        CloseHandle(startup.proceed);
        return FALSE;
    }
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = threadId;
    ::ResumeThread(m_hThread);
    WaitForSingleObject(startup.started, INFINITE);   // the queue exists now
    CloseHandle(startup.started);
    if (createFlags & CREATE_SUSPENDED)
        ::SuspendThread(m_hThread);
    SetEvent(startup.proceed);   // the thread closes it
    return TRUE;
}

unsigned __stdcall CWinThread::ThreadEntry(void* param)
{
    const ThreadStartup* startup = static_cast<const ThreadStartup*>(param);
    CWinThread* thread = startup->thread;
    HANDLE proceed = startup->proceed;
    t_currentThread = thread;
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);   // makes the queue
    SetThreadRunning(GetCurrentThreadId(), true);
    SetEvent(startup->started);                                  // startup is gone after this
    WaitForSingleObject(proceed, INFINITE);
    CloseHandle(proceed);
    return thread->RunThread();
}

UINT CWinThread::RunThread()
{
    UINT result = 0;
    AfxCallGuarded(L"a thread", [&] {
        if (m_pfnThreadProc)
            result = m_pfnThreadProc(m_pThreadParams);
        else if (InitInstance())
            result = static_cast<UINT>(Run());
        else
            result = static_cast<UINT>(ExitInstance());
    });
    AfxCallGuarded(L"the end of a thread", [&] {
        DiscardQueuedMessages();
        AfxTermThread();
        t_currentThread = nullptr;
        Delete();
    });
    return result;
}

void CWinThread::DiscardQueuedMessages()
{
    SetThreadRunning(GetCurrentThreadId(), false);
    // Only private and registered messages can carry heap objects; reading WM_PAINT or WM_TIMER
    // here would never end while a window of the thread is still open.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_USER, 0xFFFF, PM_REMOVE))
        OnDiscardMessage(msg);
}

// A message already queued is taken with one call: under Wine every look at the queue is a
// round trip to the server, and a busy thread would otherwise look twice per message.
int CWinThread::Run()
{
    for (;;) {
        if (PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_REMOVE)) {
            if (m_msgCur.message == WM_QUIT)
                return ExitInstance();
            DispatchCurrentMessage();
            continue;
        }
        LONG idleCount = 0;
        MSG next;
        while (OnIdle(idleCount++) && !PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE)) {
        }
        if (!PumpMessage())
            return ExitInstance();
    }
}

BOOL CWinThread::PumpMessage()
{
    const BOOL got = GetMessageW(&m_msgCur, nullptr, 0, 0);
    if (got == 0 || got == -1)
        return FALSE;
    DispatchCurrentMessage();
    return TRUE;
}

void CWinThread::DispatchCurrentMessage()
{
    if (!PreTranslateMessage(&m_msgCur)) {
        TranslateMessage(&m_msgCur);
        DispatchMessageW(&m_msgCur);
    }
}

namespace {

// A thread timer with a callback (SetTimer without a window) is for DispatchMessage to run.
bool IsCallbackTimer(const MSG& msg)
{
    return msg.message == WM_TIMER && msg.lParam != 0;
}

} // namespace

BOOL CWinThread::PreTranslateMessage(MSG* msg)
{
    if (!msg->hwnd && !IsCallbackTimer(*msg)) {
        DispatchThreadMessage(msg);
        return TRUE;
    }
    return CWnd::WalkPreTranslateTree(msg);
}

BOOL CWinThread::DispatchThreadMessage(MSG* msg)
{
    BOOL handled = TRUE;
    AfxCallGuarded(L"a thread message handler", [&] {
        LRESULT result = 0;
        handled = OnWndMsg(msg->message, msg->wParam, msg->lParam, &result);
    });
    return handled;
}

BOOL CWinThread::OnIdle(LONG count)
{
    AfxDeleteTempMap();
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return m_msgCur.message == WM_QUIT ? static_cast<int>(m_msgCur.wParam) : 0;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return AfxPostToRunningThread(m_nThreadID, message, wParam, lParam);
}

BOOL AfxPostToRunningThread(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam)
{
    CCriticalSectionLock lock(g_runningLock);
    if (g_runningThreads.count(threadId) == 0) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return ::PostThreadMessageW(threadId, message, wParam, lParam);
}

DWORD CWinThread::SuspendThread()
{
    return ::SuspendThread(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int priority)
{
    return ::SetThreadPriority(m_hThread, priority);
}

int CWinThread::GetThreadPriority() const
{
    return ::GetThreadPriority(m_hThread);
}

CWinThread* CWinThread::GetCurrent()
{
    return t_currentThread;
}

void CWinThread::SetCurrent(CWinThread* thread)
{
    t_currentThread = thread;
    if (thread) {
        thread->m_nThreadID = GetCurrentThreadId();
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    }
    SetThreadRunning(GetCurrentThreadId(), thread != nullptr);
}

BOOL AfxStartThread(CWinThread* thread, int priority, UINT stackSize, DWORD createFlags,
                    LPSECURITY_ATTRIBUTES security)
{
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, security)) {
        delete thread;
        return FALSE;
    }
    thread->SetThreadPriority(priority);
    if (!(createFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return TRUE;
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize,
                           DWORD createFlags, LPSECURITY_ATTRIBUTES security)
{
    CWinThread* thread = new CWinThread(proc, param);
    return AfxStartThread(thread, priority, stackSize, createFlags, security) ? thread : nullptr;
}

BOOL AfxPumpMessage()
{
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return FALSE;
    }
    if (got == -1)
        return FALSE;
    CWinThread* thread = CWinThread::GetCurrent();
    if (thread) {
        if (thread->PreTranslateMessage(&msg))
            return TRUE;
    } else if (!msg.hwnd && !IsCallbackTimer(msg)) {
        return TRUE;   // a thread message with no thread object to take it
    } else if (msg.hwnd && CWnd::WalkPreTranslateTree(&msg)) {
        return TRUE;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return TRUE;
}

void AfxTermThread()
{
    AfxSocketTermThread();
    AfxDeleteTempMap();
}
