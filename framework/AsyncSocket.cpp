#include "framework/AsyncSocket.h"

#include "framework/CriticalSection.h"
#include "framework/ExceptionGuard.h"

#include <cstring>
#include <exception>
#include <string>
#include <unordered_map>
#include <vector>

// Notification messages: each attachment gets its own number from this range, so a message that
// Winsock posted for an earlier socket with the same handle value is recognised and dropped.
namespace {
constexpr UINT kFirstNotifyMessage = WM_USER + 0x100;
constexpr UINT kLastNotifyMessage = 0x7FFF;
constexpr wchar_t kWindowClass[] = L"LumoraSocketNotify";
constexpr UINT_PTR kIdleCheckTimer = 1;
constexpr UINT kIdleCheckPeriodMs = 1000;
} // namespace

struct SocketThreadState {
    HWND window = nullptr;
    UINT nextMessage = kFirstNotifyMessage;
    bool idleChecking = false;   // the idle check timer runs
    std::unordered_map<SOCKET, CAsyncSocket*> sockets;
};

LRESULT CALLBACK AfxSocketWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

// Guards every thread's map and each socket's m_state/m_notifyMessage.
CCriticalSection g_socketLock;
thread_local SocketThreadState* t_socketState = nullptr;

bool RegisterWindowClass()
{
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &AfxSocketWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = kWindowClass;
        return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

SocketThreadState* CurrentThreadState()
{
    if (t_socketState)
        return t_socketState;
    if (!RegisterWindowClass())
        return nullptr;
    HWND window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  AfxGetInstanceHandle(), nullptr);
    if (!window)
        return nullptr;
    t_socketState = new SocketThreadState;
    t_socketState->window = window;
    return t_socketState;
}

std::string ToAnsi(LPCWSTR text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &result[0], size, nullptr, nullptr);
    result.resize(static_cast<size_t>(size - 1));
    return result;
}

bool ToAddress(const SOCKADDR* address, int length, CString& text, UINT& port)
{
    if (length < static_cast<int>(sizeof(sockaddr_in)) || address->sa_family != AF_INET)
        return false;
    const sockaddr_in* in = reinterpret_cast<const sockaddr_in*>(address);
    text = CString(inet_ntoa(in->sin_addr));
    port = ntohs(in->sin_port);
    return true;
}

} // namespace

namespace {

void CheckIdleSockets(HWND window)
{
    struct Entry {
        SOCKET handle;
        CAsyncSocket* socket;
    };
    std::vector<Entry> entries;
    {
        CCriticalSectionLock lock(g_socketLock);
        SocketThreadState* state = t_socketState;
        if (!state || state->window != window)
            return;
        entries.reserve(state->sockets.size());
        for (const auto& entry : state->sockets)
            entries.push_back({entry.first, entry.second});
    }
    const DWORD now = ::GetTickCount();
    bool wanted = false;
    for (const Entry& entry : entries) {
        // Only a socket that is still attached here: an earlier check may have closed it.
        if (CAsyncSocket::FromHandle(entry.handle) != entry.socket)
            continue;
        try {
            entry.socket->OnIdleCheck(now);
            wanted = wanted || (CAsyncSocket::FromHandle(entry.handle) == entry.socket &&
                                entry.socket->WantsIdleCheck());
        } catch (...) {
            TRACE(L"Exception caught in a socket's idle check\n");
        }
    }
    if (wanted)
        return;
    {
        CCriticalSectionLock lock(g_socketLock);
        if (t_socketState)
            t_socketState->idleChecking = false;
    }
    ::KillTimer(window, kIdleCheckTimer);
}

} // namespace

LRESULT CALLBACK AfxSocketWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kIdleCheckTimer) {
        CheckIdleSockets(hWnd);
        return 0;
    }
    if (message < kFirstNotifyMessage || message > kLastNotifyMessage)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    CAsyncSocket* socket = nullptr;
    {
        CCriticalSectionLock lock(g_socketLock);
        SocketThreadState* state = t_socketState;
        if (state && state->window == hWnd) {
            auto it = state->sockets.find(static_cast<SOCKET>(wParam));
            if (it != state->sockets.end() && it->second->m_notifyMessage == message)
                socket = it->second;
        }
    }
    if (!socket)
        return 0;   // stale: the socket left this thread's map
    AfxCallGuarded(L"a socket handler", [&] {
        CAsyncSocket::DispatchEvent(socket, WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam));
    });
    return 0;
}

