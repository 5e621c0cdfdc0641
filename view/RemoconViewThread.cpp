#include "view/RemoconViewThread.h"

#include "foundation/AppMessages.h"
#include "view/RemoconUIThreadWnd.h"

#include <new>

IMPLEMENT_DYNCREATE(CRemoconViewThread, CWinThread)

BEGIN_MESSAGE_MAP(CRemoconViewThread, CWinThread)
    ON_THREAD_MESSAGE(WM_THREAD_QUIT_WINDOW, OnQuitWindow)
END_MESSAGE_MAP()

CRemoconViewThread::CRemoconViewThread() = default;
CRemoconViewThread::~CRemoconViewThread() = default;

BOOL CRemoconViewThread::InitInstance()
{
    if (!m_record)
        return FALSE;
    auto* window = new (std::nothrow) CRemoconUIThreadWnd(*m_record, m_size);
    if (!window)
        return FALSE;
    if (!window->CreateViewer()) {
        delete window;
        return FALSE;
    }
    m_window = window->GetSafeHwnd();
    m_pMainWnd = window;
    return TRUE;
}

int CRemoconViewThread::ExitInstance()
{
    if (m_window && ::IsWindow(m_window))
        ::DestroyWindow(m_window);
    m_window = nullptr;
    m_pMainWnd = nullptr;
    return CWinThread::ExitInstance();
}

void CRemoconViewThread::OnQuitWindow(WPARAM, LPARAM)
{
    if (m_window && ::IsWindow(m_window))
        ::SendMessageW(m_window, WM_CLOSE, 0, 0);
    else
        ::PostQuitMessage(0);
}
