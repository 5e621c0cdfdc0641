#include "foundation/TCPSocket.h"

#include "foundation/Packet.h"
#include "framework/CriticalSection.h"

#include <exception>
#include <map>
#include <vector>

namespace {

constexpr long kConnectedEvents = FD_READ | FD_CONNECT | FD_CLOSE;
constexpr long kListeningEvents = FD_READ | FD_ACCEPT | FD_CLOSE;
// A whole class switches its devices on at once. With a backlog of 5 the connects beyond it are
// refused (Windows) or, on Linux under Wine, look connected to the student while the server has
// dropped them: a student who waits for the console to speak first then waits forever. The
// system's largest backlog holds every student until the view accepts them, one per message.
constexpr int kListenBacklog = SOMAXCONN;

// Parts of packets that were under way when their handle was detached, until it is attached again.
CCriticalSection g_carriedLock;
std::map<SOCKET, std::vector<uint8_t>> g_carried;

} // namespace

CTCPSocket::~CTCPSocket() = default;

BOOL CTCPSocket::CreateSocket(UINT port, BOOL listen)
{
    m_listening = FALSE;
    if (!Socket(SOCK_STREAM, kAllEvents) || !BindReuse(port))
        return FALSE;
    if (!listen)
        return AsyncSelect(kConnectedEvents);
    if (!AsyncSelect(kListeningEvents) || !Listen(kListenBacklog)) {
        const int error = WSAGetLastError();
        Close();
        WSASetLastError(error);
        return FALSE;
    }
    m_listening = TRUE;
    return TRUE;
}

BOOL CTCPSocket::BindReuse(UINT port)
{
    const BOOL reuse = TRUE;
    SetSockOpt(SO_REUSEADDR, &reuse, sizeof(reuse));
    if (Bind(port))
        return TRUE;
    const int error = WSAGetLastError();
    Close();
    WSASetLastError(error);
    return FALSE;
}

BOOL CTCPSocket::ShutdownBoth()
{
    return ShutDown(SD_BOTH);
}

int CTCPSocket::Receive(void* buffer, int count, int flags)
{
    char* bytes = static_cast<char*>(buffer);
    int received = 0;
    while (received < count) {
        const int got = CAsyncSocket::Receive(bytes + received, count - received, flags);
        if (got == 0)
            return 0;   // the peer closed
        if (got == SOCKET_ERROR)
            return WSAGetLastError() == WSAETIMEDOUT ? 0 : -1;
        received += got;
    }
    return count;
}

int CTCPSocket::Send(const void* buffer, int count, int flags)
{
    const char* bytes = static_cast<const char*>(buffer);
    int sent = 0;
    while (sent < count) {
        const int put = CAsyncSocket::Send(bytes + sent, count - sent, flags);
        if (put == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK && !m_blockingWrite) {
            // The system cannot take the rest at once: blocking mode until this write is done.
            // Most packets fit at once, and the switch costs four system round trips.
            if (!BeginPacket())
                return -1;
            m_blockingWrite = true;
            continue;
        }
        if (put == SOCKET_ERROR || put == 0)
            return -1;
        sent += put;
    }
    return count;
}

BOOL CTCPSocket::SendPacket(CPacket& packet)
{
    if (m_hSocket == INVALID_SOCKET)
        return FALSE;
    const bool written = packet.Serialize(*this, true);
    if (m_blockingWrite) {
        m_blockingWrite = false;
        EndPacket();
    }
    return written;
}

BOOL CTCPSocket::ReceivePacket(CPacket& packet)
{
    packet.Reset();
    if (m_hSocket == INVALID_SOCKET || !TakeArrivedBytes() || !m_inbox.IsWhole())
        return FALSE;
    bool loaded = false;
    try {
        loaded = packet.LoadBody(m_inbox.Body(), m_inbox.BodySize());
    } catch (const std::exception& e) {
        TRACE(L"Packet read failed: %S\n", e.what());
        packet.Reset();
    }
    m_inbox.Clear();
    if (!loaded)
        CloseAndNotify();
    return loaded;
}

// Never reads past the packet under way, so the bytes of the next one stay with the system,
// which announces them again, and a socket detached between packets takes them along.
bool CTCPSocket::TakeArrivedBytes()
{
    for (;;) {
        size_t room = 0;
        uint8_t* space = nullptr;
        try {
            space = m_inbox.Space(room);
        } catch (const std::exception& e) {
            // No memory for the rest of this packet: the connection goes, and what it held.
            TRACE(L"No room for a packet under way (%S): connection closed\n", e.what());
            CloseAndNotify();
            return false;
        }
        if (!space)
            break;   // whole
        const int got = ::recv(m_hSocket, reinterpret_cast<char*>(space), static_cast<int>(room), 0);
        if (got == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
            if (m_inbox.HasPartial())
                WatchIdle();   // the rest has not come yet: it must within the time-out
            return true;
        }
        if (got <= 0) {
            CloseAndNotify();   // the peer closed (mid-packet: the packet can never be whole)
            return false;
        }
        if (!m_inbox.HasPartial())
            m_packetStart = ::GetTickCount();
        if (m_inbox.Commit(static_cast<size_t>(got)) == CPacketAssembler::State::Refused) {
            CloseAndNotify();   // not a packet of ours, or longer than any packet may be
            return false;
        }
    }
    return true;
}

