// The hand-held remote-controller app (its link is CRemoconLink) and the stream of the teacher's
// screen to the one pad that holds the presentation right and asked to see it.
#include "view/WendmarkView.h"
#include "view/core/ViewTimerRules.h"

#include "foundation/Packet.h"
#include "res/resource.h"
#include "sessions/PadShareSwitch.h"
#include "sessions/core/WireTags.h"
#include "ui/WaitMsgDlg.h"

namespace {

constexpr int kPadShareQuality = 70;
constexpr DWORD kPadRestartWaitMs = 200 * 5;
constexpr DWORD kPadRefusalNoticeMs = 2500;

HWND SocketWindowOf(CPCInfo* slot)
{
    return slot->m_socketWindow.load();
}

} // namespace

// --- The remote-controller app ------------------------------------------------------------------

void CWendmarkView::LinkRemoteApp(const void* socket, const std::u16string& version)
{
    const LifeToken life = Life();
    m_remocon.DropForNewApp();   // lets messages through
    if (!Alive(life))
        return;
    // Looked up again: the pending connection may have gone meanwhile.
    CPCInfo* pending = FindConnection(socket);
    if (!pending)
        return;
    const int connectionId = pending->m_connectionId.load();
    const SOCKET handle = pending->m_socket.Detach();
    RemoveConnection(pending);
    if (handle != INVALID_SOCKET)
        m_remocon.Link(handle, connectionId, FromU16(version));
}

LRESULT CWendmarkView::OnRemoteAppFrame(WPARAM packet, LPARAM)
{
    if (packet)
        m_remocon.OnStreamFrame(*reinterpret_cast<CPacket*>(packet));
    return 0;
}

LRESULT CWendmarkView::OnDisplayChanged(WPARAM, LPARAM)
{
    m_remocon.OnDisplayChange();
    return 0;
}

void CWendmarkView::SendRemoconShareState()
{
    m_remocon.SendShareState();
}

void CWendmarkView::EndRemoteAppAndPadStreams()
{
    m_remocon.Shutdown();
    g_padShareRunning = 0;
    m_padStream.Stop(INFINITE);
}

void CWendmarkView::StopPadStream()
{
    g_padShareRunning = 0;
    m_padStream.Stop();
}

// --- The pad stream -----------------------------------------------------------------------------

bool CWendmarkView::StartPadStream()
{
    CPCInfo* slot = m_presentationSlot;
    if (!slot || !slot->IsOnline() || !IsShareSizeUsable(slot->m_screenWidth.load(), slot->m_screenHeight.load()))
        return false;
    g_padShareRunning = 1;
    g_padShareFrameSeq = 1;
    m_padShareAcked = 0;
    m_padShareSlot = slot;
    ScreenStreamInput input;
    input.target = [slot] { return SocketWindowOf(slot); };
    input.message = WM_PAD_SHARE_FRAME;
    input.canvasWidth = slot->m_screenWidth.load();
    input.canvasHeight = slot->m_screenHeight.load();
    input.quality = kPadShareQuality;
    input.running = &g_padShareRunning;
    input.sequence = &g_padShareFrameSeq;
    input.acknowledged = &m_padShareAcked;
    // The end is the view's to handle, on its own thread: the toolbar changes there.
    const HWND view = GetSafeHwnd();
    input.onEnd = [view](unsigned generation) {
        ::PostMessageW(view, WM_PAD_SHARE_ENDED, MessageMarker, static_cast<LPARAM>(generation));
    };
    if (m_padStream.Start(input, CScreenStreamThread::CaptureScreenToPCThreadProc))
        return true;
    m_padShareSlot = nullptr;
    return false;
}

LRESULT CWendmarkView::OnStartCapture(WPARAM marker, LPARAM)
{
    if (marker == MessageMarker && !StartPadStream())
        TRACE(L"pad share: no pad holds the presentation right, nothing streamed\n");
    return 0;
}

