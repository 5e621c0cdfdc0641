// CWinThread: a thread with a message queue and a message loop (user-interface thread), or a
// worker that runs one function. Thread messages (posted by thread id, hwnd NULL) are dispatched
// through the thread's own message map (ON_THREAD_MESSAGE).
#pragma once

#include "framework/Wnd.h"

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread() = default;
    // A worker thread running proc(param).
    CWinThread(AFX_THREADPROC proc, LPVOID param);
    ~CWinThread() override;

    // Starts the thread. Returns after the new thread has its message queue, so a message posted
    // right after it is never lost. With CREATE_SUSPENDED, InitInstance runs only after
    // ResumeThread, so fields set in between are seen by it.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0,
                      LPSECURITY_ATTRIBUTES security = nullptr);

    virtual BOOL InitInstance() { return FALSE; }
    // The message loop; ends on WM_QUIT with ExitInstance's result.
    virtual int Run();
    // Called for each message before dispatching: thread messages go to the message map, window
    // messages to the windows' PreTranslateMessage. TRUE takes the message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Gets and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Called while the queue is empty; TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG count);
    virtual int ExitInstance();
    // Deletes the object when m_bAutoDelete is set (at the end of the thread).
    virtual void Delete();
    // A message still queued when the thread ends. Override to free the heap object that a
    // message of this thread carries (PostOwnedThreadMessage): it belongs to this thread.
    virtual void OnDiscardMessage(const MSG& msg) {}

    // Dispatches one thread message through the message map; exceptions stop here.
    BOOL DispatchThreadMessage(MSG* msg);

    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    DWORD SuspendThread();
    DWORD ResumeThread();
    BOOL SetThreadPriority(int priority);
    int GetThreadPriority() const;
    operator HANDLE() const { return m_hThread; }

    // The CWinThread running the calling thread (null on a thread that has none).
    static CWinThread* GetCurrent();
    // Declares the object that runs the calling thread's loop (for a thread not started by
    // CreateThread, such as the main thread); posts through PostThreadMessage and
    // PostOwnedThreadMessage are accepted from then on.
    static void SetCurrent(CWinThread* thread);
    // On the thread itself, at its end: refuses further posts and hands every private message
    // still queued to OnDiscardMessage. Threads started by CreateThread do it when they end.
    void DiscardQueuedMessages();

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;
    CWnd* m_pMainWnd = nullptr;

protected:
    MSG m_msgCur = {};

private:
    static unsigned __stdcall ThreadEntry(void* startup);
    UINT RunThread();
    // PreTranslateMessage, then translation and dispatch of m_msgCur.
    void DispatchCurrentMessage();

    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
};

// Starts thread (made with new) at the priority: returns FALSE and deletes it when the thread
// could not be started. Flags as CreateThread.
BOOL AfxStartThread(CWinThread* thread, int priority = THREAD_PRIORITY_NORMAL,
                    UINT stackSize = 0, DWORD createFlags = 0,
                    LPSECURITY_ATTRIBUTES security = nullptr);

// A user-interface thread of class T; null when it could not be started.
template <class T>
T* AfxBeginThread(int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                  DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = nullptr)
{
    T* thread = new T();
    return AfxStartThread(thread, priority, stackSize, createFlags, security) ? thread : nullptr;
}

// A worker thread running proc(param); null when it could not be started.
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param,
                           int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                           DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = nullptr);

// Gets and dispatches one message for a modal loop, thread messages (hwnd NULL) included. On
// WM_QUIT posts it again for the outer loop and returns FALSE.
BOOL AfxPumpMessage();

// Releases what the framework keeps for the calling thread (temporary windows, the socket
// notification window). Threads started by CreateThread do it when they end.
void AfxTermThread();
