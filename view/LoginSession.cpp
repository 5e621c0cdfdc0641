// The login-server session. Only the login-server socket reaches these handlers, so nothing
// another peer sends can act as the server's answer.
#include "view/LoginSession.h"

#include "dialogs/LoginDlg.h"
#include "foundation/AppGlobals.h"
#include "foundation/ConfigProfile.h"
#include "foundation/IniFile.h"
#include "foundation/MessagePump.h"
#include "foundation/Packet.h"
#include "framework/FrameWnd.h"
#include "res/resource.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/TeacherCommands.h"
#include "ui/ShowMessageBox.h"
#include "ui/WaitMsgDlg.h"
#include "view/IConsoleFrame.h"
#include "view/WendmarkView.h"
#include "view/core/LoginServerTexts.h"
#include "view/core/ViewTimerRules.h"

namespace {

// Where the console looks for the login server when "setting.ini" does not say.
const wchar_t kDefaultServerHost[] = L"127.0.0.1";
const wchar_t kDefaultServerPort[] = L"7000";

// Before the first connect the splash stays up this long, so the teacher can read it.
const DWORD kSplashPauseMs = 3000;
const DWORD kLoggedOutNoticeMs = 2500;

} // namespace

CLoginSession::CLoginSession(CWendmarkView& view)
    : m_view(view), m_sessionTag(static_cast<int32_t>(GetTickCount()))
{
}

void CLoginSession::ReadTeacherSettings()
{
    m_teacherId = GetConfigString(L"config", L"teacherid", L"");
    m_classInfo = GetConfigString(L"config", L"classinfo", L"");
}

void CLoginSession::ReadServerAddress()
{
    CString path;
    OpenIniFile(L"setting.ini", path);
    m_serverHost = IniGetString(L"default", L"rsip", kDefaultServerHost, path);
    m_serverPort = IniGetString(L"default", L"rsport", kDefaultServerPort, path);
}

// --- Dialog and connecting ------------------------------------------------------------------

void CLoginSession::OpenLoginDialog()
{
    if (m_view.m_quitting)
        return;
    CLoginDlg dialog(&m_view);
    dialog.SetFields(m_serverHost, m_serverPort, m_teacherId, m_siteText, m_classInfo);
    dialog.SetErrorLine(m_lastServerMessage);
    const CWendmarkView::LifeToken life = m_view.Life();
    const INT_PTR result = dialog.DoModal();
    if (!CWendmarkView::Alive(life))
        return;   // the program was closed meanwhile
    if (result != IDOK) {
        m_view.CloseMainFrame();
        return;
    }
    m_reconnecting = false;
    m_serverHost = dialog.GetServerAddress();
    m_serverPort = dialog.GetServerPort();
    m_teacherId = dialog.GetTeacherId();
    m_teacherId.Trim();
    m_siteText = dialog.GetLoginField();
    m_classInfo = dialog.GetFolderName();
    ConnectLoginServer();
}

void CLoginSession::ConnectLoginServer()
{
    if (!m_reconnecting) {
        m_view.ShowLoadingText(LoadText(IDS_CONNECTING_LOGIN_SERVER));
        CString failure;
        failure.Format(LoadText(IDS_LOGIN_SERVER_CONNECT_FAILED), m_serverHost.GetString(), m_serverPort.GetString());
        m_failureText = failure + L"\n" + LoadText(IDS_PROGRAM_ENDS);
        const CWendmarkView::LifeToken life = m_view.Life();
        PumpMessagesWait(kSplashPauseMs, 1);
        if (!CWendmarkView::Alive(life) || m_view.m_quitting)
            return;
        ArmConnectTimeout();
    }
    CloseSocket();
    m_socket.SetOwner(m_view.GetSafeHwnd());
    if (!m_socket.CreateSocket(static_cast<UINT>(g_portFix > 0 ? g_portFix : 0), FALSE)) {
        HandleConnectError(WSAGetLastError());
        return;
    }
    if (!m_socket.Connect(m_serverHost, static_cast<UINT>(_wtoi(m_serverPort)))) {
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            HandleConnectError(error);
            return;
        }
    }
    CString address;
    UINT port = 0;
    if (m_socket.GetSockName(address, port))
        m_studentPort.Format(L"%u", port);
    m_view.LoadLocalAddresses();
}

