#include "sessions/RemoteKeyInput.h"

#include "sessions/RemoteInputQueue.h"

namespace {

bool ShiftOrCtrlDown()
{
    return ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0;
}

bool AltDown()
{
    return ::GetKeyState(VK_MENU) < 0;
}

void QueueKey(CRemoteInputQueue& input, UINT message, UINT key, UINT repeat, UINT flags)
{
    KeyEntry entry;
    entry.message = static_cast<uint16_t>(message);
    entry.virtualKey = key;
    entry.repeatCount = repeat;
    entry.flags = flags;
    input.AddKey(entry);
}

} // namespace

void QueueRemoteKeyDown(CRemoteInputQueue& input, UINT key, UINT repeat, UINT flags)
{
    if (key != VK_PROCESSKEY && key != VK_HANGUL && input.IsForwarding() && key < 256)
        QueueKey(input, WM_KEYDOWN, key, repeat, flags);
}

void QueueRemoteKeyUp(CRemoteInputQueue& input, UINT key, UINT repeat, UINT flags)
{
    if (!input.IsForwarding() || key >= 256)
        return;
    if (key == VK_SNAPSHOT)
        QueueKey(input, WM_KEYDOWN, key, repeat, flags);
    QueueKey(input, WM_KEYUP, key, repeat, flags);
}

bool QueueRemoteSystemKey(CRemoteInputQueue* input, const MSG& msg, bool altF4Closes)
{
    const UINT key = static_cast<UINT>(msg.wParam);
    const UINT repeat = LOWORD(msg.lParam);
    const UINT flags = HIWORD(msg.lParam);
    const bool down = msg.message == WM_SYSKEYDOWN;
    const bool plain = !ShiftOrCtrlDown();
    if (key == VK_F4 && AltDown())
        return down && !altF4Closes;   // the key-up goes on normally
    if (!input || !input->IsForwarding())
        return true;
    if (key == VK_F10 && plain && !AltDown()) {
        QueueKey(*input, down ? WM_KEYDOWN : WM_KEYUP, VK_F10, 1, down ? 68 : 0xC044);
    } else if (key == VK_MENU && plain) {
        QueueKey(*input, down ? WM_KEYDOWN : WM_KEYUP, VK_MENU, 1, down ? 38 : 0xC026);
    } else if (down) {
        QueueKey(*input, WM_KEYDOWN, key, repeat, flags);
    } else {
        QueueRemoteKeyUp(*input, key, repeat, flags);
    }
    return true;
}
