// CCommunicationWnd: the hidden window of a remote session's control thread. It owns the
// student's connection while the session runs: every packet the student sends is read here and
// queued for the packet thread (CSessionReceiver); the teacher's input and the session's
// commands are written here. Closing it ends the session and gives the connection back to the
// classroom view; losing the student ends the session too.
#pragma once

#include "foundation/TCPSocket.h"
#include "framework/FrameWnd.h"
#include "sessions/RemoteInputQueue.h"
#include "sessions/RemoteSessionLinks.h"
#include "sessions/UploadReceiver.h"

#include <memory>
#include <string>

class CPacket;
class CPCInfo;
class CSessionReceiver;
class CWinThread;

class CCommunicationWnd : public CFrameWnd {
public:
    CCommunicationWnd(CPCInfo& slot, const RemoteSessionLinks& links, DWORD controlThreadId, int refreshDelay);
    ~CCommunicationWnd() override;

    // Hidden, titled "%d: %s, Comm"; the socket is attached with all network events.
    BOOL CreateHidden(const CRect& rect);
    BOOL AttachSocket(SOCKET handle);

    // Set by the view once both threads of the session are ready.
    void LinkViewWindow(HWND view);
    HWND ViewWindow() const { return m_viewWindow; }

    // Written at once when the socket is open (the control thread's own messages).
    bool SendText(const std::u16string& text);
    bool SendPacketNow(CPacket& packet);

    // After go: the packet thread and the input pump start; queued packets are decoded. The
    // input queue is shared with the view window, which fills it.
    void Start(const std::shared_ptr<CRemoteInputQueue>& input);

    // The teacher's input, queued from the view window's thread with the point already on the
    // student's screen; the session's control thread sends it (WM_FLUSH_INPUT). The queue,
    // shared by both windows, is all these touch, so the view needs no hold on this window.
    static void QueueLButtonDown(CRemoteInputQueue& input, UINT flags, CPoint point);
    static void QueueLButtonUp(CRemoteInputQueue& input, UINT flags, CPoint point);
    static void QueueLButtonDblClk(CRemoteInputQueue& input, UINT flags, CPoint point);
    static void QueueRButtonDown(CRemoteInputQueue& input, UINT flags, CPoint point);
    static void QueueRButtonUp(CRemoteInputQueue& input, UINT flags, CPoint point);
    static void QueueRButtonDblClk(CRemoteInputQueue& input, UINT flags, CPoint point);
    static void QueueMButtonDown(CRemoteInputQueue& input, UINT flags, CPoint point);
    static void QueueMButtonUp(CRemoteInputQueue& input, UINT flags, CPoint point);
    static void QueueMButtonDblClk(CRemoteInputQueue& input, UINT flags, CPoint point);
    // A move to the point last queued by any session window adds nothing.
    static void QueueMouseMove(CRemoteInputQueue& input, UINT flags, CPoint point);
    static void QueueMouseWheel(CRemoteInputQueue& input, UINT flags, CPoint point, short delta);
    // One key record as it is; the callers test forwarding.
    static void QueueKeyEvent(CRemoteInputQueue& input, UINT message, UINT key, UINT repeat, UINT flags);
    // A key-up record while input is forwarded, for keys below 256; print screen, whose key-down
    // the teacher's system keeps, first queues its key-down.
    static void QueueKeyUp(CRemoteInputQueue& input, UINT key, UINT repeat, UINT flags);

protected:
    afx_msg LRESULT OnSocketReceive(WPARAM, LPARAM);
    afx_msg LRESULT OnQueueRoom(WPARAM, LPARAM);
    afx_msg LRESULT OnSocketClose(WPARAM, LPARAM);
    afx_msg LRESULT OnFlushInput(WPARAM, LPARAM);
    afx_msg LRESULT OnSpecialKey(WPARAM, LPARAM);
    afx_msg LRESULT OnToggleSound(WPARAM, LPARAM);
    afx_msg LRESULT OnChatText(WPARAM, LPARAM);
    afx_msg LRESULT OnViewRegion(WPARAM, LPARAM);
    afx_msg LRESULT OnViewScroll(WPARAM, LPARAM);
    afx_msg LRESULT OnFullScreenOn(WPARAM, LPARAM);
    afx_msg LRESULT OnFrameDecoded(WPARAM, LPARAM);
    afx_msg LRESULT OnFullScreenState(WPARAM, LPARAM);
    afx_msg LRESULT OnSendClipboard(WPARAM, LPARAM);
    afx_msg LRESULT OnStudentClipboard(WPARAM, LPARAM);
    afx_msg LRESULT OnSendBare(WPARAM, LPARAM);
    afx_msg LRESULT OnFilePiece(WPARAM, LPARAM);
    afx_msg LRESULT OnKeepAliveSeen(WPARAM, LPARAM);
    afx_msg LRESULT OnRestartAnswer(WPARAM, LPARAM);
    afx_msg LRESULT OnPadHome(WPARAM, LPARAM);
    afx_msg LRESULT OnPadBack(WPARAM, LPARAM);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    // At the close: the student stops sending sound, whether or not the teacher listened.
    virtual void StopStudentSound();
    virtual AFX_THREADPROC PacketThreadProc() const;

    static void QueueMouseRecord(CRemoteInputQueue& input, UINT message, UINT flags, CPoint point, short wheel);

private:
    static UINT __cdecl CommInputPumpThreadProc(LPVOID param);
    bool StartInputPump();
    void StopInputPump();
    void EndSession(bool studentLost);

    CPCInfo& m_slot;
    RemoteSessionLinks m_links;
    DWORD m_controlThreadId;
    int m_refreshDelay;
    CTCPSocket m_socket;
    HWND m_viewWindow = nullptr;
    bool m_closing = false;
    bool m_ended = false;
    bool m_readPaused = false;   // the packet thread's queue is full: the student waits
    std::shared_ptr<CRemoteInputQueue> m_input;
    std::shared_ptr<CSessionReceiver> m_receiver;
    HANDLE m_pumpThread = nullptr;
    CUploadReceiver m_upload;   // a file the student uploads during the session
};
