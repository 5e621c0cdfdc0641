// CTCPSocket: the console's stream socket. It reports accept, connect, receive and close to an
// owner window (SendMessage, wParam = the socket). It writes one whole packet at a time, blocking
// only for the part of a packet the system cannot take at once; it never waits for a peer's bytes: a receive takes what
// has arrived and hands over a packet only once it is whole, keeping the part of one that has
// come so far with the connection.
#pragma once

#include "foundation/AppMessages.h"
#include "framework/AsyncSocket.h"
#include "foundation/core/PacketAssembler.h"
#include "framework/LifeFlag.h"

class CPacket;

class CTCPSocket : public CAsyncSocket {
public:
    // A packet that has begun to arrive must be whole within this time, and a packet write that
    // makes no progress for this long fails: either way that connection is closed.
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
    // Writes all count bytes: count, or -1 on an error. A non-blocking socket that cannot take
    // them at once is made blocking (notifications off) until the packet's end, see SendPacket.
    int Send(const void* buffer, int count, int flags = 0) override;

    // FALSE when the socket is closed or the write failed (the socket is closed then).
    BOOL SendPacket(CPacket& packet);
    // Takes the bytes that have arrived, up to the end of the packet under way, and never waits
    // for more. TRUE with the packet once it is whole. FALSE otherwise, with an empty type-0
    // packet: either the rest has not come yet (the socket stays open; the next receive message
    // goes on) or the read failed and the socket was closed (its close message follows).
    BOOL ReceivePacket(CPacket& packet);
    // Only packets of that type and at most that length field are read from now on: any other
    // closes the connection once its header and type byte have come.
    void LimitPackets(uint8_t onlyType, uint32_t maxLength) { m_inbox.Limit(onlyType, maxLength); }
    // lParam of a WM_SOCKET_RECEIVE sent after the peer has closed, for the bytes it sent before:
    // an owner that holds back its reads reads these, as no more can come.
    static constexpr LPARAM kLastBytes = 1;
    // A packet is under way: some of its bytes have come, not all.
    bool HasPartialPacket() const { return m_inbox.HasPartial(); }
    // After a failed packet read or write: closes the socket if it is open and then posts
    // WM_SOCKET_CLOSE to the owner; the owner hears of each connection's end once.
    void CloseAndNotify();

    // A handle given up with part of a packet received keeps that part for the next Attach of
    // the same handle, on any thread, so a connection handed from one owner to another loses
    // no byte.
    SOCKET Detach();
    BOOL Attach(SOCKET handle, long events = kAllEvents);
    void Close() override;

    void OnReceive(int errorCode) override;
    void OnAccept(int errorCode) override;
    void OnConnect(int errorCode) override;
    void OnClose(int errorCode) override;
    // Closes a connection whose packet under way is overdue.
    void OnIdleCheck(DWORD now) override;
    bool WantsIdleCheck() const override;

private:
    BOOL BeginPacket();
    void EndPacket();
    void NotifyOwner(UINT message, LPARAM lParam);
    bool DeliverUnreadData();
    // false when the read failed (the socket is closed then).
    bool TakeArrivedBytes();

    HWND m_owner = nullptr;
    BOOL m_listening = FALSE;
    CLifeFlag m_life;   // the owner may delete the socket while it handles a message
    CPacketAssembler m_inbox;      // the packet under way
    DWORD m_packetStart = 0;       // tick of its first byte
    bool m_blockingWrite = false;  // a write under way switched the socket to blocking mode
};