SOCKET CTCPSocket::Detach()
{
    const SOCKET handle = m_hSocket;
    if (handle != INVALID_SOCKET) {
        CCriticalSectionLock lock(g_carriedLock);
        // Always replaced, so an entry never outlives the attachment it was made for.
        if (m_inbox.HasPartial())
            g_carried[handle] = m_inbox.Received();
        else
            g_carried.erase(handle);
    }
    m_inbox.Clear();
    return CAsyncSocket::Detach();
}

BOOL CTCPSocket::Attach(SOCKET handle, long events)
{
    if (!CAsyncSocket::Attach(handle, events))
        return FALSE;
    std::vector<uint8_t> carried;
    {
        CCriticalSectionLock lock(g_carriedLock);
        auto found = g_carried.find(handle);
        if (found == g_carried.end())
            return TRUE;
        carried = std::move(found->second);
        g_carried.erase(found);
    }
    m_packetStart = ::GetTickCount();
    if (m_inbox.Restore(std::move(carried)) == CPacketAssembler::State::Refused)
        m_inbox.Clear();
    if (m_inbox.HasPartial())
        WatchIdle();
    return TRUE;
}

void CTCPSocket::Close()
{
    m_inbox.Clear();
    CAsyncSocket::Close();
}

bool CTCPSocket::WantsIdleCheck() const
{
    return m_hSocket != INVALID_SOCKET && m_inbox.HasPartial();
}

void CTCPSocket::OnIdleCheck(DWORD now)
{
    if (m_hSocket == INVALID_SOCKET || !m_inbox.HasPartial() ||
        now - m_packetStart < kPacketTimeoutMs)
        return;
    TRACE(L"A packet stayed incomplete for %lu ms: connection closed\n", now - m_packetStart);
    CloseAndNotify();
}

// Notifications off and blocking mode for the rest of one packet the system could not take at
// once; the time-out keeps a peer that reads nothing from holding the thread.
BOOL CTCPSocket::BeginPacket()
{
    const DWORD timeout = kPacketTimeoutMs;
    DWORD blocking = 0;
    return AsyncSelect(0) && IOCtl(FIONBIO, &blocking) &&
           SetSockOpt(SO_SNDTIMEO, &timeout, sizeof(timeout));
}

void CTCPSocket::EndPacket()
{
    if (m_hSocket == INVALID_SOCKET)
        return;   // the packet failed and closed the socket
    DWORD nonBlocking = 1;
    if (!IOCtl(FIONBIO, &nonBlocking) || !AsyncSelect(kConnectedEvents))
        CloseAndNotify();   // without notifications the connection would go silent
}

void CTCPSocket::CloseAndNotify()
{
    if (m_hSocket == INVALID_SOCKET)
        return;
    Close();
    if (m_owner)
        ::PostMessageW(m_owner, WM_SOCKET_CLOSE, reinterpret_cast<WPARAM>(this), 0);
}

void CTCPSocket::NotifyOwner(UINT message, LPARAM lParam)
{
    if (m_owner)
        ::SendMessageW(m_owner, message, reinterpret_cast<WPARAM>(this), lParam);
}

void CTCPSocket::OnReceive(int errorCode)
{
    CAsyncSocket::OnReceive(errorCode);
    NotifyOwner(WM_SOCKET_RECEIVE, 0);
}

void CTCPSocket::OnAccept(int errorCode)
{
    CAsyncSocket::OnAccept(errorCode);
    NotifyOwner(WM_SOCKET_ACCEPT, 0);
}

void CTCPSocket::OnConnect(int errorCode)
{
    CAsyncSocket::OnConnect(errorCode);
    NotifyOwner(WM_SOCKET_CONNECT, errorCode);
}

void CTCPSocket::OnClose(int errorCode)
{
    CAsyncSocket::OnClose(errorCode);
    if (!DeliverUnreadData())
        return;   // the owner deleted this socket
    if (m_hSocket == INVALID_SOCKET)
        return;   // a failed read closed it and told the owner already
    ShutdownBoth();
    Close();
    NotifyOwner(WM_SOCKET_CLOSE, 0);
}

// The close can be reported while packets the peer sent before closing are still unread: the
// owner gets a receive message for them first, as long as it keeps reading. false when the
// owner deleted the socket meanwhile.
bool CTCPSocket::DeliverUnreadData()
{
    if (!m_owner)
        return true;
    const CLifeFlag::Token life = m_life.GetToken();
    DWORD available = 0;
    while (m_hSocket != INVALID_SOCKET && IOCtl(FIONREAD, &available) && available > 0) {
        NotifyOwner(WM_SOCKET_RECEIVE, kLastBytes);
        if (!life.IsAlive())
            return false;
        DWORD left = 0;
        if (m_hSocket != INVALID_SOCKET && IOCtl(FIONREAD, &left) && left >= available)
            break;   // the owner did not read
    }
    return true;
}
