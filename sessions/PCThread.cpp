#include "sessions/PCThread.h"

#include "foundation/AppMessages.h"
#include "foundation/Packet.h"
#include "framework/AsyncSocket.h"
#include "framework/PostOwned.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "sessions/PCThreadWnd.h"
#include "sessions/PadShareSwitch.h"
#include "sessions/SlotChat.h"
#include "sessions/core/ActivityCommands.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/WireTags.h"

#include <objbase.h>

#include <memory>

namespace {

constexpr int kTeacherToStudentKind = 2;
// How long a lent socket waits for its remote session to take it.
constexpr DWORD kHandOverTimeoutMs = 10000;

} // namespace

IMPLEMENT_DYNCREATE(CPCThread, CWinThread)

BEGIN_MESSAGE_MAP(CPCThread, CWinThread)
    ON_THREAD_MESSAGE(WM_SEND_COMMAND_TEXT, OnSendCommand)
    ON_THREAD_MESSAGE(WM_THREAD_START, OnAttachSocket)
    ON_THREAD_MESSAGE(WM_SEND_GROUP_PACKET, OnSendPacket)
    ON_THREAD_MESSAGE(WM_SEND_PACKET, OnSendPacket)
    ON_THREAD_MESSAGE(WM_OPEN_CHAT, OnOpenChat)
END_MESSAGE_MAP()

