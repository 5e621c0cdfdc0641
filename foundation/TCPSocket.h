// CTCPSocket: the console's stream socket. It reports accept, connect, receive and close to an
// owner window (SendMessage, wParam = the socket) and reads or writes one whole packet at a time,
// blocking for the duration of that packet only.
#pragma once

#include "foundation/AppMessages.h"
#include "framework/AsyncSocket.h"
#include "framework/LifeFlag.h"

class CPacket;

class CTCPSocket : public CAsyncSocket {
public:
    // While a packet is in flight, a peer that lets one read or write make no progress for this
    // long loses the connection.
    static constexpr DWORD kPacketTimeoutMs = 15000;

    CTCPSocket() = default;
    ~CTCPSocket() override;

    // No owner: no messages are sent.
    void SetOwner(HWND owner) { m_owner = owner; }
    HWND GetOwner() const { return m_owner; }
    BOOL IsListening() const { return m_listening; }

    // An IPv4 stream socket bound to the port on all local addresses; a listening one also
    // listens. Non-zero when bound (and, for a listening socket, listening); otherwise the socket
    // is closed and its error is the thread's last socket error.
    BOOL CreateSocket(UINT port, BOOL listen);
    // SO_REUSEADDR, then bind; a failure closes the socket and keeps its error code.
    BOOL BindReuse(UINT port);
    BOOL ShutdownBoth();

    // Reads exactly count bytes: count, 0 when the peer closed or stalled, -1 on an error.
    int Receive(void* buffer, int count, int flags = 0) override;
    // Writes all count bytes: count, or -1 on an error.
    int Send(const void* buffer, int count, int flags = 0) override;

    // FALSE when the socket is closed or the write failed (the socket is closed then).
    BOOL SendPacket(CPacket& packet);
    // FALSE when the read failed: the packet is then an empty type-0 packet, the socket closed.
    BOOL ReceivePacket(CPacket& packet);
    // After a failed packet read or write: closes the socket if it is open and then posts
    // WM_SOCKET_CLOSE to the owner; the owner hears of each connection's end once.
    void CloseAndNotify();

    void OnReceive(int errorCode) override;
    void OnAccept(int errorCode) override;
    void OnConnect(int errorCode) override;
    void OnClose(int errorCode) override;

private:
    BOOL BeginPacket();
    void EndPacket();
    void NotifyOwner(UINT message, LPARAM lParam);
    bool DeliverUnreadData();

    HWND m_owner = nullptr;
    BOOL m_listening = FALSE;
    CLifeFlag m_life;   // the owner may delete the socket while it handles a message
};