void CLoginSession::CloseSocket()
{
    KillKeepAlive();
    if (!IsSocketOpen())
        return;
    m_socket.ShutdownBoth();
    m_socket.Close();
}

void CLoginSession::HandleConnectError(int error)
{
    const UINT textId = ConnectErrorTextId(error);
    if (textId == 0) {
        CString text;
        text.Format(LoadText(IDS_LOGIN_SERVER_CONNECT_FAILED), m_serverHost.GetString(), m_serverPort.GetString());
        text.AppendFormat(L" : %d\n", error);
        TRACE(L"%s", text.GetString());
        // Before the first login the connect time-out ends the program with the prepared text.
        if (m_reconnecting) {
            KillKeepAlive();
            ArmReconnect();
        }
        return;
    }
    CString text;
    text.Format(L"%s : %d\n", LoadText(textId).GetString(), error);
    if (error == kAddressInUseError) {
        text += LoadText(IDS_SOCKET_ADDRESS_IN_USE_HINT);
        KillConnectTimeout();
        KillKeepAlive();
        m_view.HideLoadingText();
    }
    if (m_view.IsStudentListenerOpen()) {
        // Logged in before: retry quietly.
        KillKeepAlive();
        m_reconnecting = true;
        ArmReconnect();
        return;
    }
    const CWendmarkView::LifeToken life = m_view.Life();
    ShowMessageBox(text);
    if (!CWendmarkView::Alive(life))
        return;
    if (error == kAddressInUseError) {
        m_view.CloseMainFrame();
        return;
    }
    // The connect time-out still ends the program 10 s after the attempt.
    if (CFrameWnd* frame = m_view.GetMainFrame())
        frame->ShowWindow(SW_SHOW);
}

// --- Receiving ------------------------------------------------------------------------------

void CLoginSession::OnReceive()
{
    CPacket packet;
    if (!m_socket.ReceivePacket(packet))
        return;   // the socket is closed; WM_SOCKET_CLOSE follows
    if (m_view.m_quitting || packet.m_type != 1)
        return;
    const std::u16string text = ToU16(packet.m_text);
    if (!HasTag(text)) {
        EndOnMalformedAnswer();
        return;
    }
    const std::u16string arguments = ArgumentsOf(text);
    switch (ClassifyLoginServerText(text)) {
    case LoginServerText::Alive: OnServerAlive(); break;
    case LoginServerText::LoginResult: OnLoginResult(arguments); break;
    case LoginServerText::SeatsGranted: OnLoginAccepted(arguments); break;
    case LoginServerText::DuplicateLogin: OnDuplicateLogin(arguments); break;
    case LoginServerText::LoggedOutElsewhere: OnLoggedOutElsewhere(arguments); break;
    case LoginServerText::Other: break;
    }
}

void CLoginSession::EndOnMalformedAnswer()
{
    m_view.m_quitting = true;
    KillConnectTimeout();
    KillKeepAlive();
    m_view.HideLoadingText();
    const CWendmarkView::LifeToken life = m_view.Life();
    ShowMessageBox(LoadText(IDS_BAD_DATA_RECEIVED));
    if (CWendmarkView::Alive(life))
        m_view.CloseMainFrame();
}

void CLoginSession::Send(const std::u16string& text)
{
    if (!IsSocketOpen())
        return;
    CPacket packet(FromU16(text));
    m_socket.SendPacket(packet);
}

ConsoleIdentity CLoginSession::Identity() const
{
    ConsoleIdentity console;
    console.sessionTag = m_sessionTag;
    console.teacherId = ToU16(m_teacherId);
    console.siteText = ToU16(m_siteText);
    console.localAddress = ToU16(m_view.m_localAddress);
    console.studentPort = ToU16(m_studentPort);
    return console;
}

// --- Answers --------------------------------------------------------------------------------

void CLoginSession::OnServerAlive()
{
    m_lastServerWordTick = GetTickCount();
}

