// CPCThreadWnd: the message-only window of a student's thread. It owns the student's socket (its
// notifications arrive here), reads every packet the student sends and hands it to the receive
// dispatcher, sends the pieces of a file, and ends the thread when the connection ends.
#pragma once

#include "foundation/TCPSocket.h"
#include "framework/FrameWnd.h"
#include "sessions/FileSender.h"
#include "sessions/ReceiveDispatcher.h"

class CPacket;
class CPCInfo;
class CPCThread;
struct StudentThreadLinks;

class CPCThreadWnd : public CFrameWnd {
public:
    CPCThreadWnd(CPCThread& thread, CPCInfo& slot, const StudentThreadLinks& links);
    ~CPCThreadWnd() override;

    // The message-only window titled "PC Thread". Not a top-level one: under Wine that costs
    // about 0.6 MiB and 30 ms a student (bench/bench_student_thread.cpp).
    BOOL CreateMessageOnly();

    // The socket: all network events, notifications to this window.
    BOOL AttachSocket(SOCKET handle);
    SOCKET DetachSocket();
    bool IsSocketOpen() const { return m_socket.m_hSocket != INVALID_SOCKET; }
    SOCKET GetSocketHandle() const { return m_socket.m_hSocket; }

    // Written at once on the socket (blocking for the packet); false when the socket is closed
    // or the write failed (the socket is closed then and the close notice follows).
    bool SendText(const CString& text);
    bool SendPacketNow(CPacket& packet);
    // Answers that go through the thread's queue, after what is already there.
    void PostToOwnThread(const CString& text);

    // Before "[KW10001]": from now on every packet is read and dropped, and the end of the
    // connection is the console's doing (no abnormal-end record).
    void StopReceiving() { m_open = false; }
    void MarkOrderlyEnd() { m_orderlyEnd = true; }

    // File sending. Begins a send: false with the reason when piece 0 did not go out.
    bool StartFileSend(const CString& path, UINT transferKind, FileSendStatus& failure);
    void StopFileSend() { m_fileSender.Close(); }
    // The student acknowledged a piece ("[PC00010]"): the next piece, or the end of the send.
    void OnPieceAcknowledged();
    const CFileSender& GetFileSender() const { return m_fileSender; }

    void SetScrollValue(int value) { m_scrollValue = value; }

    CPCInfo& GetSlot() const { return m_slot; }
    const StudentThreadLinks& GetLinks() const { return m_links; }
    CPCThread& GetThread() const { return m_thread; }

protected:
    afx_msg LRESULT OnPacketReceived(WPARAM wParam, LPARAM lParam);
    void DropConnectionOutOfMemory();
    afx_msg LRESULT OnSocketClosed(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSocketConnected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChatTyped(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSendFrame(WPARAM wParam, LPARAM lParam);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    void PostNcDestroy() override;

private:
    void ReleaseSlotOnClose();
    void LogAbnormalEnd();

    CPCThread& m_thread;
    CPCInfo& m_slot;
    const StudentThreadLinks& m_links;
    CTCPSocket m_socket;
    bool m_open = true;
    bool m_orderlyEnd = false;

    CFileSender m_fileSender;

    CReceiveDispatcher m_dispatcher;
    int m_scrollValue = 0;
};
