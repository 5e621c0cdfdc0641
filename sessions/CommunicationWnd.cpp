#include "sessions/CommunicationWnd.h"

#include "foundation/AppMessages.h"
#include "foundation/FileUtil.h"
#include "foundation/MessagePump.h"
#include "foundation/Packet.h"
#include "framework/PostOwned.h"
#include "framework/WinThread.h"
#include "sessions/PCInfo.h"
#include "sessions/SessionReceiver.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/ActivityCommands.h"
#include "sessions/core/TeacherCommands.h"

namespace {

// How long the end of a session waits for its helper threads before going on without them.
constexpr DWORD kPumpStopMs = 550;
constexpr DWORD kPacketThreadStopMs = 5000;
// The input pump at rest still looks now and then whether its window is gone.
constexpr DWORD kPumpIdleWakeMs = 100;

struct PumpContext {
    std::shared_ptr<CRemoteInputQueue> input;
    HWND window;
};

// The teacher's clipboard as Unicode text; false when it holds none.
bool ReadClipboardText(CString& text)
{
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) || !::OpenClipboard(nullptr))
        return false;
    bool read = false;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            const SIZE_T capacity = ::GlobalSize(data) / sizeof(wchar_t);
            text = CString(chars, static_cast<int>(wcsnlen(chars, capacity)));
            ::GlobalUnlock(data);
            read = true;
        }
    }
    ::CloseClipboard();
    return read;
}

} // namespace

BEGIN_MESSAGE_MAP(CCommunicationWnd, CFrameWnd)
    ON_MESSAGE(WM_SOCKET_RECEIVE, OnSocketReceive)
    ON_MESSAGE(WM_SESSION_QUEUE_ROOM, OnQueueRoom)
    ON_MESSAGE(WM_SOCKET_CLOSE, OnSocketClose)
    ON_MESSAGE(WM_FLUSH_INPUT, OnFlushInput)
    ON_MESSAGE(WM_SEND_SPECIAL_KEY, OnSpecialKey)
    ON_MESSAGE(WM_TOGGLE_SOUND, OnToggleSound)
    ON_MESSAGE(WM_SEND_CHAT_TEXT, OnChatText)
    ON_MESSAGE(WM_SEND_VIEW_REGION, OnViewRegion)
    ON_MESSAGE(WM_SEND_VIEW_SCROLL, OnViewScroll)
    ON_MESSAGE(WM_SEND_FULLSCREEN_ON, OnFullScreenOn)
    ON_MESSAGE(WM_FRAME_DECODED, OnFrameDecoded)
    ON_MESSAGE(WM_SEND_FULLSCREEN_STATE, OnFullScreenState)
    ON_MESSAGE(WM_SEND_CLIPBOARD, OnSendClipboard)
    ON_MESSAGE(WM_STUDENT_CLIPBOARD, OnStudentClipboard)
    ON_MESSAGE(WM_SEND_KW00087, OnSendBare)
    ON_MESSAGE(WM_FILE_PIECE, OnFilePiece)
    ON_MESSAGE(WM_KEEPALIVE_SEEN, OnKeepAliveSeen)
    ON_MESSAGE(WM_SEND_KW00116, OnRestartAnswer)
    ON_MESSAGE(WM_PAD_HOME, OnPadHome)
    ON_MESSAGE(WM_PAD_BACK, OnPadBack)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CCommunicationWnd::CCommunicationWnd(CPCInfo& slot, const RemoteSessionLinks& links, DWORD controlThreadId,
                                     int refreshDelay)
    : m_slot(slot), m_links(links), m_controlThreadId(controlThreadId), m_refreshDelay(refreshDelay),
      m_receiver(std::make_shared<CSessionReceiver>(slot, links))
{
    m_upload.SetProgramFolder(links.programFolder);
}

CCommunicationWnd::~CCommunicationWnd()
{
    // Only when the window went without EndSession (creation failed): nothing is handed back.
    if (m_socket.m_hSocket != INVALID_SOCKET)
        m_socket.Close();
    if (m_pumpThread)
        ::CloseHandle(m_pumpThread);
    m_receiver->Stop(kPacketThreadStopMs);
}