void CAsyncSocket::DispatchEvent(CAsyncSocket* socket, int event, int errorCode)
{
    // Each case calls one handler and returns: the handler may have deleted the socket.
    switch (event) {
    case FD_READ: {
        // A read notification can outlive its data (another read took it): report only data.
        DWORD available = 0;
        if (!socket->IOCtl(FIONREAD, &available))
            errorCode = WSAGetLastError();
        if (available != 0 || errorCode != 0)
            socket->OnReceive(errorCode);
        return;
    }
    case FD_WRITE:
        socket->OnSend(errorCode);
        return;
    case FD_OOB:
        socket->OnOutOfBandData(errorCode);
        return;
    case FD_ACCEPT:
        socket->OnAccept(errorCode);
        return;
    case FD_CONNECT:
        socket->OnConnect(errorCode);
        return;
    case FD_CLOSE:
        socket->OnClose(errorCode);
        return;
    default:
        return;
    }
}

CAsyncSocket::~CAsyncSocket()
{
    if (m_hSocket != INVALID_SOCKET)
        CAsyncSocket::Close();
}

void CAsyncSocket::WatchIdle()
{
    HWND window = nullptr;
    {
        CCriticalSectionLock lock(g_socketLock);
        if (!m_state || m_state->idleChecking)
            return;
        m_state->idleChecking = true;
        window = m_state->window;
    }
    ::SetTimer(window, kIdleCheckTimer, kIdleCheckPeriodMs, nullptr);
}

BOOL CAsyncSocket::Register()
{
    SocketThreadState* state = CurrentThreadState();
    if (!state) {
        WSASetLastError(WSAENOBUFS);
        return FALSE;
    }
    CCriticalSectionLock lock(g_socketLock);
    m_state = state;
    m_notifyMessage = state->nextMessage;
    state->nextMessage = state->nextMessage == kLastNotifyMessage ? kFirstNotifyMessage
                                                                  : state->nextMessage + 1;
    state->sockets[m_hSocket] = this;
    return TRUE;
}

void CAsyncSocket::Unregister()
{
    CCriticalSectionLock lock(g_socketLock);
    if (m_state) {
        auto it = m_state->sockets.find(m_hSocket);
        if (it != m_state->sockets.end() && it->second == this)
            m_state->sockets.erase(it);
    }
    m_state = nullptr;
    m_notifyMessage = 0;
}

BOOL CAsyncSocket::Create(UINT port, int type, long events, LPCWSTR address)
{
    if (!Socket(type, events))
        return FALSE;
    if (Bind(port, address))
        return TRUE;
    const int error = WSAGetLastError();
    Close();
    WSASetLastError(error);
    return FALSE;
}

BOOL CAsyncSocket::Socket(int type, long events, int protocol, int family)
{
    if (m_hSocket != INVALID_SOCKET) {
        WSASetLastError(WSAEISCONN);
        return FALSE;
    }
    SOCKET handle = ::socket(family, type, protocol);
    if (handle == INVALID_SOCKET)
        return FALSE;
    if (Attach(handle, events))
        return TRUE;
    const int error = WSAGetLastError();
    closesocket(handle);
    WSASetLastError(error);
    return FALSE;
}

