#include "activities/pentool/NoteTool.h"

#include "activities/pentool/NoteThread.h"
#include "foundation/AppMessages.h"
#include "foundation/ConfigProfile.h"

#include <new>

namespace {

// A quit request can be lost while the pen thread waits in one of its own short message loops
// (those drop thread messages), so it is repeated at the window after this long.
const DWORD kQuitRetryMs = 500;

} // namespace

CNoteTool::~CNoteTool()
{
    Close();
}

BOOL CNoteTool::IsRunning() const
{
    return m_thread && ::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT;
}

BOOL CNoteTool::IsDrawing() const
{
    return IsRunning() && m_link && m_link->mode != 0;
}

HWND CNoteTool::GetToolbarWindow() const
{
    return IsRunning() && m_link ? m_link->toolbar.load() : nullptr;
}

BOOL CNoteTool::Open(HWND owner, HWND backLayer)
{
    if (IsRunning()) {
        HWND window = m_link->threadWindow;
        return window && ::PostMessageW(window, WM_NOTE_TOOL_SHOW, 0, 0);
    }
    Forget();   // a pen thread that ended by itself
    return Start(owner, backLayer);
}

BOOL CNoteTool::Start(HWND owner, HWND backLayer)
{
    std::shared_ptr<CNoteToolLink> link(new (std::nothrow) CNoteToolLink(owner, backLayer));
    auto* thread = link ? new (std::nothrow) CNoteThread : nullptr;
    if (!thread) return FALSE;
    thread->m_link = link;
    if (!AfxStartThread(thread, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED)) return FALSE;
    HANDLE own = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), &own, SYNCHRONIZE, FALSE, 0);
    m_threadId = thread->m_nThreadID;
    m_link = link;
    m_thread = own;
    thread->ResumeThread();   // from here on the thread owns (and deletes) its object
    return TRUE;
}

void CNoteTool::Hide()
{
    if (!IsRunning()) return;
    if (HWND window = m_link->threadWindow) ::PostMessageW(window, WM_NOTE_TOOL_HIDE, 0, 0);
}

void CNoteTool::SaveToolbarPosition() const
{
    HWND toolbar = m_link ? m_link->toolbar.load() : nullptr;
    RECT rect;
    if (!toolbar || !::GetWindowRect(toolbar, &rect)) return;
    SetConfigInt(L"config", L"NoteToolDlgPosX", rect.left);
    SetConfigInt(L"config", L"NoteToolDlgPosY", rect.top);
}

BOOL CNoteTool::Close(DWORD timeoutMs)
{
    if (!m_thread) return TRUE;
    BOOL ended = TRUE;
    if (IsRunning()) {
        SaveToolbarPosition();
        ::PostThreadMessageW(m_threadId, WM_THREAD_QUIT_WINDOW, 0, 0);
        ended = WaitForThread(timeoutMs < kQuitRetryMs ? timeoutMs : kQuitRetryMs);
        if (!ended && timeoutMs > kQuitRetryMs) {
            if (HWND window = m_link->threadWindow) ::PostMessageW(window, WM_CLOSE, 0, 0);
            ended = WaitForThread(timeoutMs - kQuitRetryMs);
        }
    }
    Forget();
    return ended;
}

BOOL CNoteTool::WaitForThread(DWORD timeoutMs)
{
    // The pen thread may be sending to this thread's windows meanwhile: keep them answering.
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs) return ::WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0;
        const DWORD result = ::MsgWaitForMultipleObjects(1, &m_thread, FALSE, timeoutMs - elapsed, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0) return TRUE;
        if (result != WAIT_OBJECT_0 + 1) return ::WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);   // delivers the sent messages
    }
}

void CNoteTool::Forget()
{
    if (m_thread) ::CloseHandle(m_thread);
    m_thread = nullptr;
    m_threadId = 0;
    m_link.reset();
}
