#include "foundation/MessagePump.h"

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

} // namespace

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
