#include "sessions/RemoteKeyInput.h"

#include "sessions/CommunicationWnd.h"
#include "sessions/core/RemoteKeyRules.h"

namespace {

HeldKeys ReadHeldKeys()
{
    HeldKeys held;
    held.shiftOrCtrl = ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0;
    held.alt = ::GetKeyState(VK_MENU) < 0;
    return held;
}

void Queue(CRemoteInputQueue& input, const std::vector<KeyEntry>& records)
{
    for (const KeyEntry& record : records)
        CCommunicationWnd::QueueKeyEvent(input, record.message, record.virtualKey, record.repeatCount, record.flags);
}

} // namespace

void QueueRemoteKeyDown(CRemoteInputQueue& input, UINT key, UINT repeat, UINT flags)
{
    if (input.IsForwarding())
        Queue(input, RemoteKeyDownRecords(key, repeat, flags));
}

bool QueueRemoteSystemKey(CRemoteInputQueue* input, const MSG& msg, bool altF4Closes)
{
    const SystemKeyOutcome outcome =
        RemoteSystemKeyRecords(msg.message == WM_SYSKEYDOWN, static_cast<UINT>(msg.wParam), LOWORD(msg.lParam),
                               HIWORD(msg.lParam), ReadHeldKeys(), altF4Closes);
    if (input && input->IsForwarding())
        Queue(*input, outcome.records);
    return outcome.consumed;
}
