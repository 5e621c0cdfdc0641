// Test helper: a connected TCP pair on 127.0.0.1 made with plain blocking Winsock calls.
#pragma once

#include "framework/AsyncSocket.h"

struct LoopbackPair {
    SOCKET client = INVALID_SOCKET;
    SOCKET server = INVALID_SOCKET;

    LoopbackPair()
    {
        AfxSocketInit();
        SOCKET listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof(address);
        if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
            listen(listener, 1) == 0 &&
            getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            client = socket(AF_INET, SOCK_STREAM, 0);
            if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0)
                server = accept(listener, nullptr, nullptr);
        }
        closesocket(listener);
    }
    ~LoopbackPair()
    {
        CloseClient();
        if (server != INVALID_SOCKET)
            closesocket(server);
    }
    bool Ok() const { return client != INVALID_SOCKET && server != INVALID_SOCKET; }
    void CloseClient()
    {
        if (client != INVALID_SOCKET)
            closesocket(client);
        client = INVALID_SOCKET;
    }
    // Hands the server end over to whoever attaches it.
    SOCKET TakeServer()
    {
        SOCKET handle = server;
        server = INVALID_SOCKET;
        return handle;
    }
    bool ClientSends(const char* text)
    {
        const int length = static_cast<int>(strlen(text));
        return send(client, text, length, 0) == length;
    }
};

// Waits (without dispatching) until a message has been posted to the calling thread.
inline bool WaitForPostedMessage(DWORD timeoutMs = 20000)
{
    return MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, QS_POSTMESSAGE) == WAIT_OBJECT_0;
}
