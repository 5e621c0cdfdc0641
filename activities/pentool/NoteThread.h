// CNoteThread: the pen tool's own user-interface thread. Its hidden window makes the pen
// toolbar; the toolbar and the drawing surface live and die on this thread.
#pragma once

#include "activities/pentool/NoteToolLink.h"
#include "framework/WinThread.h"

#include <memory>

class CNoteThreadWnd;

class CNoteThread : public CWinThread {
    DECLARE_DYNCREATE(CNoteThread)
public:
    CNoteThread();
    ~CNoteThread() override;

    // Set by the creator while the thread is suspended.
    std::shared_ptr<CNoteToolLink> m_link;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    afx_msg void OnQuitWindow(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CNoteThreadWnd> m_threadWnd;
};