BOOL CCommunicationWnd::CreateHidden(const CRect& rect)
{
    CString title;
    title.Format(L"%d: %s, Comm", m_slot.m_slotNumber.load(), m_slot.GetDisplayName().GetString());
    if (!Create(nullptr, title, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, rect))
        return FALSE;
    m_receiver->SetSessionWindow(m_hWnd);
    return TRUE;
}

BOOL CCommunicationWnd::AttachSocket(SOCKET handle)
{
    if (!m_socket.Attach(handle, CAsyncSocket::kAllEvents))
        return FALSE;
    m_socket.SetOwner(m_hWnd);
    return TRUE;
}

void CCommunicationWnd::LinkViewWindow(HWND view)
{
    m_viewWindow = view;
    m_receiver->SetViewWindow(view);
}

void CCommunicationWnd::Start(const std::shared_ptr<CRemoteInputQueue>& input)
{
    m_input = input;
    if (!m_receiver->Start(PacketThreadProc()))
        TRACE(L"PC:%d packet thread not started: no frames\n", m_slot.m_slotNumber.load());
    if (m_links.inputPump) {
        m_input->SetForwarding(true);
        if (!StartInputPump())
            m_input->SetForwarding(false);
    }
    if (m_links.touchLock) {
        SendText(ForbidKeyboardCommand(false));
        SendText(ForbidMouseCommand(false));
    }
}

AFX_THREADPROC CCommunicationWnd::PacketThreadProc() const
{
    return CSessionReceiver::CommPacketThreadProc;
}

bool CCommunicationWnd::SendText(const std::u16string& text)
{
    if (m_socket.m_hSocket == INVALID_SOCKET)
        return false;
    CPacket packet(FromU16(text));
    return m_socket.SendPacket(packet) != FALSE;
}

bool CCommunicationWnd::SendPacketNow(CPacket& packet)
{
    return m_socket.m_hSocket != INVALID_SOCKET && m_socket.SendPacket(packet);
}

// -- Receiving -----------------------------------------------------------------------------------

// Between packets only: a paused read leaves the student's bytes with the system, whose
// connection then takes no more from the student until the read goes on.
LRESULT CCommunicationWnd::OnSocketReceive(WPARAM, LPARAM lastBytes)
{
    // What a student sent before it went is read all the same (it is no more than the system
    // holds), so that an orderly end said behind a run of frames counts.
    if (m_closing || (m_readPaused && lastBytes != CTCPSocket::kLastBytes))
        return 0;
    auto packet = std::make_unique<CPacket>();
    if (!m_socket.ReceivePacket(*packet))
        return 0;   // not whole yet, or the socket is closed (its close message follows)
    if (!m_receiver->Queue(std::move(packet))) {
        TRACE(L"PC:%d sends faster than it is shown: reading waits\n", m_slot.m_slotNumber.load());
        m_readPaused = true;
    }
    return 0;
}

// The reads that were let pass meanwhile announced nothing more: one read asks the system again.
LRESULT CCommunicationWnd::OnQueueRoom(WPARAM, LPARAM)
{
    m_readPaused = false;
    return OnSocketReceive(0, 0);
}

LRESULT CCommunicationWnd::OnSocketClose(WPARAM, LPARAM)
{
    if (m_ended)
        return 0;
    m_closing = true;
    if (m_input) {
        m_input->SetForwarding(false);
        m_input->StopPump();
    }
    if (m_viewWindow)
        ::PostMessageW(m_viewWindow, WM_CLOSE, 0, 0);
    EndSession(true);
    return 0;
}

// -- Input ---------------------------------------------------------------------------------------

bool CCommunicationWnd::StartInputPump()
{
    auto* context = new PumpContext{m_input, m_hWnd};
    CWinThread* pump = AfxBeginThread(CommInputPumpThreadProc, context, THREAD_PRIORITY_ABOVE_NORMAL, 0, CREATE_SUSPENDED);
    if (!pump) {
        delete context;
        return false;
    }
    ::DuplicateHandle(::GetCurrentProcess(), pump->m_hThread, ::GetCurrentProcess(), &m_pumpThread, SYNCHRONIZE,
                      FALSE, 0);
    pump->ResumeThread();
    return true;
}

