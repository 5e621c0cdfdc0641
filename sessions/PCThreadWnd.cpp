#include "sessions/PCThreadWnd.h"

#include "foundation/AppMessages.h"
#include "foundation/Packet.h"
#include "sessions/LogInfo.h"
#include "sessions/PCInfo.h"
#include "sessions/PCThread.h"
#include "sessions/PadShareSwitch.h"
#include "sessions/StudentPosting.h"
#include "sessions/StudentThreadLinks.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/TeacherCommands.h"

#include <memory>
#include <new>
#include <stdexcept>
#include <vector>


BEGIN_MESSAGE_MAP(CPCThreadWnd, CFrameWnd)
    ON_MESSAGE(WM_SOCKET_RECEIVE, OnPacketReceived)
    ON_MESSAGE(WM_SOCKET_CLOSE, OnSocketClosed)
    ON_MESSAGE(WM_SOCKET_CONNECT, OnSocketConnected)
    ON_MESSAGE(WM_CHAT_TYPED, OnChatTyped)
    ON_MESSAGE(WM_PAD_SHARE_FRAME, OnSendFrame)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CPCThreadWnd::CPCThreadWnd(CPCThread& thread, CPCInfo& slot, const StudentThreadLinks& links)
    : m_thread(thread), m_slot(slot), m_links(links), m_dispatcher(*this)
{
}

CPCThreadWnd::~CPCThreadWnd()
{
    if (IsSocketOpen()) {
        m_socket.ShutdownBoth();
        m_socket.Close();
    }
    m_thread.OnWindowDestroyed();
}

BOOL CPCThreadWnd::CreateMessageOnly()
{
    return CreateMessageWindow(L"PC Thread");
}

BOOL CPCThreadWnd::AttachSocket(SOCKET handle)
{
    if (!m_socket.Attach(handle, CAsyncSocket::kAllEvents))
        return FALSE;
    m_socket.SetOwner(m_hWnd);
    return TRUE;
}

SOCKET CPCThreadWnd::DetachSocket()
{
    return m_socket.Detach();
}

bool CPCThreadWnd::SendText(const CString& text)
{
    if (!IsSocketOpen())
        return false;
    CPacket packet(text);
    return m_socket.SendPacket(packet) != FALSE;
}

bool CPCThreadWnd::SendPacketNow(CPacket& packet)
{
    return IsSocketOpen() && m_socket.SendPacket(packet) != FALSE;
}

void CPCThreadWnd::PostToOwnThread(const CString& text)
{
    if (!PostStudentCommand(::GetCurrentThreadId(), text))
        TRACE(L"PC:%d answer %s dropped\n", m_slot.m_slotNumber.load(), text.GetString());
}

// -- File sending --------------------------------------------------------------------------------

bool CPCThreadWnd::StartFileSend(const CString& path, UINT transferKind, FileSendStatus& failure)
{
    std::unique_ptr<CPacket> piece = m_fileSender.Begin(path, transferKind, failure);
    if (!piece)
        return false;
    if (!SendPacketNow(*piece)) {
        m_fileSender.Close();
        failure = FileSendStatus::ConnectionLost;
        return false;
    }
    return true;
}

void CPCThreadWnd::OnPieceAcknowledged()
{
    if (!m_fileSender.IsRunning())
        return;   // no send of ours is waiting for it (or the teacher stopped it)
    if (m_fileSender.IsLastPieceMade()) {
        m_thread.ReportFileProgress();
        m_fileSender.Close();
        m_thread.ReportFileResult(FileSendStatus::Done);
        return;
    }
    std::unique_ptr<CPacket> piece = m_fileSender.MakeNextPiece();
    if (!piece) {
        m_thread.ReportFileProgress();
        m_thread.ReportFileResult(FileSendStatus::ReadFailed);
        return;
    }
    // A failed write closes the socket; its close notice reports the lost connection.
    if (SendPacketNow(*piece))
        m_thread.ReportFileProgress();
}

// -- Window messages -----------------------------------------------------------------------------

LRESULT CPCThreadWnd::OnPacketReceived(WPARAM wParam, LPARAM)
{
    if (reinterpret_cast<CTCPSocket*>(wParam) != &m_socket)
        return 0;
    CPacket packet;
    if (!m_socket.ReceivePacket(packet))
        return 0;   // the socket is closed; its close notice follows
    if (!m_open)
        return 0;
    try {
        m_dispatcher.Dispatch(packet);
    } catch (const std::bad_alloc&) {
        DropConnectionOutOfMemory();
    } catch (const std::length_error&) {
        DropConnectionOutOfMemory();
    }
    return 0;
}

// What this student sent could not be held: its connection goes (its close notice ends the
// thread as a peer's close does), and the memory it took with it; the class goes on.
void CPCThreadWnd::DropConnectionOutOfMemory()
{
    TRACE(L"PC:%d out of memory for a packet: connection closed\n", m_slot.m_slotNumber.load());
    m_socket.CloseAndNotify();
}

LRESULT CPCThreadWnd::OnSocketClosed(WPARAM wParam, LPARAM)
{
    if (reinterpret_cast<CTCPSocket*>(wParam) != &m_socket)
        return 0;
    if (IsSocketOpen()) {
        m_socket.ShutdownBoth();
        m_socket.Close();
    }
    m_dispatcher.CloseUpload();
    ReleaseSlotOnClose();
    if (m_fileSender.IsRunning()) {
        m_fileSender.Close();
        m_thread.ReportFileResult(FileSendStatus::ConnectionLost);
    }
    // The end is the console's own doing after "[KW10001]", or the agent announced it.
    if (m_open && !m_orderlyEnd && m_slot.m_orderlyEnd.load() == 0)
        LogAbnormalEnd();
    PostMessage(WM_CLOSE);
    return 0;
}

// Only while the seat still holds this connection: a seat given meanwhile to another student is
// left alone.
void CPCThreadWnd::ReleaseSlotOnClose()
{
    CCriticalSectionLock lock(m_slot.GetLock());
    if (!m_slot.MarkOffline(m_thread.GetConnectionId()))
        return;
    m_slot.SetNotice(CString());
    m_thread.GiveUpPresentationRight();
}

void CPCThreadWnd::LogAbnormalEnd()
{
    PostLogRecord(m_links.logWindow,
                  CLogInfo::MakeSlotEnded(m_slot.m_slotNumber.load(), m_slot.GetDisplayName(),
                                          L"Abnormal Disconnection", L"2"));
}

LRESULT CPCThreadWnd::OnSocketConnected(WPARAM, LPARAM lParam)
{
    TRACE(L"PC:%d connect notice, error %d\n", m_slot.m_slotNumber.load(), static_cast<int>(lParam));
    return 0;
}

LRESULT CPCThreadWnd::OnChatTyped(WPARAM wParam, LPARAM)
{
    const CString* line = reinterpret_cast<const CString*>(wParam);
    if (line)
        SendText(FromU16(ChatLineCommand(ToU16(*line), ToU16(m_slot.GetVersion()))));
    return 0;
}

LRESULT CPCThreadWnd::OnSendFrame(WPARAM wParam, LPARAM)
{
    CPacket* frame = reinterpret_cast<CPacket*>(wParam);
    if (frame && IsSocketOpen() && g_padShareRunning.load() != 0)
        m_socket.SendPacket(*frame);
    return 0;
}

void CPCThreadWnd::OnClose()
{
    DestroyWindow();   // the thread's main window: its end ends the thread
}

void CPCThreadWnd::PostNcDestroy()
{
    delete this;
}