// The stream has ended (the pad stopped it, its connection went, or it could not run): no pad
// is served, and the toolbar no longer shows the share. A worker of a stream restarted since
// is not this stream's end, and the end of a stream to a pad whose right was taken back says
// nothing of the pad that holds the right now.
LRESULT CWendmarkView::OnPadShareEnded(WPARAM marker, LPARAM generation)
{
    if (marker != MessageMarker || static_cast<unsigned>(generation) != m_padStream.Generation())
        return 0;
    CPCInfo* served = m_padShareSlot.exchange(nullptr);
    if (!served || served != m_presentationSlot)
        return 0;
    m_presentationHolder = -1;
    m_broadcastDlg.SetPresentationRightInUse(false);
    return 0;
}

// The teacher reads which pad asked. A pad that asks again while its notice is up adds nothing,
// and nothing here waits: the view's messages go on as before.
LRESULT CWendmarkView::OnPadShareRefused(WPARAM marker, LPARAM slotNumber)
{
    if (marker != MessageMarker || slotNumber < 1 || static_cast<size_t>(slotNumber) > m_slots.size())
        return 0;
    std::unique_ptr<CWaitMsgDlg>& notice = m_padRefusals[static_cast<int>(slotNumber)];
    if (!notice)
        notice = std::make_unique<CWaitMsgDlg>();
    if (notice->IsShown())
        return 0;
    const CPCInfo& slot = *m_slots[static_cast<size_t>(slotNumber) - 1];
    CString text;
    text.Format(LoadText(IDS_PAD_SHARE_NEEDS_RIGHT), static_cast<int>(slotNumber), slot.GetDisplayName().GetString());
    notice->ShowWithoutWaiting(text, kPadRefusalNoticeMs);
    return 0;
}

LRESULT CWendmarkView::OnStopCapture(WPARAM marker, LPARAM)
{
    if (marker == MessageMarker)
        g_padShareRunning = 0;
    return 0;
}

LRESULT CWendmarkView::OnPadShareAck(WPARAM marker, LPARAM frame)
{
    if (marker == MessageMarker)
        m_padShareAcked = static_cast<int>(frame);
    return 0;
}

LRESULT CWendmarkView::OnCaptureKeepAlive(WPARAM marker, LPARAM)
{
    CPCInfo* slot = m_presentationSlot;
    if (marker != MessageMarker || !slot)
        return 0;
    slot->m_lastHeardTick = ::GetTickCount();
    PostCommandToSlot(*slot, kTagKeepAliveAnswer);
    return 0;
}

// Only the pad being streamed to may restart its stream, at most once a period; the restart
// waits for the worker (bounded) on this thread, so none comes while earlier workers are still
// ending.
LRESULT CWendmarkView::OnRestartCapture(WPARAM marker, LPARAM seat)
{
    const CPCInfo* streamed = m_padShareSlot.load();
    if (marker != MessageMarker || g_padShareRunning.load() != 1 || !streamed ||
        streamed->m_slotNumber.load() != static_cast<int>(seat) || m_padRestartWaiting)
        return 0;
    const DWORD since = ::GetTickCount() - m_lastPadRestartTick;
    if (since < kPadRestartSpacingMs) {
        m_padRestartWaiting = true;
        SetTimer(kTimerPadRestart, kPadRestartSpacingMs - since, nullptr);
        return 0;
    }
    RestartPadStream();
    return 0;
}

void CWendmarkView::RestartPadStream()
{
    m_lastPadRestartTick = ::GetTickCount();
    if (g_padShareRunning.load() != 1)
        return;
    if (!m_padStream.MayStart()) {
        TRACE(L"pad share: earlier workers still ending, the stream goes on as it is\n");
        return;
    }
    g_padShareRunning = 0;
    m_padStream.Stop(kPadRestartWaitMs);
    if (StartPadStream())
        m_broadcastDlg.SetPresentationRightInUse(true);
}