UINT __cdecl CCommunicationWnd::CommInputPumpThreadProc(LPVOID param)
{
    std::unique_ptr<PumpContext> context(static_cast<PumpContext*>(param));
    // At most one flush a tick while input flows; at rest until the next record otherwise.
    while (!context->input->IsPumpStopped() && ::IsWindow(context->window)) {
        if (!context->input->ClaimFlush()) {
            context->input->WaitForInput(kPumpIdleWakeMs);
            continue;
        }
        if (!::PostMessageW(context->window, WM_FLUSH_INPUT, 0, 0))
            context->input->FlushDone();
        ::Sleep(1);
    }
    return 0;
}

void CCommunicationWnd::StopInputPump()
{
    if (m_input) {
        m_input->SetForwarding(false);
        m_input->StopPump();
    }
    if (m_pumpThread && !WaitPumpingMessages(m_pumpThread, kPumpStopMs))
        TRACE(L"PC:%d input pump still running at the end of the session\n", m_slot.m_slotNumber.load());
}

LRESULT CCommunicationWnd::OnFlushInput(WPARAM, LPARAM)
{
    if (!m_input)
        return 0;
    // Records queued from here on ask for a flush of their own.
    m_input->FlushDone();
    if (m_closing || m_socket.m_hSocket == INVALID_SOCKET)
        return 0;
    std::vector<KeyEntry> keys = m_input->TakeKeys();
    if (!keys.empty()) {
        CPacket packet(std::move(keys));
        SendPacketNow(packet);
    }
    std::vector<MouseEntry> mice = m_input->TakeMice();
    if (!mice.empty()) {
        CPacket packet(std::move(mice));
        SendPacketNow(packet);
    }
    return 0;
}

// -- Commands ------------------------------------------------------------------------------------

LRESULT CCommunicationWnd::OnSpecialKey(WPARAM, LPARAM)
{
    SendText(SpecialKeyCommand());
    return 0;
}

LRESULT CCommunicationWnd::OnToggleSound(WPARAM, LPARAM)
{
    CSoundPlayer& sound = m_receiver->Sound();
    if (sound.IsOn()) {
        SendText(StudentSoundCommand(false));
        sound.Stop();
        return 0;
    }
    const CSoundPlayer::StartResult started = sound.Start(m_hWnd);
    if (started != CSoundPlayer::kStarted)
        return started;
    SendText(StudentSoundCommand(true));
    return 0;
}

LRESULT CCommunicationWnd::OnChatText(WPARAM wParam, LPARAM)
{
    const CString* text = reinterpret_cast<const CString*>(wParam);
    if (text)
        SendText(ChatLineCommand(ToU16(*text), ToU16(m_slot.GetVersion())));
    return 0;
}

LRESULT CCommunicationWnd::OnViewRegion(WPARAM wParam, LPARAM)
{
    const RECT* rect = reinterpret_cast<const RECT*>(wParam);
    if (rect)
        SendText(ViewerRegionCommand(rect->top, rect->left, rect->right - rect->left, rect->bottom - rect->top));
    return 0;
}

LRESULT CCommunicationWnd::OnViewScroll(WPARAM wParam, LPARAM lParam)
{
    SendText(ViewerScrollCommand(static_cast<int>(wParam), static_cast<int>(lParam)));
    return 0;
}

LRESULT CCommunicationWnd::OnFullScreenOn(WPARAM wParam, LPARAM)
{
    SendText(ViewerFullScreenToggleCommand(wParam == 1));
    return 0;
}

LRESULT CCommunicationWnd::OnFrameDecoded(WPARAM, LPARAM lParam)
{
    SendText(FrameAcknowledgeCommand(static_cast<int>(lParam)));
    return 0;
}

LRESULT CCommunicationWnd::OnFullScreenState(WPARAM wParam, LPARAM)
{
    SendText(ViewerFullScreenCommand(wParam == 1));
    return 0;
}

