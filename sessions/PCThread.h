// CPCThread: the user-interface thread that serves one admitted student. It owns the student's
// connection through its hidden socket window (CPCThreadWnd), writes everything the console
// says to the student, sends files piece by piece, lends the connection to a remote session and
// takes it back, and reports the end of the connection.
//
// Other threads reach it only by posts to its thread id (slot->m_pcThreadId):
//   WM_SEND_COMMAND_TEXT  wParam heap wchar_t[] text (PostStudentCommand), lParam see below
//   WM_SEND_PACKET, WM_SEND_GROUP_PACKET  wParam heap CPacket (PostStudentPacket)
//   WM_OPEN_CHAT          the slot's chat window, opened on this thread (RequestChatWindow)
// The thread frees what it is posted, sent or not; what is still queued when it ends is freed
// too. The view never closes the connection itself: it posts "[KW10001]KW_END", and the thread
// says goodbye, closes the socket and ends.
#pragma once

#include "framework/WinThread.h"
#include "sessions/FileSender.h"
#include "sessions/StudentThreadLinks.h"

class CPCInfo;
class CPCThreadWnd;

class CPCThread : public CWinThread {
    DECLARE_DYNCREATE(CPCThread)
public:
    CPCThread();
    ~CPCThread() override;

    // Starts the thread of an admitted student: the socket handle (detached from the pending
    // record) belongs to the thread from then on, the slot takes the connection id and learns
    // the thread and its id. Null when the thread could not be started; the handle then stays
    // the caller's.
    static CPCThread* Start(CPCInfo* slot, const StudentThreadLinks& links, SOCKET socket,
                            int connectionId);
    // The seat counts as online for the connection from now on, heard now: the heartbeat must not
    // find it silent by the time of the seat's last occupant while its thread is still starting
    // (under load that takes long enough for a heartbeat to fall in between). Start does this too.
    static void ReserveSeat(CPCInfo* slot, int connectionId);

    // The thread lends its socket with "[KW00004]" (WM_SESSION_ACCEPTED... to the view) and
    // waits. The session that takes the socket first claims it (CPCInfo::TakeLentSocket): one
    // that is not claimed within ten seconds the thread attaches and serves again itself. Then it
    // waits; the view calls this when the remote session has ended, then posts "[KW00003]%d,%d"
    // with the socket handle as lParam. The thread waits on an event, not suspended, so a
    // resume that comes before the thread has begun to wait is not lost. Call it only while the
    // thread has lent its socket (the thread object cannot end then).
    void ResumeAfterSession();

    BOOL InitInstance() override;
    int ExitInstance() override;
    void OnDiscardMessage(const MSG& msg) override;

    // For the socket window, on this thread.
    CPCInfo* GetSlot() const { return m_slot; }
    const StudentThreadLinks& GetLinks() const { return m_links; }
    int GetConnectionId() const { return m_connectionId; }
    void OnWindowDestroyed();
    // The seat goes offline: a presentation right it held is given up, the stream of the
    // teacher's screen to it stops and the view is told (WM_PRESENTATION_RIGHT_FREED).
    void GiveUpPresentationRight();
    // File-send results and progress, to the transfer window.
    void ReportFileResult(FileSendStatus status);
    void ReportFileProgress();

protected:
    afx_msg void OnSendCommand(WPARAM wParam, LPARAM lParam);
    afx_msg void OnAttachSocket(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSendPacket(WPARAM wParam, LPARAM lParam);
    afx_msg void OnOpenChat(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void HandleCommand(const CString& text, LPARAM lParam);
    void LendSocket(const CString& text, wchar_t mode);
    void TakeSocketBack(SOCKET handle);
    // The file a start command names and the window its results go to; false when malformed.
    bool TakeFileSend(const CString& text, HWND transferWindow, char16_t& overwriteFlag);
    void StartFileSend(const CString& text, HWND transferWindow);
    void StopFileSend(const CString& text);
    void ReportInternalFileResult(int result);
    void ReportUnsentFile(const CString& text, HWND transferWindow);
    void EndSession(const CString& text);
    void SendIfOpen(const CString& text);
    // True when resumed, false when the time ran out.
    bool WaitForResume(DWORD timeoutMs);
    void ServeAgain(SOCKET handle);
    void DropChatRequests();
    void PostTransferMessage(UINT message, int value);
    void ReleaseSlot();

    CPCInfo* m_slot = nullptr;
    SOCKET m_socketHandle = INVALID_SOCKET;   // until the window attaches it
    StudentThreadLinks m_links;
    int m_connectionId = -1;
    CPCThreadWnd* m_wnd = nullptr;
    HWND m_publishedWindow = nullptr;   // in the slot's m_socketWindow
    HANDLE m_resumeEvent = nullptr;
    bool m_comStarted = false;

    HWND m_transferWindow = nullptr;
    CString m_transferPath;
};
