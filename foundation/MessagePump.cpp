#include "foundation/MessagePump.h"

#include "framework/WinThread.h"

namespace {

const DWORD kPassSleepMs = 5;

// False when WM_QUIT came up (it has been posted again).
bool DispatchOne(MSG& msg)
{
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

// Serves what is queued; false when WM_QUIT came up (posted again).
bool DispatchQueued()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        CWinThread* thread = CWinThread::GetCurrent();
        if (!msg.hwnd && thread) {
            thread->DispatchThreadMessage(&msg);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

} // namespace

bool WaitPumpingMessages(HANDLE handle, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs)
            return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        const DWORD woken = MsgWaitForMultipleObjects(1, &handle, FALSE, timeoutMs - spent, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            return true;
        if (woken == WAIT_FAILED || !DispatchQueued())
            return false;
    }
}

bool PumpMessagesUntil(bool (*done)(void*), void* context, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done(context)) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        if (!DispatchQueued())
            return done(context);
    }
    return true;
}

void PumpMessagesWait(DWORD milliseconds, int mode)
{
    const DWORD passes = milliseconds / kPassSleepMs;
    const DWORD start = GetTickCount();
    for (DWORD pass = 0; pass <= passes; ++pass) {
        MSG msg;
        if (mode == 1) {
            if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) && !DispatchOne(msg)) return;
            if (GetTickCount() - start > milliseconds) return;
        } else {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                if (!DispatchOne(msg)) return;
        }
        Sleep(kPassSleepMs);
    }
}