LRESULT CCommunicationWnd::OnSendClipboard(WPARAM, LPARAM)
{
    CString text;
    if (ReadClipboardText(text))
        SendText(ClipboardTextCommand(13, ToU16(text)));
    return 0;
}

LRESULT CCommunicationWnd::OnStudentClipboard(WPARAM wParam, LPARAM format)
{
    std::unique_ptr<CString> text = AfxTakePosted<CString>(wParam);
    if (text && !CopyTextToClipboard(m_hWnd, static_cast<UINT>(format), text->GetString()))
        TRACE(L"PC:%d clipboard text not taken\n", m_slot.m_slotNumber.load());
    return 0;
}

LRESULT CCommunicationWnd::OnSendBare(WPARAM, LPARAM)
{
    SendText(SessionBareCommand());
    return 0;
}

LRESULT CCommunicationWnd::OnFilePiece(WPARAM wParam, LPARAM)
{
    const CPacket* piece = reinterpret_cast<const CPacket*>(wParam);
    if (!piece || m_closing)
        return 0;
    switch (m_upload.Accept(*piece, m_slot.GetClassText())) {
    case CUploadReceiver::Result::Ignored: break;
    case CUploadReceiver::Result::Written: SendText(FilePieceAnswerCommand(true)); break;
    case CUploadReceiver::Result::Refused: SendText(FilePieceAnswerCommand(false)); break;
    }
    return 0;
}

LRESULT CCommunicationWnd::OnKeepAliveSeen(WPARAM, LPARAM)
{
    SendText(KeepAliveAnswerCommand());
    return 0;
}

LRESULT CCommunicationWnd::OnRestartAnswer(WPARAM, LPARAM)
{
    SendText(RestartAnswerCommand());
    return 0;
}

LRESULT CCommunicationWnd::OnPadHome(WPARAM, LPARAM)
{
    SendText(PadKeyCommand(true));
    return 0;
}

LRESULT CCommunicationWnd::OnPadBack(WPARAM, LPARAM)
{
    SendText(PadKeyCommand(false));
    return 0;
}

// -- The end -------------------------------------------------------------------------------------

void CCommunicationWnd::OnClose()
{
    if (m_closing)
        return;
    m_closing = true;
    StopInputPump();
    StopStudentSound();
    m_slot.m_chatWindow.CloseChat();
    m_upload.Close();
    EndSession(false);
}

void CCommunicationWnd::StopStudentSound()
{
    SendText(StudentSoundCommand(false));
    if (m_receiver->Sound().IsOn())
        m_receiver->Sound().Stop();
}

// The packet thread is joined first (bounded), so nothing is decoded into the slot once the
// student's thread has the connection again; then the socket goes back to the view, which
// resumes the student's thread with it. A lost student gives back nothing, but what it said
// before it went (its orderly end among it) is acted on before the view hears of the loss.
void CCommunicationWnd::EndSession(bool studentLost)
{
    if (m_ended)
        return;
    m_ended = true;
    if (!m_receiver->Stop(kPacketThreadStopMs, studentLost))
        TRACE(L"PC:%d packet thread still busy at the end of the session\n", m_slot.m_slotNumber.load());
    m_upload.Close();   // an upload cut off by the end stays as far as it came
    SOCKET handle = INVALID_SOCKET;
    if (m_socket.m_hSocket != INVALID_SOCKET) {
        if (studentLost) {
            m_socket.ShutdownBoth();
            m_socket.Close();
        } else {
            handle = m_socket.Detach();
        }
    }
    if (!m_links.view || !::PostMessageW(m_links.view, WM_SESSION_CLOSED, reinterpret_cast<WPARAM>(&m_slot),
                                         static_cast<LPARAM>(handle))) {
        TRACE(L"PC:%d no view to take the connection back\n", m_slot.m_slotNumber.load());
        if (handle != INVALID_SOCKET)
            ::closesocket(handle);
    }
    ::PostThreadMessageW(m_controlThreadId, WM_QUIT, 0, 0);
    DestroyWindow();   // deletes this window object
}
