// Test helper: runs the calling thread's messages until a condition holds or the time is up.
// It waits for messages to arrive (no sleeping) and dispatches thread messages nowhere.
#pragma once

#include "framework/Afx.h"

#include <functional>

inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            if (done())
                return true;
        }
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

// Dispatches what is queued now, without waiting.
inline void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