void CLoginSession::OnLoginResult(const std::u16string& arguments)
{
    LoginResult answer;
    if (!ReadLoginResult(arguments, answer)) {
        EndOnMalformedAnswer();
        return;
    }
    m_view.HideLoadingText();
    const CString message = TranslateLoginServerMessage(answer.message);
    if (answer.MayLogIn()) {
        // The connect time-out stays armed until the seats are granted: a server that stops here
        // must not leave the console hidden for ever.
        m_loginRequest = FromU16(LoginRequestCommand(Identity()));
        Send(ToU16(m_loginRequest));
        return;
    }
    KillConnectTimeout();
    if (m_reconnecting) {
        if (answer.EndsReconnect()) {
            m_view.m_quitting = true;
            m_view.CloseStudentListener();
            CloseSocket();
            m_view.EndAllSlots();
            const CWendmarkView::LifeToken life = m_view.Life();
            ShowMessageBox(message);
            if (CWendmarkView::Alive(life))
                m_view.CloseMainFrame();
            return;
        }
        CloseSocket();
        ArmReconnect();
        return;
    }
    Send(EndSessionCommand());
    m_view.KillTimer(kTimerReconnect);
    KillKeepAlive();
    m_lastServerMessage = message;
    m_view.SetTimer(kTimerLoginDialog, kLoginDialogDelayMs);
}

void CLoginSession::OnLoginAccepted(const std::u16string& arguments)
{
    int seats = 0;
    if (!ReadSeatsGranted(arguments, seats)) {
        EndOnMalformedAnswer();
        return;
    }
    KillConnectTimeout();
    m_view.HideLoadingText();
    // The slots are made once; a later grant (a reconnect) keeps them and their students.
    if (m_view.m_slots.empty())
        m_view.CreateSlots(seats);
    if (!m_view.OpenStudentListener())
        TRACE(L"the students' listening socket on port %s could not be opened: %d\n", m_studentPort.GetString(),
              WSAGetLastError());
    m_state = kLoggedIn;
    m_lastServerMessage.Empty();
    m_view.GetToolbar().ShowTopMost();
    m_view.ShowMainFrameMaximised();
    m_lastServerWordTick = GetTickCount();
    m_lastKeepAliveTick = m_lastServerWordTick;
    m_view.SetTimer(kTimerLoginKeepAlive, kLoginKeepAlivePeriodMs);
    IConsoleFrame* console = m_view.GetConsoleFrame();
    if (console)
        console->SetTeacherInfo(m_view.GetSeatCount(), m_teacherId);
    if (g_runWithPenTool && console)
        console->StartPenTool();
}

void CLoginSession::OnDuplicateLogin(const std::u16string& arguments)
{
    DuplicateLoginNotice notice;
    if (!ReadDuplicateLogin(arguments, notice)) {
        EndOnMalformedAnswer();
        return;
    }
    // The question may stay open a while: the connect time-out must not end the program under it.
    KillConnectTimeout();
    m_view.HideLoadingText();
    m_view.GetToolbar().HideToolbar();
    CString text;
    if (notice.described)
        text.Format(LoadText(IDS_DUPLICATE_LOGIN_ASK), FromU16(notice.teacherId).GetString(),
                    FromU16(notice.address).GetString());
    const CWendmarkView::LifeToken life = m_view.Life();
    const int answer = ShowMessageBox(text, LoadText(IDS_DUPLICATE_LOGIN_CAPTION), 4);
    if (!CWendmarkView::Alive(life) || m_view.m_quitting)
        return;
    if (answer == IDYES) {
        Send(TakeOverCommand(Identity()));
        m_view.ShowLoadingText(LoadText(IDS_ENDING_OLD_CONNECTION));
        m_failureText = LoadText(IDS_SOCKET_TIMED_OUT);
        ArmConnectTimeout();
        return;
    }
    Send(EndSessionCommand());
    m_view.SetTimer(kTimerLoginDialog, kLoginDialogDelayMs);
}

