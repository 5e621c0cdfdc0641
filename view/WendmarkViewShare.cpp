// The class screen share on the view's side: the share settings, the start and stop commands to
// every student, the capture worker, and the fan-out of each block with per-student flow control.
#include "view/WendmarkView.h"

#include "activities/screenshare/ShareGlobals.h"
#include "foundation/Packet.h"
#include "sessions/StudentPosting.h"
#include "sessions/core/TeacherCommands.h"
#include "view/core/ShareFlowControl.h"

namespace {

ShareFlowState ReadFlow(const CPCInfo& slot)
{
    ShareFlowState flow;
    flow.sent = slot.m_shareSent.load();
    flow.acknowledged = slot.m_shareAcknowledged.load();
    flow.resyncMarker = slot.m_shareResyncMarker.load();
    flow.missedFrame = slot.m_shareMissedFrame.load() != 0;
    return flow;
}

void WriteFlow(CPCInfo& slot, const ShareFlowState& flow)
{
    slot.m_shareSent = flow.sent;
    // The acknowledgement belongs to the student's thread; only the view's own fields go back,
    // and the resync marker only when this decision set it.
    if (flow.resyncMarker != -1)
        slot.m_shareResyncMarker = flow.resyncMarker;
    slot.m_shareMissedFrame = flow.missedFrame ? 1 : 0;
}

} // namespace

void CWendmarkView::SetShareSettings(const ShareRect& capture, const ShareSettings& settings, int quality)
{
    m_shareCapture = capture;
    m_shareSettings = settings;
    g_shareQuality = quality;
}

void CWendmarkView::PostShareCommand(CPCInfo& slot, const std::u16string& text)
{
    PostCommandToSlot(slot, text);
    PostToSession(slot, text);
}

void CWendmarkView::StartShareFlow(CPCInfo& slot)
{
    ShareFlowState flow;
    flow.StartSharing();
    slot.m_shareSent = flow.sent;
    slot.m_shareAcknowledged = flow.acknowledged;
    slot.m_shareResyncMarker = flow.resyncMarker;
    slot.m_shareMissedFrame = flow.missedFrame ? 1 : 0;
}

void CWendmarkView::SendShareSettings()
{
    const std::u16string command = ShareSettingsCommand(m_shareSettings.canvasWidth, m_shareSettings.canvasHeight,
                                                        m_shareSettings.fullScreen, m_shareSettings.resize);
    for (CPCInfo* slot : m_slots)
        PostShareCommand(*slot, command);
}

void CWendmarkView::StartClassShare()
{
    const std::u16string start = ScreenShareCommand(true);
    for (CPCInfo* slot : m_slots) {
        StartShareFlow(*slot);
        PostShareCommand(*slot, start);
    }
    g_screenSharing = 1;
    g_shareFrameSeq = 0;
    ScreenShareInput input;
    input.view = GetSafeHwnd();
    input.capture = m_shareCapture;
    input.canvasWidth = m_shareSettings.canvasWidth;
    input.canvasHeight = m_shareSettings.canvasHeight;
    if (!m_shareThread.Start(input))
        TRACE(L"screen share: the capture could not start\n");
}

void CWendmarkView::StopClassShare()
{
    const std::u16string stop = ScreenShareCommand(false);
    for (CPCInfo* slot : m_slots)
        PostShareCommand(*slot, stop);
    g_screenSharing = 0;
    m_shareThread.Stop();
}

LRESULT CWendmarkView::OnShareFrameReady(WPARAM packetParam, LPARAM refreshOnly)
{
    const auto* packet = reinterpret_cast<const CPacket*>(packetParam);
    if (!packet)
        return 1;
    for (CPCInfo* slot : m_slots) {
        ShareSlotState state;
        state.remoteSessionOpen = slot->m_controlThread.load() != nullptr;
        state.presentationRight = slot->m_screenControl.load() != 0;
        const DWORD threadId = slot->m_pcThreadId.load();
        state.hasStudentThread = threadId != 0;
        ShareFlowState flow = ReadFlow(*slot);
        const int resyncBefore = flow.resyncMarker;
        const bool send = ShouldSendShareFrame(flow, state, g_shareFrameSeq.load(), refreshOnly != 0);
        if (flow.resyncMarker == resyncBefore)
            flow.resyncMarker = -1;     // unchanged by this decision: leave the slot's as it is
        WriteFlow(*slot, flow);
        if (send && !PostStudentPacket(threadId, std::make_unique<CPacket>(*packet)))
            slot->m_shareMissedFrame = 1;
    }
    return 1;
}
