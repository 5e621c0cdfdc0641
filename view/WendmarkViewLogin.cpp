// The login-server session: the login dialog, connecting, the login request and its answers,
// duplicate logins, being logged out elsewhere, and reconnecting after a loss while the slots
// stay as they are. Only the login-server socket reaches these handlers.
#include "view/WendmarkView.h"

#include "dialogs/LoginDlg.h"
#include "foundation/AppGlobals.h"
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
#include "view/core/ViewTimerRules.h"

namespace {

// Where the console looks for the login server when "setting.ini" does not say.
const wchar_t kDefaultServerHost[] = L"127.0.0.1";
const wchar_t kDefaultServerPort[] = L"7000";

// Before the first connect the splash stays up this long, so the teacher can read it.
const DWORD kSplashPauseMs = 3000;
const DWORD kLoggedOutNoticeMs = 2500;

} // namespace

void CWendmarkView::ReadLoginServerAddress()
{
    CString path;
    OpenIniFile(L"setting.ini", path);
    m_serverHost = IniGetString(L"default", L"rsip", kDefaultServerHost, path);
    m_serverPort = IniGetString(L"default", L"rsport", kDefaultServerPort, path);
}

// --- Dialog and connecting ------------------------------------------------------------------

void CWendmarkView::OpenLoginDialog()
{
    if (m_quitting)
        return;
    CLoginDlg dialog(this);
    dialog.SetFields(m_serverHost, m_serverPort, m_teacherId, m_siteText, m_classInfo);
    dialog.SetErrorLine(m_lastServerMessage);
    const LifeToken life = Life();
    const INT_PTR result = dialog.DoModal();
    if (!Alive(life))
        return;   // the program was closed meanwhile
    if (result != IDOK) {
        CloseMainFrame();
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

void CWendmarkView::ConnectLoginServer()
{
    if (!m_reconnecting) {
        ShowLoadingText(LoadText(IDS_CONNECTING_LOGIN_SERVER));
        CString failure;
        failure.Format(LoadText(IDS_LOGIN_SERVER_CONNECT_FAILED), m_serverHost.GetString(), m_serverPort.GetString());
        m_failureText = failure + L"\n" + LoadText(IDS_PROGRAM_ENDS);
        const LifeToken life = Life();
        PumpMessagesWait(kSplashPauseMs, 1);
        if (!Alive(life) || m_quitting)
            return;
        ArmConnectTimeout();
    }
    CloseLoginSocket();
    m_loginSocket.SetOwner(GetSafeHwnd());
    if (!m_loginSocket.CreateSocket(static_cast<UINT>(g_portFix > 0 ? g_portFix : 0), FALSE)) {
        HandleConnectError(WSAGetLastError());
        return;
    }
    if (!m_loginSocket.Connect(m_serverHost, static_cast<UINT>(_wtoi(m_serverPort)))) {
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            HandleConnectError(error);
            return;
        }
    }
    CString address;
    UINT port = 0;
    if (m_loginSocket.GetSockName(address, port))
        m_studentPort.Format(L"%u", port);
    LoadLocalAddresses();
}

void CWendmarkView::CloseLoginSocket()
{
    KillTimer(kTimerLoginKeepAlive);
    if (!IsLoginSocketOpen())
        return;
    m_loginSocket.ShutdownBoth();
    m_loginSocket.Close();
}

bool CWendmarkView::IsLoginSocketOpen() const
{
    return m_loginSocket.m_hSocket != INVALID_SOCKET;
}

void CWendmarkView::HandleConnectError(int error)
{
    const UINT textId = ConnectErrorTextId(error);
    if (textId == 0) {
        CString text;
        text.Format(LoadText(IDS_LOGIN_SERVER_CONNECT_FAILED), m_serverHost.GetString(), m_serverPort.GetString());
        text.AppendFormat(L" : %d\n", error);
        TRACE(L"%s", text.GetString());
        // Before the first login the connect time-out ends the program with the prepared text.
        if (m_reconnecting) {
            KillTimer(kTimerLoginKeepAlive);
            ArmReconnect();
        }
        return;
    }
    CString text;
    text.Format(L"%s : %d\n", LoadText(textId).GetString(), error);
    if (error == kAddressInUseError) {
        text += LoadText(IDS_SOCKET_ADDRESS_IN_USE_HINT);
        KillConnectTimeout();
        KillTimer(kTimerLoginKeepAlive);
        HideLoadingText();
    }
    if (IsStudentListenerOpen()) {
        // Logged in before: retry quietly.
        KillTimer(kTimerLoginKeepAlive);
        m_reconnecting = true;
        ArmReconnect();
        return;
    }
    const LifeToken life = Life();
    ShowMessageBox(text);
    if (!Alive(life))
        return;
    if (error == kAddressInUseError) {
        CloseMainFrame();
        return;
    }
    // The connect time-out still ends the program 10 s after the attempt.
    if (CFrameWnd* frame = GetMainFrame())
        frame->ShowWindow(SW_SHOW);
}

// --- Receiving ------------------------------------------------------------------------------

void CWendmarkView::ReceiveFromLoginServer()
{
    CPacket packet;
    if (!m_loginSocket.ReceivePacket(packet))
        return;   // the socket is closed; WM_SOCKET_CLOSE follows
    if (m_quitting || packet.m_type != 1)
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

void CWendmarkView::EndOnMalformedAnswer()
{
    m_quitting = true;
    KillConnectTimeout();
    KillTimer(kTimerLoginKeepAlive);
    HideLoadingText();
    const LifeToken life = Life();
    ShowMessageBox(LoadText(IDS_BAD_DATA_RECEIVED));
    if (Alive(life))
        CloseMainFrame();
}

void CWendmarkView::SendToLoginServer(const std::u16string& text)
{
    if (!IsLoginSocketOpen())
        return;
    CPacket packet(FromU16(text));
    m_loginSocket.SendPacket(packet);
}

ConsoleIdentity CWendmarkView::Identity() const
{
    ConsoleIdentity console;
    console.sessionTag = m_sessionTag;
    console.teacherId = ToU16(m_teacherId);
    console.siteText = ToU16(m_siteText);
    console.localAddress = ToU16(m_localAddress);
    console.studentPort = ToU16(m_studentPort);
    return console;
}

// --- Answers --------------------------------------------------------------------------------

void CWendmarkView::OnServerAlive()
{
    m_lastServerWordTick = GetTickCount();
}

void CWendmarkView::OnLoginResult(const std::u16string& arguments)
{
    LoginResult answer;
    if (!ReadLoginResult(arguments, answer)) {
        EndOnMalformedAnswer();
        return;
    }
    HideLoadingText();
    const CString message = TranslateLoginServerMessage(answer.message);
    if (answer.MayLogIn()) {
        // The connect time-out stays armed until the seats are granted: a server that stops here
        // must not leave the console hidden for ever.
        m_loginRequest = FromU16(LoginRequestCommand(Identity()));
        SendToLoginServer(ToU16(m_loginRequest));
        return;
    }
    KillConnectTimeout();
    if (m_reconnecting) {
        if (answer.EndsReconnect()) {
            m_quitting = true;
            CloseStudentListener();
            CloseLoginSocket();
            EndAllSlots();
            const LifeToken life = Life();
            ShowMessageBox(message);
            if (Alive(life))
                CloseMainFrame();
            return;
        }
        CloseLoginSocket();
        ArmReconnect();
        return;
    }
    SendToLoginServer(EndSessionCommand());
    KillTimer(kTimerReconnect);
    KillTimer(kTimerLoginKeepAlive);
    m_lastServerMessage = message;
    SetTimer(kTimerLoginDialog, kLoginDialogDelayMs);
}

void CWendmarkView::OnLoginAccepted(const std::u16string& arguments)
{
    int seats = 0;
    if (!ReadSeatsGranted(arguments, seats)) {
        EndOnMalformedAnswer();
        return;
    }
    KillConnectTimeout();
    HideLoadingText();
    // The slots are made once; a later grant (a reconnect) keeps them and their students.
    if (m_slots.empty())
        CreateSlots(seats);
    if (!OpenStudentListener())
        TRACE(L"the students' listening socket on port %s could not be opened: %d\n", m_studentPort.GetString(),
              WSAGetLastError());
    m_sessionState = kLoggedIn;
    m_lastServerMessage.Empty();
    ShowMainFrameMaximised();
    m_lastServerWordTick = GetTickCount();
    SetTimer(kTimerLoginKeepAlive, kLoginKeepAlivePeriodMs);
    IConsoleFrame* console = GetConsoleFrame();
    if (console)
        console->SetTeacherInfo(GetSeatCount(), m_teacherId);
    if (g_runWithPenTool && console)
        console->StartPenTool();
}

void CWendmarkView::ShowMainFrameMaximised()
{
    CRect client;
    GetClientRect(&client);
    ApplyLayout(client.Width());
    CFrameWnd* frame = GetMainFrame();
    if (!frame)
        return;
    frame->ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
    frame->ShowWindow(SW_RESTORE);
    frame->ShowWindow(SW_MAXIMIZE);
    frame->UpdateWindow();
    GetClientRect(&client);
    ApplyLayout(client.Width());
    Invalidate(FALSE);
}

void CWendmarkView::OnDuplicateLogin(const std::u16string& arguments)
{
    DuplicateLoginNotice notice;
    if (!ReadDuplicateLogin(arguments, notice)) {
        EndOnMalformedAnswer();
        return;
    }
    // The question may stay open a while: the connect time-out must not end the program under it.
    KillConnectTimeout();
    HideLoadingText();
    CString text;
    if (notice.described)
        text.Format(LoadText(IDS_DUPLICATE_LOGIN_ASK), FromU16(notice.teacherId).GetString(),
                    FromU16(notice.address).GetString());
    const LifeToken life = Life();
    const int answer = ShowMessageBox(text, LoadText(IDS_DUPLICATE_LOGIN_CAPTION), 4);
    if (!Alive(life) || m_quitting)
        return;
    if (answer == IDYES) {
        SendToLoginServer(TakeOverCommand(Identity()));
        ShowLoadingText(LoadText(IDS_ENDING_OLD_CONNECTION));
        m_failureText = LoadText(IDS_SOCKET_TIMED_OUT);
        ArmConnectTimeout();
        return;
    }
    SendToLoginServer(EndSessionCommand());
    SetTimer(kTimerLoginDialog, kLoginDialogDelayMs);
}

void CWendmarkView::OnLoggedOutElsewhere(const std::u16string& arguments)
{
    LoggedOutNotice notice;
    if (!ReadLoggedOutElsewhere(arguments, notice)) {
        EndOnMalformedAnswer();
        return;
    }
    HideLoadingText();
    if (!notice.endsProgram)
        return;
    CString text;
    text.Format(LoadText(IDS_LOGGED_IN_ELSEWHERE), FromU16(notice.address).GetString());
    m_quitting = true;
    KillTimer(kTimerLoginKeepAlive);
    CWaitMsgDlg wait;
    if (wait.Create(nullptr)) {
        wait.SetMessageText(text);
        wait.CenterWindow(GetDesktopWindow());
        wait.SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        wait.UpdateWindow();
        const LifeToken life = Life();
        PumpMessagesWait(kLoggedOutNoticeMs, 0);
        wait.DestroyWindow();
        if (!Alive(life))
            return;
    }
    CloseMainFrame();
}

void CWendmarkView::OnLoginServerClosed()
{
    if (m_quitting)
        return;
    if (m_sessionState == kNeverLoggedIn) {
        // Closed while the first login was still under way: as if the server never answered.
        if (m_connectTimeoutArmed)
            OnConnectTimeout();
        return;
    }
    m_lastServerMessage = LoadText(IDS_LOGIN_SERVER_LOST);
    KillTimer(kTimerLoginKeepAlive);
    m_reconnecting = true;
    m_sessionState = kSessionLost;
    ArmReconnect();
}

CString CWendmarkView::TranslateLoginServerMessage(const std::u16string& message) const
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
