#include "view/RemoconLink.h"

#include "activities/quiz/QuizPopups.h"
#include "activities/screenshare/ShareGlobals.h"
#include "activities/screenshare/core/ShareTileGrid.h"
#include "foundation/AppGlobals.h"
#include "foundation/AppMessages.h"
#include "foundation/MessagePump.h"
#include "foundation/Packet.h"
#include "res/resource.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/RemoteScreen.h"
#include "sessions/core/WireTags.h"
#include "view/RemoconViewThread.h"
#include "view/WendmarkView.h"

#include <shellapi.h>

#include <algorithm>

namespace {

constexpr DWORD kTakeOverNoticeMs = 300;
constexpr DWORD kStreamRestartPauseMs = 1000;
constexpr int kViewerEndPolls = 101;
constexpr DWORD kViewerEndPollMs = 5;
// After the polls a viewer is given this long more before it is left to end on its own.
constexpr DWORD kViewerJoinMs = 1000;

std::u16string NumberText(int value)
{
    return DecimalText(value);
}

bool WaitServingSentMessages(HANDLE handle, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        const DWORD result = ::MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
        if (result != WAIT_OBJECT_0 + 1)
            return result == WAIT_OBJECT_0;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

BOOL CALLBACK InvalidateViewerWindow(HWND window, LPARAM)
{
    ::InvalidateRect(window, nullptr, FALSE);
    return TRUE;
}

} // namespace

CRemoconLink::CRemoconLink(CWendmarkView& view) : m_view(view) {}

CRemoconLink::~CRemoconLink()
{
    Shutdown();
}

bool CRemoconLink::IsNewerApp() const
{
    return IsRemoteAppNewer(ToU16(m_record.GetVersion()));
}

bool CRemoconLink::Send(const std::u16string& text)
{
    if (!IsLinked())
        return false;
    CPacket packet(FromU16(text));
    return m_record.m_socket.SendPacket(packet) != FALSE;
}

// --- Linking ----------------------------------------------------------------------------------

void CRemoconLink::DropForNewApp()
{
    // Announcements that arrive while the notice waits do not wait again: the last one links.
    if (!IsLinked() || m_dropping)
        return;
    m_dropping = true;
    Send(CommandWith(kTagRefusal, {u"4", ToU16(LoadText(IDS_OTHER_PAD_CONNECTED))}));
    const CLifeFlag::Token life = m_life.GetToken();
    PumpMessagesWait(kTakeOverNoticeMs, 0);
    if (!life.IsAlive())
        return;   // the view closed meanwhile
    m_dropping = false;
    EndLink();
}

void CRemoconLink::Link(SOCKET handle, int connectionId, const CString& version)
{
    EndLink();
    m_record.m_socket.SetOwner(m_view.GetSafeHwnd());
    if (!m_record.m_socket.Attach(handle, CAsyncSocket::kAllEvents)) {
        ::closesocket(handle);
        return;
    }
    m_record.m_connectionId = connectionId;
    m_record.SetDisplayName(L"Remocon");
    m_record.SetNotice(CString());
    m_record.SetVersion(version);
    ReadTeacherScreen();
    m_quality = 70;
    Send(CommandWith(kTagRemoteAppScreenSize, {NumberText(m_screenWidth), NumberText(m_screenHeight)}));
    if (IsNewerApp()) {
        Send(kTagRemoteAppTouchState + NumberText(m_view.GetToolbar().IsTouchLocked() ? 1 : 0));
        Send(kTagRemoteAppShareState + NumberText(g_screenSharing.load() ? 1 : 0));
    }
}

void CRemoconLink::ReadTeacherScreen()
{
    m_screenWidth = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    m_screenHeight = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

void CRemoconLink::EndLink()
{
    StopViewer();
    m_sound.Stop();
    // What the app sent is played for the app's link only.
    m_input.Stop();
    if (IsLinked()) {
        m_record.m_socket.ShutdownBoth();
        m_record.m_socket.Close();
    }
    m_record.m_connectionId = -1;
}

void CRemoconLink::OnClose()
{
    // The stream's wish stays; nothing is sent while no app is linked.
    EndLink();
}

void CRemoconLink::Shutdown()
{
    if (IsLinked()) {
        CPacket packet(FromU16(std::u16string(kTagEndSession) + u"KW_END"));
        m_record.m_socket.SendPacket(packet);
    }
    g_remoteAppStreaming = 0;
    m_stream.Stop();
    EndLink();
    m_decoder.Release();
}

// --- Receiving --------------------------------------------------------------------------------

void CRemoconLink::OnReceive()
{
    CPacket packet;
    if (!m_record.m_socket.ReceivePacket(packet))
        return;   // not whole yet, or closed (its close message follows)
    switch (packet.m_type) {
    case 1: {
        const std::u16string text = ToU16(packet.m_text);
        if (!HasTag(text)) {
            // The app is a pupil-reachable device on the school's network: a malformed text ends
            // its link, never the program.
            TRACE(L"remote app: text too short, link closed\n");
            EndLink();
            return;
        }
        OnText(text);
        break;
    }
    case 4: m_input.AddKeys(packet.m_keys); break;
    case 5: m_input.AddMice(packet.m_mice); break;
    case 11: OnSound(packet); break;
    case 12: OnTiles(packet); break;
    default: break;
    }
}

void CRemoconLink::OnText(const std::u16string& text)
{
    const std::u16string argument = ArgumentsOf(text);
    if (IsTag(text, kTagRemoteAppLink)) {
        // An announcement on the link itself: it ends, and links nothing.
        DropForNewApp();
    } else if (IsTag(text, kTagRemoteAppKeepAlive)) {
        Send(kTagRemoteAppKeepAliveAnswer);
    } else if (IsTag(text, kTagRemoteAppStreamStart)) {
        StartStream();
    } else if (IsTag(text, kTagRemoteAppStreamStop)) {
        g_remoteAppStreaming = 0;
    } else if (IsTag(text, kTagRemoteAppFrameAck)) {
        int frame = 0;
        if (ReadFrameAcknowledgement(argument, frame))
            m_acknowledged = frame;
    } else if (IsTag(text, kTagRemoteAppKeyboard)) {
        OpenOnScreenKeyboard();
    } else if (IsTag(text, kTagRemoteAppViewerSize)) {
        RemoconViewerSize size;
        if (ReadViewerSize(argument, size)) {
            m_viewerSize = size;
            m_viewerSizeStored = true;
        }
    } else if (IsTag(text, kTagRemoteAppViewer)) {
        OnViewerCommand(argument);
    } else if (IsTag(text, kTagRemoteAppCanvas)) {
        OnCanvas(argument);
    } else if (IsTag(text, kTagRemoteAppSound)) {
        OnSoundCommand(argument);
    } else if (IsTag(text, kTagRemoteAppTouch)) {
        // A newer app locks the students' input on its own; its touch only takes the quiz
        // announcement away, as the toolbar's touch button does.
        if (!IsNewerApp())
            m_view.GetToolbar().SetTouchState(FromU16(argument));
        else if (g_quizMsgDlg.GetSafeHwnd() && g_quizMsgDlg.IsWindowVisible())
            HideQuizMessage();
    } else if (IsTag(text, kTagRemoteAppCharacter)) {
        uint16_t code = 0;
        if (ReadCharacterCode(argument, code))
            m_input.AddCharacter(code);
    } else if (IsTag(text, kTagRemoteAppHangulKey)) {
        m_input.AddHangulKey();
    } else if (IsTag(text, kTagRemoteScanCodes)) {
        m_input.AddScanCodes(argument);
    }
}

// --- The teacher's screen to the app ------------------------------------------------------------

void CRemoconLink::StartStream()
{
    g_remoteAppStreaming = 1;
    g_remoteAppFrameSeq = 1;
    m_acknowledged = 0;
    if (m_canvasWidth == 0) {
        m_canvasWidth = std::min(std::max(m_screenWidth, kMinShareSide), kMaxShareSide);
        m_canvasHeight = std::min(std::max(m_screenHeight, kMinShareSide), kMaxShareSide);
    }
    ScreenStreamInput input;
    const HWND view = m_view.GetSafeHwnd();
    input.target = [view] { return view; };
    input.message = WM_REMOTE_APP_FRAME;
    input.canvasWidth = m_canvasWidth;
    input.canvasHeight = m_canvasHeight;
    input.quality = m_quality;
    input.running = &g_remoteAppStreaming;
    input.sequence = &g_remoteAppFrameSeq;
    input.acknowledged = &m_acknowledged;
    if (!m_stream.Start(input, CScreenStreamThread::CaptureScreenThreadProc))
        TRACE(L"remote app: the stream could not be started\n");
}

void CRemoconLink::RestartStream()
{
    if (!g_remoteAppStreaming.load())
        return;
    g_remoteAppStreaming = 0;
    m_stream.Stop();
    const CLifeFlag::Token life = m_life.GetToken();
    PumpMessagesWait(kStreamRestartPauseMs, 0);
    if (life.IsAlive())
        StartStream();
}

void CRemoconLink::OnStreamFrame(CPacket& packet)
{
    if (IsLinked() && g_remoteAppStreaming.load())
        m_record.m_socket.SendPacket(packet);
}

void CRemoconLink::OnCanvas(const std::u16string& arguments)
{
    int width = 0, height = 0;
    if (!ReadStreamCanvas(arguments, width, height))
        return;
    m_canvasWidth = width;
    m_canvasHeight = height;
    if (m_viewerThread) {
        StopViewer();
        StartViewer();
    }
    RestartStream();
}

void CRemoconLink::OnDisplayChange()
{
    ReadTeacherScreen();
    if (IsLinked())
        Send(CommandWith(kTagRemoteAppScreenSize, {NumberText(m_screenWidth), NumberText(m_screenHeight)}));
    RestartStream();
}

void CRemoconLink::SendShareState()
{
    if (IsLinked() && IsNewerApp())
        Send(kTagRemoteAppShareState + NumberText(g_screenSharing.load() ? 1 : 0));
}

// --- The app's screen in the viewer -------------------------------------------------------------

void CRemoconLink::OnViewerCommand(const std::u16string& argument)
{
    StopViewer();
    CBroadcastDlg& toolbar = m_view.GetToolbar();
    if (argument == u"start") {
        StartViewer();
        toolbar.HidePenTool();
        toolbar.HideToolbar();
    } else if (g_openViewCount.load() == 0) {
        toolbar.ShowTopMost();
    }
}

void CRemoconLink::StartViewer()
{
    if (!m_viewerSizeStored)
        return;
    m_record.m_screenWidth = m_viewerSize.width;
    m_record.m_screenHeight = m_viewerSize.height;
    m_record.m_frameWidth = m_viewerSize.tileWidth;
    m_record.m_frameHeight = m_viewerSize.tileHeight;
    CScreenDecoder::EnsureFrameBitmap(m_record);
    auto* thread = new CRemoconViewThread;
    thread->m_record = &m_record;
    thread->m_size = m_viewerSize;
    if (!AfxStartThread(thread, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED))
        return;
    ::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), &m_viewerThread, SYNCHRONIZE,
                      FALSE, 0);
    m_viewerThreadId = thread->m_nThreadID;
    thread->ResumeThread();
}

