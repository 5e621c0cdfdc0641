// CViewThread: the thread of a remote session's visible window (CUIThreadWnd). The classroom
// view starts it beside the control thread; it ends with its window.
//
// Thread messages: WM_THREAD_START (both threads ready: link to the session window and set
// up), WM_THREAD_CLOSE (close the window, which ends the session).
#pragma once

#include "framework/WinThread.h"
#include "sessions/RemoteSessionLinks.h"
#include "sessions/RemoteSessionStart.h"

#include <memory>

class CPCInfo;
class CUIThreadWnd;

class CViewThread : public CWinThread {
    DECLARE_DYNCREATE(CViewThread)
public:
    CViewThread() = default;

    // Null when the thread could not be started.
    static CViewThread* Start(CPCInfo& slot, const RemoteSessionLinks& links,
                              const std::shared_ptr<RemoteSessionStart>& start);

    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    afx_msg void OnThreadStart(WPARAM, LPARAM);
    afx_msg void OnThreadClose(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CUIThreadWnd* Window() const;

    CPCInfo* m_slot = nullptr;
    RemoteSessionLinks m_links;
    std::shared_ptr<RemoteSessionStart> m_start;
    bool m_comStarted = false;
};
