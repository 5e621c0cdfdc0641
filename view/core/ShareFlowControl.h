// Flow control of the class screen share: a student is sent a frame while it is fewer than 3
// frames behind on its acknowledgements ("[PC00025]"), when its last frame is more than 30 frames
// old, or once per acknowledgement while it lags (the resync marker); otherwise it is marked as
// having missed a frame and gets one of the catch-up frames later.
#pragma once

#include <cstdint>

struct ShareFlowState {
    int sent = 0;               // last frame number sent
    int acknowledged = 0;       // last frame number the student acknowledged
    int resyncMarker = -1;      // -1: none; else the acknowledgement a resync frame was sent at
    bool missedFrame = false;

    // At admission while the share runs: the next frame goes out at once.
    void StartSharing();
    // "[PC00025]" n.
    void Acknowledge(int frame);
};

struct ShareSlotState {
    bool remoteSessionOpen = false;
    bool presentationRight = false;
    bool hasStudentThread = false;
};

// Whether frame number current goes to the slot; updates the flow state. catchUpOnly is set for
// a frame that only students that missed one receive.
bool ShouldSendShareFrame(ShareFlowState& flow, const ShareSlotState& slot, int current, bool catchUpOnly);
