#include "sessions/SessionReceiver.h"

#include "foundation/AppMessages.h"
#include "foundation/MessagePump.h"
#include "foundation/Packet.h"
#include "framework/PostOwned.h"
#include "framework/Time.h"
#include "framework/WinThread.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "sessions/PadReports.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/ReceiveRoutes.h"
#include "sessions/core/RemoteScreen.h"
#include "sessions/core/StudentMessages.h"

#include <objbase.h>

#include <algorithm>

namespace {

// Wakes the packet thread now and then even without packets, to see that it must end.
constexpr DWORD kIdleWakeMs = 250;

CString ChatHeader(const CPCInfo& slot)
{
    CString label;
    label.LoadString(IDS_STUDENT_NUMBER_LABEL);
    CString header;
    header.Format(L"%s From %s %d, %s\n", CTime::GetCurrentTime().Format(L"[%Y-%m-%d %H:%M:%S]").GetString(),
                  label.GetString(), slot.m_slotNumber.load(), slot.GetDisplayName().GetString());
    return header;
}

} // namespace

CSessionReceiver::CSessionReceiver(CPCInfo& slot, const RemoteSessionLinks& links)
    : m_slot(slot), m_links(links)
{
    m_queued = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

CSessionReceiver::~CSessionReceiver()
{
    if (m_thread)
        ::CloseHandle(m_thread);
    if (m_queued)
        ::CloseHandle(m_queued);
}

bool CSessionReceiver::Start(AFX_THREADPROC threadProc)
{
    if (m_thread || !m_queued)
        return false;
    auto* self = new std::shared_ptr<CSessionReceiver>(shared_from_this());
    CWinThread* thread = AfxBeginThread(threadProc, self, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread) {
        delete self;
        return false;
    }
    ::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), &m_thread, SYNCHRONIZE,
                      FALSE, 0);
    m_running = true;
    thread->ResumeThread();
    return true;
}

bool CSessionReceiver::Stop(DWORD timeoutMs, bool handleQueuedTexts)
{
    if (handleQueuedTexts)
        m_handleQueuedTexts = true;
    m_running = false;
    if (m_queued)
        ::SetEvent(m_queued);
    if (!m_thread)
        return true;
    return WaitPumpingMessages(m_thread, timeoutMs);
}

bool CSessionReceiver::Queue(std::unique_ptr<CPacket> packet)
{
    bool room = true;
    {
        CCriticalSectionLock lock(m_queueLock);
        m_queuedBytes += packet->HeldBytes();
        m_queue.push_back(std::move(packet));
        room = m_queuedBytes < kMaxQueuedPacketBytes;
        m_full = !room;
    }
    ::SetEvent(m_queued);
    return room;
}

UINT CSessionReceiver::RunThread(LPVOID param)
{
    std::unique_ptr<std::shared_ptr<CSessionReceiver>> self(static_cast<std::shared_ptr<CSessionReceiver>*>(param));
    const bool com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    (*self)->Run();
    if (com)
        ::CoUninitialize();
    return 0;
}

void CSessionReceiver::Run()
{
    if (!m_decoder.Open()) {
        TRACE(L"PC:%d no image stream: the session shows no frames\n", m_slot.m_slotNumber.load());
        return;
    }
    while (m_running) {
        std::unique_ptr<CPacket> packet = Next();
        if (!packet) {
            ::WaitForSingleObject(m_queued, kIdleWakeMs);
            continue;
        }
        Handle(*packet);
    }
    if (m_handleQueuedTexts)
        HandleQueuedTexts();
    m_decoder.Release();
}

void CSessionReceiver::HandleQueuedTexts()
{
    while (std::unique_ptr<CPacket> packet = Next())
        if (packet->m_type == kPacketText)
            OnText(packet->m_text);
}

std::unique_ptr<CPacket> CSessionReceiver::Next()
{
    std::unique_ptr<CPacket> packet;
    bool roomAgain = false;
    {
        CCriticalSectionLock lock(m_queueLock);
        if (m_queue.empty())
            return nullptr;
        packet = std::move(m_queue.front());
        m_queue.pop_front();
        m_queuedBytes -= std::min(m_queuedBytes, packet->HeldBytes());
        roomAgain = m_full && m_queuedBytes <= kMaxQueuedPacketBytes / 2;
        if (roomAgain)
            m_full = false;
    }
    if (roomAgain) {
        if (HWND session = m_sessionWindow.load())
            ::PostMessageW(session, WM_SESSION_QUEUE_ROOM, 0, 0);
    }
    return packet;
}

