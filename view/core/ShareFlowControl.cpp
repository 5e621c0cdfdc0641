#include "view/core/ShareFlowControl.h"

namespace {

constexpr int64_t kMaxFramesAhead = 3;
constexpr uint32_t kStaleFrameAge = 30;

void MarkSent(ShareFlowState& flow, int current, bool catchUpOnly)
{
    flow.sent = current;
    if (catchUpOnly) flow.missedFrame = false;
}

} // namespace

void ShareFlowState::StartSharing()
{
    sent = 0;
    acknowledged = 0;
    resyncMarker = -1;
    missedFrame = true;
}

void ShareFlowState::Acknowledge(int frame)
{
    acknowledged = frame;
    resyncMarker = -1;
}

bool ShouldSendShareFrame(ShareFlowState& flow, const ShareSlotState& slot, int current, bool catchUpOnly)
{
    if (slot.remoteSessionOpen || slot.presentationRight) {
        flow.missedFrame = true;
        return false;
    }
    if (!slot.hasStudentThread) return false;
    if (catchUpOnly && !flow.missedFrame) return false;
    // The acknowledged number is the student's word: 64-bit differences keep a hostile one from
    // overflowing, and the frame age is taken as the unsigned 32-bit difference.
    const bool fewAhead = static_cast<int64_t>(flow.sent) - flow.acknowledged < kMaxFramesAhead;
    const bool stale = static_cast<uint32_t>(current) - static_cast<uint32_t>(flow.sent) > kStaleFrameAge;
    if (fewAhead || stale) {
        MarkSent(flow, current, catchUpOnly);
        return true;
    }
    if (flow.resyncMarker == -1) {
        MarkSent(flow, current, catchUpOnly);
        flow.resyncMarker = flow.acknowledged;
        return true;
    }
    flow.missedFrame = true;
    return false;
}