BOOL CAsyncSocket::Attach(SOCKET handle, long events)
{
    if (handle == INVALID_SOCKET || m_hSocket != INVALID_SOCKET) {
        WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    m_hSocket = handle;
    if (Register() && AsyncSelect(events))
        return TRUE;
    // Not attached: the handle stays the caller's.
    const int error = WSAGetLastError();
    Unregister();
    m_hSocket = INVALID_SOCKET;
    WSASetLastError(error);
    return FALSE;
}

SOCKET CAsyncSocket::Detach()
{
    SOCKET handle = m_hSocket;
    if (handle == INVALID_SOCKET)
        return handle;
    AsyncSelect(0);
    Unregister();
    m_hSocket = INVALID_SOCKET;
    return handle;
}

CAsyncSocket* CAsyncSocket::FromHandle(SOCKET handle)
{
    CCriticalSectionLock lock(g_socketLock);
    SocketThreadState* state = t_socketState;
    if (!state)
        return nullptr;
    auto it = state->sockets.find(handle);
    return it == state->sockets.end() ? nullptr : it->second;
}

BOOL CAsyncSocket::Accept(CAsyncSocket& connected, SOCKADDR* address, int* addressLength)
{
    if (connected.m_hSocket != INVALID_SOCKET) {
        WSASetLastError(WSAEISCONN);
        return FALSE;
    }
    SOCKET handle = ::accept(m_hSocket, address, addressLength);
    if (handle == INVALID_SOCKET)
        return FALSE;
    // The new socket starts with the events of the listening one, as Winsock gives it.
    if (connected.Attach(handle, m_events))
        return TRUE;
    const int error = WSAGetLastError();
    closesocket(handle);
    WSASetLastError(error);
    return FALSE;
}

BOOL CAsyncSocket::Bind(UINT port, LPCWSTR address)
{
    sockaddr_in in = {};
    in.sin_family = AF_INET;
    in.sin_port = htons(static_cast<u_short>(port));
    in.sin_addr.s_addr = htonl(INADDR_ANY);
    if (address && *address) {
        in.sin_addr.s_addr = inet_addr(ToAnsi(address).c_str());
        if (in.sin_addr.s_addr == INADDR_NONE) {
            WSASetLastError(WSAEINVAL);
            return FALSE;
        }
    }
    return Bind(reinterpret_cast<const SOCKADDR*>(&in), sizeof(in));
}

BOOL CAsyncSocket::Bind(const SOCKADDR* address, int length)
{
    return ::bind(m_hSocket, address, length) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Connect(LPCWSTR host, UINT port)
{
    sockaddr_in in = {};
    in.sin_family = AF_INET;
    in.sin_port = htons(static_cast<u_short>(port));
    const std::string name = ToAnsi(host ? host : L"");
    in.sin_addr.s_addr = inet_addr(name.c_str());
    if (in.sin_addr.s_addr == INADDR_NONE) {
        addrinfo hints = {};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const int error = getaddrinfo(name.c_str(), nullptr, &hints, &found);
        if (error != 0 || !found) {
            WSASetLastError(error != 0 ? error : WSAHOST_NOT_FOUND);
            return FALSE;
        }
        in.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
        freeaddrinfo(found);
    }
    return Connect(reinterpret_cast<const SOCKADDR*>(&in), sizeof(in));
}

BOOL CAsyncSocket::Connect(const SOCKADDR* address, int length)
{
    return ::connect(m_hSocket, address, length) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Listen(int backlog)
{
    return ::listen(m_hSocket, backlog) != SOCKET_ERROR;
}

void CAsyncSocket::Close()
{
    if (m_hSocket == INVALID_SOCKET)
        return;
    Unregister();
    closesocket(m_hSocket);
    m_hSocket = INVALID_SOCKET;
    m_events = 0;
}

BOOL CAsyncSocket::ShutDown(int how)
{
    return ::shutdown(m_hSocket, how) != SOCKET_ERROR;
}

BOOL CAsyncSocket::AsyncSelect(long events)
{
    HWND window = nullptr;
    UINT message = 0;
    {
        CCriticalSectionLock lock(g_socketLock);
        if (m_state) {
            window = m_state->window;
            message = m_notifyMessage;
        }
    }
    if (!window) {
        WSASetLastError(WSAENOTSOCK);
        return FALSE;
    }
    if (WSAAsyncSelect(m_hSocket, window, message, events) == SOCKET_ERROR)
        return FALSE;
    m_events = events;
    return TRUE;
}

BOOL CAsyncSocket::IOCtl(long command, DWORD* argument)
{
    return ioctlsocket(m_hSocket, command, reinterpret_cast<u_long*>(argument)) != SOCKET_ERROR;
}

BOOL CAsyncSocket::SetSockOpt(int option, const void* value, int length, int level)
{
    return setsockopt(m_hSocket, level, option, static_cast<const char*>(value), length) !=
           SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockOpt(int option, void* value, int* length, int level)
{
    return getsockopt(m_hSocket, level, option, static_cast<char*>(value), length) !=
           SOCKET_ERROR;
}

BOOL CAsyncSocket::GetPeerName(CString& address, UINT& port)
{
    sockaddr_in in = {};
    int length = sizeof(in);
    return GetPeerName(reinterpret_cast<SOCKADDR*>(&in), &length) &&
           ToAddress(reinterpret_cast<SOCKADDR*>(&in), length, address, port);
}

BOOL CAsyncSocket::GetPeerName(SOCKADDR* address, int* length)
{
    return getpeername(m_hSocket, address, length) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockName(CString& address, UINT& port)
{
    sockaddr_in in = {};
    int length = sizeof(in);
    return GetSockName(reinterpret_cast<SOCKADDR*>(&in), &length) &&
           ToAddress(reinterpret_cast<SOCKADDR*>(&in), length, address, port);
}

BOOL CAsyncSocket::GetSockName(SOCKADDR* address, int* length)
{
    return getsockname(m_hSocket, address, length) != SOCKET_ERROR;
}

int CAsyncSocket::Receive(void* buffer, int count, int flags)
{
    return recv(m_hSocket, static_cast<char*>(buffer), count, flags);
}

int CAsyncSocket::Send(const void* buffer, int count, int flags)
{
    return send(m_hSocket, static_cast<const char*>(buffer), count, flags);
}

BOOL AfxSocketInit(WSADATA* data)
{
    static WSADATA startup;
    static const int result = WSAStartup(MAKEWORD(2, 2), &startup);
    if (data)
        *data = startup;
    return result == 0;
}

void AfxSocketTermThread()
{
    SocketThreadState* state = t_socketState;
    if (!state)
        return;
    t_socketState = nullptr;
    {
        CCriticalSectionLock lock(g_socketLock);
        for (auto& entry : state->sockets) {
            entry.second->m_state = nullptr;
            entry.second->m_notifyMessage = 0;
        }
    }
    DestroyWindow(state->window);
    delete state;
}