void CSessionReceiver::Handle(const CPacket& packet)
{
    uint32_t acknowledge = 0;
    switch (packet.m_type) {
    case kPacketText:
        OnText(packet.m_text);
        break;
    case kPacketImage:
        if (m_decoder.DecodeImage(m_slot, packet, m_lastAccepted, acknowledge))
            OnFrameDecoded(acknowledge);
        break;
    case kPacketScreenBlock:
        if (m_decoder.DecodeTiles(m_slot, packet, m_lastAccepted, acknowledge))
            OnFrameDecoded(acknowledge);
        break;
    case kPacketSound:
        m_sound.Play(packet.m_data, packet.m_dataLength);
        break;
    case kPacketFileChunk:
        // Written and answered by the session window, which owns the connection; sent, so the
        // piece lives until it is written.
        if (HWND session = m_sessionWindow.load())
            ::SendMessageW(session, WM_FILE_PIECE, reinterpret_cast<WPARAM>(&packet), 0);
        break;
    default:
        break;
    }
}

void CSessionReceiver::OnFrameDecoded(uint32_t sequence)
{
    if (HWND view = m_viewWindow.load())
        ::InvalidateRect(view, nullptr, FALSE);
    if (HWND session = m_sessionWindow.load())
        ::PostMessageW(session, WM_FRAME_DECODED, 0, static_cast<LPARAM>(sequence));
}

void CSessionReceiver::OnText(const CString& text)
{
    const std::u16string wire = ToU16(text);
    const std::u16string arguments = ArgumentsOf(wire);
    switch (RouteStudentText(wire, kRemoteSession)) {
    case TextRoute::KeepAlive:
        m_slot.m_lastHeardTick = ::GetTickCount();
        if (HWND session = m_sessionWindow.load())
            ::PostMessageW(session, WM_KEEPALIVE_SEEN, 0, 0);
        break;
    case TextRoute::ScreenSize: OnScreenSize(arguments); break;
    case TextRoute::SoundAnswer:
        switch (ReadSoundAnswer(arguments)) {
        case SoundAnswer::Success: PostToView(WM_SOUND_STATE, 1, 0); break;
        case SoundAnswer::Fail: PostToView(WM_SOUND_STATE, 0, 0); break;
        case SoundAnswer::Other: break;
        }
        break;
    case TextRoute::ChatLine: OnChatLine(arguments); break;
    case TextRoute::ClipboardText:
        if (!m_links.combined)
            OnClipboard(arguments);
        break;
    case TextRoute::ShareFrameAck:
        m_slot.m_shareAcknowledged = ParseLeadingInt(arguments);
        m_slot.m_shareResyncMarker = -1;
        m_slot.m_lastHeardTick = ::GetTickCount();
        break;
    case TextRoute::OrderlyEnd: m_slot.m_orderlyEnd = 1; break;
    case TextRoute::PadState: StorePadState(m_slot, arguments); break;
    case TextRoute::PadPermissions: StorePadPermissions(m_slot, arguments); break;
    case TextRoute::PadAppEvent: LogPadAppEvent(m_slot, m_links.logWindow, arguments); break;
    case TextRoute::Orientation: m_slot.m_orientation = ParseLeadingInt(arguments); break;
    default: break;
    }
}

void CSessionReceiver::OnScreenSize(const std::u16string& arguments)
{
    if (!StoreScreenSize(m_slot, arguments))
        return;
    CScreenDecoder::EnsureFrameBitmap(m_slot);
    PostToView(WM_STUDENT_SCREEN_SIZE, static_cast<WPARAM>(m_slot.m_screenWidth.load()),
               static_cast<LPARAM>(m_slot.m_screenHeight.load()));
}

void CSessionReceiver::OnChatLine(const std::u16string& arguments)
{
    std::u16string text;
    if (!ReadChatLine(arguments, text))
        return;
    // The chat window lives on the view window's thread, which passes the line on.
    auto line = std::make_unique<SessionChatLine>(SessionChatLine{ChatHeader(m_slot), FromU16(text), &m_slot});
    if (!PostOwnedMessage(m_viewWindow.load(), WM_SESSION_CHAT_LINE, std::move(line), 0))
        TRACE(L"PC:%d chat line dropped: no view window\n", m_slot.m_slotNumber.load());
}

// The clipboard is written by the session window, which owns it meanwhile: this thread has no
// window to open it with.
void CSessionReceiver::OnClipboard(const std::u16string& arguments)
{
    int format = 0;
    std::u16string text;
    if (!ReadClipboardText(arguments, format, text))
        return;
    if (!PostOwnedMessage(m_sessionWindow.load(), WM_STUDENT_CLIPBOARD, std::make_unique<CString>(FromU16(text)),
                          static_cast<LPARAM>(format)))
        TRACE(L"PC:%d clipboard text dropped: no session window\n", m_slot.m_slotNumber.load());
}

void CSessionReceiver::PostToView(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HWND view = m_viewWindow.load())
        ::PostMessageW(view, message, wParam, lParam);
}
