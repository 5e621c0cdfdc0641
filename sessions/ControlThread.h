// CControlThread: the thread that owns a student's connection during a remote view and control
// session, through its hidden session window (CCommunicationWnd). The classroom view starts it
// with the socket the student's thread lent; when the session ends the socket goes back to the
// view (WM_SESSION_CLOSED), also when the thread could not set up.
//
// Thread messages (post by thread id):
//   WM_THREAD_START       both threads are ready: link to the view window and start
//   WM_THREAD_CLOSE       end the session
//   WM_SEND_COMMAND_TEXT  wParam a heap wchar_t[] command text, sent to the student
//   WM_SEND_PACKET        wParam a heap CPacket, sent to the student
#pragma once

#include "framework/WinThread.h"
#include "sessions/RemoteSessionLinks.h"
#include "sessions/RemoteSessionStart.h"

#include <memory>

class CCommunicationWnd;
class CPCInfo;

class CControlThread : public CWinThread {
    DECLARE_DYNCREATE(CControlThread)
public:
    CControlThread();
    ~CControlThread() override;

    // Null when the thread could not be started; the socket then stays the caller's.
    static CControlThread* Start(CPCInfo& slot, SOCKET socket, const RemoteSessionLinks& links, int refreshDelay,
                                 const std::shared_ptr<RemoteSessionStart>& start);

    BOOL InitInstance() override;
    int ExitInstance() override;
    void OnDiscardMessage(const MSG& msg) override;

protected:
    // Gives the thread its slot, links and start record and starts it; null when it could not
    // be started (the thread object is then deleted and the socket stays the caller's).
    static CControlThread* StartThread(CControlThread* thread, CPCInfo& slot, SOCKET socket,
                                       const RemoteSessionLinks& links, int refreshDelay,
                                       const std::shared_ptr<RemoteSessionStart>& start);
    // The hidden session window this thread owns; a combined session's thread makes its own kind.
    virtual CCommunicationWnd* MakeSessionWindow(CPCInfo& slot, const RemoteSessionLinks& links, DWORD threadId,
                                                 int refreshDelay);

    afx_msg void OnGo(WPARAM, LPARAM);
    afx_msg void OnCloseSession(WPARAM, LPARAM);
    afx_msg void OnSendCommand(WPARAM, LPARAM);
    afx_msg void OnSendPacket(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // The session window while it exists (the framework clears it when it is destroyed).
    CCommunicationWnd* Session() const;
    CRect SessionWindowRect() const;
    void GiveSocketBack();

    CPCInfo* m_slot = nullptr;
    SOCKET m_socketHandle = INVALID_SOCKET;   // until the session window holds it
    RemoteSessionLinks m_links;
    int m_refreshDelay = 0;
    std::shared_ptr<RemoteSessionStart> m_start;
    bool m_comStarted = false;
};
