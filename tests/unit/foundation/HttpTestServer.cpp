#include "HttpTestServer.h"

#include <string>

namespace {

const char kPython[] = "Z:\\usr\\bin\\python3";

// The script lies beside this source file; Wine starts Unix programs with Unix paths as given.
// The source folder comes from the build (__FILE__ is relative when a compiler cache rewrites paths).
std::string ScriptPath()
{
    return std::string(LUMORA_SOURCE_DIR) + "/tests/unit/foundation/http_test_server.py";
}

SOCKET ListenOnLoopback(int& port)
{
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) return INVALID_SOCKET;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(listener);
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return listener;
}

bool StartPython(int controlPort)
{
    CString commandLine;
    commandLine.Format(L"\"%S\" \"%S\" %d", kPython, ScriptPath().c_str(), controlPort);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Waits for the server's call-back and reads its HTTP port; the control connection stays
// open for the life of the test program.
int AwaitServerPort(SOCKET listener)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener, &readable);
    timeval timeout{60, 0};
    if (select(0, &readable, nullptr, nullptr, &timeout) != 1) return 0;
    SOCKET control = accept(listener, nullptr, nullptr);
    if (control == INVALID_SOCKET) return 0;
    std::string line;
    char ch = 0;
    while (line.size() < 16 && recv(control, &ch, 1, 0) == 1 && ch != '\n') line += ch;
    return atoi(line.c_str());
}

CString StartServer()
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return CString();
    int controlPort = 0;
    SOCKET listener = ListenOnLoopback(controlPort);
    if (listener == INVALID_SOCKET) return CString();
    int port = StartPython(controlPort) ? AwaitServerPort(listener) : 0;
    closesocket(listener);
    if (port <= 0) return CString();
    CString url;
    url.Format(L"http://127.0.0.1:%d", port);
    return url;
}

} // namespace

CString HttpTestServerUrl()
{
    static const CString url = StartServer();
    return url;
}