void CLoginSession::OnLoggedOutElsewhere(const std::u16string& arguments)
{
    LoggedOutNotice notice;
    if (!ReadLoggedOutElsewhere(arguments, notice)) {
        EndOnMalformedAnswer();
        return;
    }
    m_view.HideLoadingText();
    m_view.GetToolbar().HideToolbar();
    if (!notice.endsProgram)
        return;
    CString text;
    text.Format(LoadText(IDS_LOGGED_IN_ELSEWHERE), FromU16(notice.address).GetString());
    m_view.m_quitting = true;
    KillKeepAlive();
    CWaitMsgDlg wait;
    if (wait.Create(nullptr)) {
        wait.SetMessageText(text);
        wait.CenterWindow(GetDesktopWindow());
        wait.SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        wait.UpdateWindow();
        const CWendmarkView::LifeToken life = m_view.Life();
        PumpMessagesWait(kLoggedOutNoticeMs, 0);
        wait.DestroyWindow();
        if (!CWendmarkView::Alive(life))
            return;
    }
    m_view.CloseMainFrame();
}

void CLoginSession::OnClose()
{
    // A close reported for a connection that has since been replaced by a new one is stale.
    if (IsSocketOpen() || m_view.m_quitting)
        return;
    if (m_state == kNeverLoggedIn) {
        // Closed while the first login was still under way: as if the server never answered.
        if (m_connectTimeoutArmed)
            OnConnectTimeout();
        return;
    }
    m_lastServerMessage = LoadText(IDS_LOGIN_SERVER_LOST);
    KillKeepAlive();
    m_reconnecting = true;
    m_state = kSessionLost;
    ArmReconnect();
}

CString CLoginSession::TranslateLoginServerMessage(const std::u16string& message) const
{
    if (message.empty() || g_language == L"Kor")
        return FromU16(message);
    std::u16string name;
    switch (ClassifyServerMessage(message, name)) {
    case ServerMessage::LookupError: return LoadText(IDS_SERVER_LOOKUP_ERROR);
    case ServerMessage::NoSuchTeacher: return LoadText(IDS_SERVER_NO_SUCH_TEACHER);
    case ServerMessage::KindMismatch: return LoadText(IDS_SERVER_KIND_MISMATCH);
    case ServerMessage::NotRunning: {
        CString text;
        text.Format(LoadText(IDS_SERVER_NOT_RUNNING), FromU16(name).GetString());
        return text;
    }
    case ServerMessage::AsIs: break;
    }
    return FromU16(message);
}

// --- Timers ---------------------------------------------------------------------------------

void CLoginSession::Reconnect()
{
    if (!m_view.m_quitting)
        ConnectLoginServer();
}

void CLoginSession::ArmConnectTimeout()
{
    m_view.SetTimer(kTimerConnectTimeout, kConnectTimeoutMs);
    m_connectTimeoutArmed = true;
}

void CLoginSession::KillConnectTimeout()
{
    m_view.KillTimer(kTimerConnectTimeout);
    m_connectTimeoutArmed = false;
}

void CLoginSession::ArmReconnect()
{
    m_view.SetTimer(kTimerReconnect, kReconnectDelayMs);
}

void CLoginSession::KillKeepAlive()
{
    m_view.KillTimer(kTimerLoginKeepAlive);
}

void CLoginSession::OnConnectTimeout()
{
    m_view.m_quitting = true;
    KillKeepAlive();
    KillConnectTimeout();
    m_view.HideLoadingText();
    const CWendmarkView::LifeToken life = m_view.Life();
    ShowMessageBox(m_failureText);
    if (CWendmarkView::Alive(life))
        m_view.CloseMainFrame();
}

void CLoginSession::KeepAlive()
{
    const DWORD now = GetTickCount();
    Send(LoginKeepAliveCommand(m_view.GetSeatCount()));
    const DWORD previousAsk = m_lastKeepAliveTick;
    m_lastKeepAliveTick = now;
    if (!IsLoginServerSilent(now, m_lastServerWordTick, previousAsk))
        return;
    TRACE(L"login server silent: the session is given up and made again\n");
    if (IsSocketOpen())
        Send(EndSessionCommand());
    KillKeepAlive();
    m_reconnecting = true;
    m_state = kSessionLost;
    ArmReconnect();
}

// --- Socket notifications -------------------------------------------------------------------

void CLoginSession::OnConnect(int error)
{
    if (m_view.m_quitting)
        return;
    if (error != 0)
        HandleConnectError(error);
    // Connected: the server speaks first.
}

void CLoginSession::End()
{
    if (IsSocketOpen())
        Send(EndSessionCommand());
    CloseSocket();
}