void CRemoconLink::StopViewer()
{
    if (!m_viewerThread)
        return;
    ::PostThreadMessageW(m_viewerThreadId, WM_THREAD_QUIT_WINDOW, 0, 0);
    // The viewer paints from the record's picture: it must be gone before the record is reused.
    // Only messages sent to this thread are served meanwhile, so no command of the app (a posted
    // socket notice) runs in the middle.
    if (!WaitServingSentMessages(m_viewerThread, kViewerEndPolls * kViewerEndPollMs + kViewerJoinMs))
        TRACE(L"remote app: the viewer thread did not end\n");
    ::CloseHandle(m_viewerThread);
    m_viewerThread = nullptr;
    m_viewerThreadId = 0;
}

void CRemoconLink::OnTiles(const CPacket& packet)
{
    if (m_viewerSizeStored && m_decoder.Open()) {
        uint32_t lastAccepted = 0, acknowledge = 0;
        m_decoder.DecodeTiles(m_record, packet, lastAccepted, acknowledge);
        if (m_viewerThread) {
            // The viewer's window is found by its thread.
            ::EnumThreadWindows(m_viewerThreadId, InvalidateViewerWindow, 0);
        }
    }
    Send(kTagRemoteAppTileAck + NumberText(static_cast<int>(packet.m_sequence)));
}

