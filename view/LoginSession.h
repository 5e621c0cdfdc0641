// CLoginSession: the classroom view's session with the login server — the login dialog,
// connecting, the login request and its answers, duplicate logins, being logged out elsewhere,
// the keep-alive, and reconnecting after a loss while the slots stay as they are. The view owns
// it, gives it the login server's socket notifications and its four timers, and it works the
// view's seats, listener and frame through the view.
#pragma once

#include "foundation/TCPSocket.h"
#include "framework/AfxString.h"

#include <cstdint>
#include <string>

class CWendmarkView;
struct ConsoleIdentity;

class CLoginSession {
public:
    explicit CLoginSession(CWendmarkView& view);
    CLoginSession(const CLoginSession&) = delete;
    CLoginSession& operator=(const CLoginSession&) = delete;

    // Settings: the server's address ("setting.ini") and the teacher's last id and class.
    void ReadServerAddress();
    void ReadTeacherSettings();

    // The view's timers of the session.
    void OpenLoginDialog();
    void Reconnect();
    void OnConnectTimeout();
    void KeepAlive();

    // Socket notifications; only the session's own socket is taken (IsOwnSocket).
    bool IsOwnSocket(WPARAM socket) const { return reinterpret_cast<CTCPSocket*>(socket) == &m_socket; }
    void OnConnect(int error);
    void OnReceive();
    void OnClose();

    // The view is going: the server is told, the socket closed.
    void End();

    const CString& GetTeacherId() const { return m_teacherId; }
    const CString& GetClassInfo() const { return m_classInfo; }
    // The port the students connect to: the login socket's own.
    const CString& GetStudentPort() const { return m_studentPort; }

private:
    // Session state towards the login server.
    enum SessionState { kNeverLoggedIn = 0, kSessionLost = 1, kLoggedIn = 2 };

    void ConnectLoginServer();
    void CloseSocket();
    bool IsSocketOpen() const { return m_socket.m_hSocket != INVALID_SOCKET; }
    void HandleConnectError(int error);
    void OnServerAlive();
    void OnLoginResult(const std::u16string& arguments);
    void OnLoginAccepted(const std::u16string& arguments);
    void OnDuplicateLogin(const std::u16string& arguments);
    void OnLoggedOutElsewhere(const std::u16string& arguments);
    // A malformed answer of the login server: message 716, then the program ends.
    void EndOnMalformedAnswer();
    void Send(const std::u16string& text);
    ConsoleIdentity Identity() const;
    CString TranslateLoginServerMessage(const std::u16string& message) const;
    void ArmConnectTimeout();
    void KillConnectTimeout();
    void ArmReconnect();
    void KillKeepAlive();

    CWendmarkView& m_view;
    CTCPSocket m_socket;
    CString m_serverHost;
    CString m_serverPort;
    CString m_teacherId;
    CString m_classInfo;
    CString m_siteText;
    CString m_studentPort;
    int32_t m_sessionTag = 0;
    SessionState m_state = kNeverLoggedIn;
    bool m_reconnecting = false;
    bool m_connectTimeoutArmed = false;
    DWORD m_lastServerWordTick = 0;
    DWORD m_lastKeepAliveTick = 0;   // the last keep-alive sent, or the login
    CString m_failureText;
    CString m_loginRequest;
    CString m_lastServerMessage;
};
