// CSumViewThread: the thread of the combined window (CSumUIThreadWnd) that shows up to four
// students. The classroom view starts it beside one control thread per student; each student has
// a start record of its own (RemoteSessionStart) that this thread reports its window to. The
// thread ends with its window.
//
// Thread messages: WM_THREAD_START (every thread ready: link the panes to their session windows
// and set up), WM_THREAD_CLOSE (close the window, which ends every student's session).
#pragma once

#include "framework/WinThread.h"
#include "sessions/RemoteSessionLinks.h"
#include "sessions/RemoteSessionStart.h"

#include <memory>
#include <vector>

class CPCInfo;
class CSumUIThreadWnd;

struct CombinedStudent {
    CPCInfo* slot = nullptr;
    std::shared_ptr<RemoteSessionStart> start;
};

class CSumViewThread : public CWinThread {
    DECLARE_DYNCREATE(CSumViewThread)
public:
    CSumViewThread() = default;

    // Null when the thread could not be started.
    static CSumViewThread* Start(const std::vector<CombinedStudent>& students, const RemoteSessionLinks& links);

    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    afx_msg void OnThreadStart(WPARAM, LPARAM);
    afx_msg void OnThreadClose(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    CSumUIThreadWnd* Window() const;
    void Report(int state);

    std::vector<CombinedStudent> m_students;
    RemoteSessionLinks m_links;
    bool m_comStarted = false;
};