// --- Sound and the on-screen keyboard -----------------------------------------------------------

void CRemoconLink::OnSoundCommand(const std::u16string& argument)
{
    if (argument == u"start") {
        if (m_sound.Start(m_view.GetSafeHwnd()) != CSoundPlayer::kStarted)
            TRACE(L"remote app: no sound device\n");
    } else {
        m_sound.Stop();
    }
}

void CRemoconLink::OnSound(const CPacket& packet)
{
    // A chunk is a whole ring slot; a shorter one would shift every later chunk.
    if (packet.m_data && packet.m_dataLength >= kSoundChunkBytes && m_sound.IsOn())
        m_sound.Play(packet.m_data, kSoundChunkBytes);
}

void CRemoconLink::OpenOnScreenKeyboard()
{
    // The keyboard of a 64-bit system lives in the real system folder, which a 32-bit process
    // sees only with the redirection off.
    using Disable = BOOL(WINAPI*)(PVOID*);
    using Revert = BOOL(WINAPI*)(PVOID);
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    if (!kernel)
        return;
    auto disable = reinterpret_cast<Disable>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
    auto revert = reinterpret_cast<Revert>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
    PVOID old = nullptr;
    const bool redirected = disable && revert && disable(&old);
    ::ShellExecuteW(nullptr, L"open", L"osk.exe", nullptr, nullptr, SW_SHOWNORMAL);
    if (redirected)
        revert(old);
}
