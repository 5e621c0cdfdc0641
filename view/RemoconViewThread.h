// CRemoconViewThread: the user-interface thread of the remote-controller app's viewer window.
// WM_THREAD_QUIT_WINDOW (posted by thread id) closes the window, and the thread ends with it.
#pragma once

#include "framework/WinThread.h"
#include "view/core/RemoconCommands.h"

#include <memory>

class CPCInfo;

class CRemoconViewThread : public CWinThread {
    DECLARE_DYNCREATE(CRemoconViewThread)
public:
    CRemoconViewThread();
    ~CRemoconViewThread() override;

    // Set by the creator while the thread is suspended: the record whose picture is shown (it
    // outlives the thread) and the picture's size and modes.
    CPCInfo* m_record = nullptr;
    RemoconViewerSize m_size;

    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    afx_msg void OnQuitWindow(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    HWND m_window = nullptr;   // its object deletes itself with the window
};
