// RemoteSessionStart: what the two threads of a starting remote session and the classroom view
// share until the session runs. Each thread reports here that its window exists (or that it
// failed); the view waits for both, then posts WM_THREAD_START to each, and each thread links
// itself to the other's window from here. Held by shared pointer by all three.
#pragma once

#include "framework/Afx.h"
#include "sessions/RemoteInputQueue.h"

#include <atomic>
#include <memory>

struct RemoteSessionStart {
    enum State { kStarting = 0, kReady = 1, kFailed = -1 };
    std::atomic<int> control{kStarting};
    std::atomic<int> view{kStarting};
    // Each thread, when it ends, asks the other to end too (WM_THREAD_CLOSE): a session whose
    // window is closed before the two are linked still gives its connection back.
    std::atomic<DWORD> controlThreadId{0};
    std::atomic<DWORD> viewThreadId{0};
    std::atomic<HWND> sessionWindow{nullptr};
    std::atomic<HWND> viewWindow{nullptr};
    std::shared_ptr<CRemoteInputQueue> input = std::make_shared<CRemoteInputQueue>();

    bool BothReady() const { return control == kReady && view == kReady; }
    bool Settled() const { return BothReady() || control == kFailed || view == kFailed; }
};
