// Waiting on a UI thread without freezing its windows, and debugger traces.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "framework/AfxTrace.h"

// Dispatches the calling thread's waiting messages, then sleeps 5 ms, for milliseconds / 5 + 1
// passes. Mode 0 empties the queue on every pass; mode 1 dispatches one message per pass and
// also stops once more than the given time has passed. A WM_QUIT met on the way is posted
// again and ends the wait, so the caller's message loop still sees it.
void PumpMessagesWait(DWORD milliseconds, int mode);

// Waits up to timeoutMs for the handle (a thread, an event) while the calling thread's windows
// and thread messages are served; true when it was signalled. WM_QUIT ends the wait early (it is
// posted again) and gives false.
bool WaitPumpingMessages(HANDLE handle, DWORD timeoutMs);
// The same for a condition, tested after every message and at least every 10 ms.
bool PumpMessagesUntil(bool (*done)(void*), void* context, DWORD timeoutMs);

// Formats a text and sends it to the debugger output: the framework's trace under its own name.
inline constexpr auto& DebugTrace = AfxTrace;
