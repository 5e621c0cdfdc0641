// CAsyncSocket: a non-blocking Winsock socket whose network events arrive as calls of its
// virtual On... handlers on the thread that created or attached it. Each thread has one hidden
// notification window and its own handle -> object map; a notification for a socket that has
// left the map (closed, detached, or attached again elsewhere) is dropped.
#pragma once

#include "framework/Afx.h"

struct SocketThreadState;

class CAsyncSocket {
public:
    static constexpr long kAllEvents = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT |
                                       FD_CLOSE;

    CAsyncSocket() = default;
    CAsyncSocket(const CAsyncSocket&) = delete;
    CAsyncSocket& operator=(const CAsyncSocket&) = delete;
    virtual ~CAsyncSocket();

    SOCKET m_hSocket = INVALID_SOCKET;

    // socket() + Bind; on a bind failure the socket is closed and its error kept.
    BOOL Create(UINT port = 0, int type = SOCK_STREAM, long events = kAllEvents,
                LPCWSTR address = nullptr);
    BOOL Socket(int type = SOCK_STREAM, long events = kAllEvents, int protocol = 0,
                int family = AF_INET);
    // Takes a socket handle; its notifications arrive on the calling thread from now on. On
    // FALSE the handle stays the caller's.
    BOOL Attach(SOCKET handle, long events = kAllEvents);
    // Gives the handle up (notifications stop) so another object or thread can attach it.
    SOCKET Detach();
    // The object the calling thread has attached to the handle, or null.
    static CAsyncSocket* FromHandle(SOCKET handle);

    BOOL Accept(CAsyncSocket& connected, SOCKADDR* address = nullptr, int* addressLength = nullptr);
    // An IPv4 dotted address, or all local addresses when null.
    BOOL Bind(UINT port, LPCWSTR address = nullptr);
    BOOL Bind(const SOCKADDR* address, int length);
    // A dotted address or a host name. A connection under way gives FALSE with WSAEWOULDBLOCK;
    // OnConnect tells the outcome.
    BOOL Connect(LPCWSTR host, UINT port);
    BOOL Connect(const SOCKADDR* address, int length);
    BOOL Listen(int backlog = 5);
    virtual void Close();
    BOOL ShutDown(int how = SD_SEND);
    BOOL AsyncSelect(long events = kAllEvents);
    BOOL IOCtl(long command, DWORD* argument);
    BOOL SetSockOpt(int option, const void* value, int length, int level = SOL_SOCKET);
    BOOL GetSockOpt(int option, void* value, int* length, int level = SOL_SOCKET);
    BOOL GetPeerName(CString& address, UINT& port);
    BOOL GetPeerName(SOCKADDR* address, int* length);
    BOOL GetSockName(CString& address, UINT& port);
    BOOL GetSockName(SOCKADDR* address, int* length);
    static int GetLastError() { return WSAGetLastError(); }

    virtual int Receive(void* buffer, int count, int flags = 0);
    virtual int Send(const void* buffer, int count, int flags = 0);

    // Network events, with the error code Winsock reported. A handler may delete its socket.
    virtual void OnReceive(int errorCode) {}
    virtual void OnSend(int errorCode) {}
    virtual void OnOutOfBandData(int errorCode) {}
    virtual void OnAccept(int errorCode) {}
    virtual void OnConnect(int errorCode) {}
    virtual void OnClose(int errorCode) {}
    // About once a second for every socket of the thread while any of them wants it, so a
    // socket can end what has waited too long. It may close its own socket and post messages;
    // it must delete no socket.
    virtual void OnIdleCheck(DWORD now) {}
    // Whether this socket has something waiting that an idle check must watch.
    virtual bool WantsIdleCheck() const { return false; }

protected:
    // Starts the thread's idle checks unless they run; they stop by themselves once no socket of
    // the thread wants them. A thread's timer otherwise wakes it every second for nothing, and
    // under Wine every wake is several round trips to the server.
    void WatchIdle();

private:
    friend LRESULT CALLBACK AfxSocketWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend void AfxSocketTermThread();
    static void DispatchEvent(CAsyncSocket* socket, int event, int errorCode);
    BOOL Register();
    void Unregister();

    SocketThreadState* m_state = nullptr;   // the thread that gets the notifications
    UINT m_notifyMessage = 0;               // distinguishes this attachment from earlier ones
    long m_events = 0;
};

// Starts Winsock 2.2 for the process; FALSE when it is not available.
BOOL AfxSocketInit(WSADATA* data = nullptr);
// Drops the calling thread's notification window and map (at the end of a thread).
void AfxSocketTermThread();