CPCThread::CPCThread()
{
    m_resumeEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

CPCThread::~CPCThread()
{
    if (m_resumeEvent)
        ::CloseHandle(m_resumeEvent);
}

CPCThread* CPCThread::Start(CPCInfo* slot, const StudentThreadLinks& links, SOCKET socket,
                            int connectionId)
{
    if (!slot || socket == INVALID_SOCKET)
        return nullptr;
    CPCThread* thread = new CPCThread();
    if (!thread->m_resumeEvent) {
        delete thread;
        return nullptr;
    }
    thread->m_slot = slot;
    thread->m_links = links;
    thread->m_connectionId = connectionId;
    // Suspended until its fields are set; it then reads them on its own thread.
    if (!AfxStartThread(thread, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED))
        return nullptr;
    thread->m_socketHandle = socket;
    ReserveSeat(slot, connectionId);
    slot->m_pcThread = thread;
    slot->m_pcThreadId = thread->m_nThreadID;
    const DWORD threadId = thread->m_nThreadID;
    thread->ResumeThread();
    // From here the thread may end at any time: only its id is used.
    if (!AfxPostToRunningThread(threadId, WM_THREAD_START, 0, 0))
        TRACE(L"PC:%d thread ended before it could take its socket\n", slot->m_slotNumber.load());
    return thread;
}

void CPCThread::ReserveSeat(CPCInfo* slot, int connectionId)
{
    // Heard first, then online.
    const DWORD now = ::GetTickCount();
    slot->m_lastImageTick = now;
    slot->m_lastHeardTick = now;
    slot->SetOnline(connectionId);
}

void CPCThread::ResumeAfterSession()
{
    ::SetEvent(m_resumeEvent);
}

BOOL CPCThread::InitInstance()
{
    m_comStarted = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!AfxSocketInit()) {
        CString text;
        if (!text.LoadString(IDS_SOCKETS_INIT_FAILED))
            text = L"Windows sockets initialization failed.";
        ::MessageBoxW(nullptr, text, nullptr, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

int CPCThread::ExitInstance()
{
    if (m_slot && m_slot->m_chatWindow.IsOnThisThread())
        m_slot->m_chatWindow.CloseChat();
    if (m_wnd)
        m_wnd->DestroyWindow();   // deletes the window; its socket is closed
    if (m_socketHandle != INVALID_SOCKET) {
        ::closesocket(m_socketHandle);   // never attached
        m_socketHandle = INVALID_SOCKET;
    }
    ReleaseSlot();
    if (m_comStarted)
        ::CoUninitialize();
    return CWinThread::ExitInstance();
}

// The seat forgets this thread only while it still holds this connection.
void CPCThread::ReleaseSlot()
{
    if (!m_slot)
        return;
    CCriticalSectionLock lock(m_slot->GetLock());
    const bool wasOurs = m_slot->MarkOffline(m_connectionId) ||
                         m_slot->m_pcThread.load() == this;
    CPCThread* self = this;
    if (m_slot->m_pcThread.compare_exchange_strong(self, nullptr))
        m_slot->m_pcThreadId = 0;
    if (wasOurs) {
        m_slot->m_controlThread = nullptr;
        GiveUpPresentationRight();
    }
}

void CPCThread::GiveUpPresentationRight()
{
    if (!m_slot || m_slot->m_screenControl.exchange(0) == 0)
        return;
    g_padShareRunning = 0;
    if (!m_links.view || !::PostMessageW(m_links.view, WM_PRESENTATION_RIGHT_FREED,
                                         static_cast<WPARAM>(m_slot->m_slotNumber.load()),
                                         static_cast<LPARAM>(m_connectionId)))
        TRACE(L"PC:%d the view missed the end of its presentation right\n", m_slot->m_slotNumber.load());
}

void CPCThread::OnDiscardMessage(const MSG& msg)
{
    switch (msg.message) {
    case WM_SEND_COMMAND_TEXT: {
        std::unique_ptr<wchar_t[]> text = AfxTakePosted<wchar_t[]>(msg.wParam);
        // A socket given back with "[KW00003]" would otherwise stay open with nobody reading it.
        if (text && msg.lParam != 0 && IsTag(ToU16(CString(text.get())), kTagThumbnailSize))
            ::closesocket(static_cast<SOCKET>(msg.lParam));
        // The transfer dialog waits for a result of every file it asked for.
        if (text && IsTag(ToU16(CString(text.get())), kTagStartFileSend))
            ReportUnsentFile(CString(text.get()), reinterpret_cast<HWND>(msg.lParam));
        break;
    }
    case WM_SEND_PACKET:
    case WM_SEND_GROUP_PACKET:
        AfxTakePosted<CPacket>(msg.wParam);
        break;
    default:
        break;
    }
}

void CPCThread::OnWindowDestroyed()
{
    // Only our own: the seat may serve another student's window by now.
    HWND published = m_publishedWindow;
    if (m_slot && published)
        m_slot->m_socketWindow.compare_exchange_strong(published, nullptr);
    m_publishedWindow = nullptr;
    m_wnd = nullptr;
}

// -- Thread messages -----------------------------------------------------------------------------

void CPCThread::OnAttachSocket(WPARAM, LPARAM)
{
    if (m_wnd || !m_slot || m_socketHandle == INVALID_SOCKET)
        return;
    std::unique_ptr<CPCThreadWnd> wnd(new CPCThreadWnd(*this, *m_slot, m_links));
    if (!wnd->CreateMessageOnly()) {
        TRACE(L"PC:%d socket window could not be made\n", m_slot->m_slotNumber.load());
        ::PostQuitMessage(0);
        return;
    }
    m_wnd = wnd.release();   // deleted when its window is destroyed
    m_pMainWnd = m_wnd;
    if (!m_wnd->AttachSocket(m_socketHandle)) {
        TRACE(L"PC:%d socket could not be attached\n", m_slot->m_slotNumber.load());
        m_wnd->DestroyWindow();
        return;
    }
    m_socketHandle = INVALID_SOCKET;
    m_publishedWindow = m_wnd->GetSafeHwnd();
    m_slot->m_socketWindow = m_publishedWindow;
    const DWORD now = ::GetTickCount();
    m_slot->m_lastImageTick = now;
    m_slot->m_lastHeardTick = now;
}

void CPCThread::OnOpenChat(WPARAM, LPARAM)
{
    if (m_wnd && m_wnd->IsSocketOpen() && OpenChatWindow(*m_slot, m_wnd->GetSafeHwnd()))
        m_slot->m_chatWindow.BringToFront();
}

void CPCThread::OnSendPacket(WPARAM wParam, LPARAM)
{
    std::unique_ptr<CPacket> packet = AfxTakePosted<CPacket>(wParam);
    if (packet && m_wnd)
        m_wnd->SendPacketNow(*packet);
}

void CPCThread::OnSendCommand(WPARAM wParam, LPARAM lParam)
{
    std::unique_ptr<wchar_t[]> text = AfxTakePosted<wchar_t[]>(wParam);
    if (!text)
        return;
    HandleCommand(CString(text.get()), lParam);
}

void CPCThread::HandleCommand(const CString& text, LPARAM lParam)
{
    if (text.GetLength() < static_cast<int>(kTagLength))
        return;
    const std::u16string wire = ToU16(text);
    if (IsTag(wire, kTagRemoteSession)) {
        LendSocket(text, static_cast<wchar_t>(RemoteSessionMode(wire)));
    } else if (IsTag(wire, kTagThumbnailSize)) {
        if (lParam != 0)
            TakeSocketBack(static_cast<SOCKET>(lParam));
        SendIfOpen(text);
    } else if (IsTag(wire, kTagEndSession)) {
        EndSession(text);
    } else if (IsTag(wire, kTagStartFileSend)) {
        StartFileSend(text, reinterpret_cast<HWND>(lParam));
    } else if (IsTag(wire, kTagFileSendResult)) {
        ReportInternalFileResult(CommandNumber(wire));
    } else if (IsTag(wire, kTagStopFileSend)) {
        StopFileSend(text);
    } else if (IsTag(wire, kTagFileSendProgress)) {
        ReportFileProgress();
    } else if (IsTag(wire, kTagScrollPosition)) {
        if (m_wnd)
            m_wnd->SetScrollValue(CommandNumber(wire));
    } else if (IsTag(wire, kTagScreenControlRight)) {
        // The presentation right follows what the student is told: only its holder may play
        // input on the teacher PC.
        m_slot->m_screenControl = ArgumentsOf(wire) == u"true" ? 1 : 0;
        SendIfOpen(text);
    } else {
        SendIfOpen(text);
    }
}

void CPCThread::SendIfOpen(const CString& text)
{
    if (m_wnd)
        m_wnd->SendText(text);
}

// -- Remote session hand-over --------------------------------------------------------------------

void CPCThread::LendSocket(const CString& text, wchar_t mode)
{
    UINT message = 0;
    switch (mode) {
    case L'1': message = WM_SESSION_ACCEPTED; break;
    case L'2': message = WM_SESSION_ACCEPTED_MODE2; break;
    case L'3': message = WM_SUM_SESSION_ACCEPTED; break;
    default: return;
    }
    if (!m_wnd || !m_wnd->IsSocketOpen() || !m_wnd->SendText(text))
        return;
    const SOCKET handle = m_wnd->DetachSocket();
    // The session has a chat of its own, owned by its window's thread.
    m_slot->m_chatWindow.CloseChat();
    ::ResetEvent(m_resumeEvent);
    m_slot->OfferLentSocket(handle);
    if (!m_links.view || !::PostMessageW(m_links.view, message, static_cast<WPARAM>(handle),
                                         reinterpret_cast<LPARAM>(m_slot))) {
        m_slot->TakeLentSocket(handle);
        ServeAgain(handle);
        return;
    }
    // A session that does not take the socket soon never will: serve the connection again
    // rather than leave the student frozen.
    if (!WaitForResume(kHandOverTimeoutMs) && m_slot->TakeLentSocket(handle)) {
        ServeAgain(handle);
        return;
    }
    WaitForResume(INFINITE);
    DropChatRequests();
}

void CPCThread::DropChatRequests()
{
    MSG msg;
    while (::PeekMessageW(&msg, reinterpret_cast<HWND>(-1), WM_OPEN_CHAT, WM_OPEN_CHAT, PM_REMOVE)) {
    }
}

void CPCThread::ServeAgain(SOCKET handle)
{
    TRACE(L"PC:%d nobody took the connection, the thread serves it again\n", m_slot->m_slotNumber.load());
    if (!m_wnd->AttachSocket(handle))
        ::closesocket(handle);
}

// Blocks until the view has ended the remote session. Messages sent to this thread's windows
// meanwhile are still answered, so no sender hangs on a thread that lent its socket.
bool CPCThread::WaitForResume(DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        DWORD left = INFINITE;
        if (timeoutMs != INFINITE) {
            const DWORD waited = ::GetTickCount() - start;
            if (waited >= timeoutMs)
                return false;
            left = timeoutMs - waited;
        }
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &m_resumeEvent, FALSE, left, QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            return true;
        if (woken == WAIT_TIMEOUT)
            return false;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void CPCThread::TakeSocketBack(SOCKET handle)
{
    if (!m_wnd) {
        ::closesocket(handle);
        return;
    }
    if (m_wnd->IsSocketOpen()) {
        // Not lent: a different handle is a stray that nobody else will close.
        if (handle != m_wnd->GetSocketHandle()) {
            TRACE(L"PC:%d already has a socket; the one given is closed\n", m_slot->m_slotNumber.load());
            ::closesocket(handle);
        }
        return;
    }
    if (!m_wnd->AttachSocket(handle)) {
        ::closesocket(handle);
        return;
    }
    // The remote session may have been long: the heartbeat counts from the return.
    m_slot->m_lastHeardTick = ::GetTickCount();
}

void CPCThread::EndSession(const CString& text)
{
    if (!m_wnd) {
        ::PostQuitMessage(0);
        return;
    }
    m_wnd->StopReceiving();
    m_wnd->SendText(text);
    m_wnd->PostMessage(WM_CLOSE);
}

// -- File sending --------------------------------------------------------------------------------

bool CPCThread::TakeFileSend(const CString& text, HWND transferWindow, char16_t& overwriteFlag)
{
    std::u16string path;
    if (!ReadStartFileSend(ToU16(text), overwriteFlag, path))
        return false;
    m_transferWindow = transferWindow;
    m_transferPath = FromU16(path);
    return true;
}

void CPCThread::StartFileSend(const CString& text, HWND transferWindow)
{
    char16_t overwriteFlag = 0;
    if (!TakeFileSend(text, transferWindow, overwriteFlag))
        return;
    if (!m_wnd) {
        ReportFileResult(FileSendStatus::ConnectionLost);
        return;
    }
    m_wnd->SendText(FromU16(FileHeaderCommand(overwriteFlag)));
    FileSendStatus failure = FileSendStatus::Done;
    if (!m_wnd->StartFileSend(m_transferPath, kTeacherToStudentKind, failure))
        ReportFileResult(failure);
}

void CPCThread::StopFileSend(const CString& text)
{
    if (m_wnd) {
        m_wnd->StopFileSend();
        m_wnd->SendText(text);
    }
}

// A start command that comes when this thread has ended: the student is gone.
void CPCThread::ReportUnsentFile(const CString& text, HWND transferWindow)
{
    char16_t overwriteFlag = 0;
    if (TakeFileSend(text, transferWindow, overwriteFlag))
        ReportFileResult(FileSendStatus::ConnectionLost);
}

// "[KW00011]%d": 0 done, -1 read failed, -2 open failed, -3 connection lost; any other number
// reports nothing.
void CPCThread::ReportInternalFileResult(int result)
{
    switch (result) {
    case 0: ReportFileResult(FileSendStatus::Done); break;
    case -1: ReportFileResult(FileSendStatus::ReadFailed); break;
    case -2: ReportFileResult(FileSendStatus::OpenFailed); break;
    case -3: ReportFileResult(FileSendStatus::ConnectionLost); break;
    default: break;
    }
}

void CPCThread::ReportFileResult(FileSendStatus status)
{
    if (status == FileSendStatus::Done && m_wnd && m_wnd->GetFileSender().GetPieceCount() == 0)
        PostTransferMessage(WM_TRANSFER_STATUS, 100);
    PostTransferMessage(WM_TRANSFER_PROGRESS, static_cast<int>(status));
}

void CPCThread::ReportFileProgress()
{
    if (m_wnd)
        PostTransferMessage(WM_TRANSFER_STATUS, m_wnd->GetFileSender().GetPercent());
}

void CPCThread::PostTransferMessage(UINT message, int value)
{
    if (!m_transferWindow)
        return;
    const int slotNumber = m_slot ? m_slot->m_slotNumber.load() : 0;
    const LPARAM lParam = static_cast<LPARAM>((static_cast<UINT>(slotNumber) << 16) |
                                              (static_cast<UINT>(value) & 0xFFFF));
    if (!PostOwnedMessage(m_transferWindow, message, std::make_unique<CString>(m_transferPath), lParam))
        TRACE(L"Transfer window gone: message 0x%X dropped\n", message);
}
