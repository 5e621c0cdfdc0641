#include "activities/pentool/NoteThread.h"

#include "activities/pentool/NoteThreadWnd.h"
#include "foundation/AppMessages.h"

#include <new>

IMPLEMENT_DYNCREATE(CNoteThread, CWinThread)

BEGIN_MESSAGE_MAP(CNoteThread, CWinThread)
    ON_THREAD_MESSAGE(WM_THREAD_QUIT_WINDOW, OnQuitWindow)
END_MESSAGE_MAP()

CNoteThread::CNoteThread() = default;
CNoteThread::~CNoteThread() = default;

BOOL CNoteThread::InitInstance()
{
    if (!m_link) return FALSE;
    m_threadWnd.reset(new (std::nothrow) CNoteThreadWnd(m_link));
    if (!m_threadWnd || !m_threadWnd->CreateThreadWindow()) return FALSE;
    m_pMainWnd = m_threadWnd.get();
    return m_threadWnd->CreateToolbar();
}

int CNoteThread::ExitInstance()
{
    // Everything the thread made goes here, after its loop, on this thread.
    if (m_threadWnd && m_threadWnd->GetSafeHwnd()) m_threadWnd->DestroyWindow();
    m_threadWnd.reset();
    m_pMainWnd = nullptr;
    return CWinThread::ExitInstance();
}

void CNoteThread::OnQuitWindow(WPARAM, LPARAM)
{
    if (m_threadWnd && m_threadWnd->GetSafeHwnd()) m_threadWnd->SendMessage(WM_CLOSE);
    else ::PostQuitMessage(0);
}

BOOL CNoteThread::PreTranslateMessage(MSG* msg)
{
    // System keys (F10, Alt alone) go to the default procedure, never to a menu of the pen
    // tool's windows; Alt+F4 goes to the window it was pressed in.
    if ((msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSKEYUP) && msg->hwnd && msg->wParam != VK_F4) {
        ::DefWindowProcW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
        return TRUE;
    }
    return CWinThread::PreTranslateMessage(msg);
}
