#include "sessions/InputInjection.h"

#include "sessions/PCInfo.h"
#include "sessions/core/KeyEvents.h"

#include <atomic>

namespace {

constexpr uint32_t kCtrlHeld = 8;
constexpr uint32_t kShiftHeld = 4;
constexpr WORD kHangulKey = 0x15;

UINT PlayWithSendInput(UINT count, INPUT* inputs)
{
    return ::SendInput(count, inputs, sizeof(INPUT));
}

std::atomic<InputSender> g_inputSender{&PlayWithSendInput};

void Play(std::vector<INPUT>& inputs)
{
    if (inputs.empty())
        return;
    InputSender sender = g_inputSender.load();
    const UINT played = sender(static_cast<UINT>(inputs.size()), inputs.data());
    if (played != inputs.size())
        TRACE(L"Input: %u of %u events played\n", played, static_cast<UINT>(inputs.size()));
}

INPUT KeyboardInput(WORD virtualKey, WORD scanCode, DWORD flags, DWORD time = 0)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    input.ki.time = time;
    return input;
}

INPUT KeyboardInput(const KeyEvent& event)
{
    return KeyboardInput(event.virtualKey, event.scanCode, event.flags);
}

} // namespace

bool MayPlayInput(const CPCInfo& slot)
{
    return slot.IsOnline() && slot.m_screenControl.load() != 0;
}

void SetInputSender(InputSender sender)
{
    g_inputSender = sender ? sender : &PlayWithSendInput;
}

void InjectKeyInput(const KeyEntry& record)
{
    std::vector<INPUT> inputs;
    for (const KeyEvent& event : KeyRecordEvents(record))
        inputs.push_back(KeyboardInput(event));
    Play(inputs);
}

DWORD MouseEventFlags(uint16_t message)
{
    DWORD flags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    switch (message) {
    case WM_MOUSEMOVE: flags |= MOUSEEVENTF_MOVE; break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: flags |= MOUSEEVENTF_LEFTDOWN; break;
    case WM_LBUTTONUP: flags |= MOUSEEVENTF_LEFTUP; break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: flags |= MOUSEEVENTF_RIGHTDOWN; break;
    case WM_RBUTTONUP: flags |= MOUSEEVENTF_RIGHTUP; break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: flags |= MOUSEEVENTF_MIDDLEDOWN; break;
    case WM_MBUTTONUP: flags |= MOUSEEVENTF_MIDDLEUP; break;
    case WM_MOUSEWHEEL: flags |= MOUSEEVENTF_WHEEL; break;
    default: break;
    }
    return flags;
}

std::vector<INPUT> MouseInputs(const MouseEntry& record, int desktopWidth, int desktopHeight)
{
    const double factorX = desktopWidth > 0 ? 65535.0 / desktopWidth : 0.0;
    const double factorY = desktopHeight > 0 ? 65535.0 / desktopHeight : 0.0;
    std::vector<INPUT> inputs;
    const bool ctrl = (record.keyFlags & kCtrlHeld) != 0;
    const bool shift = (record.keyFlags & kShiftHeld) != 0;
    if (ctrl)
        inputs.push_back(KeyboardInput(VK_CONTROL, 0, 0));
    if (shift)
        inputs.push_back(KeyboardInput(VK_SHIFT, 0, 0));
    INPUT mouse = {};
    mouse.type = INPUT_MOUSE;
    mouse.mi.dx = static_cast<LONG>(record.x * factorX);
    mouse.mi.dy = static_cast<LONG>(record.y * factorY);
    mouse.mi.mouseData = static_cast<DWORD>(static_cast<LONG>(record.wheelDelta));
    mouse.mi.dwFlags = MouseEventFlags(record.message);
    inputs.push_back(mouse);
    if (shift)
        inputs.push_back(KeyboardInput(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    if (ctrl)
        inputs.push_back(KeyboardInput(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    return inputs;
}

void InjectMouseInput(const MouseEntry& record)
{
    std::vector<INPUT> inputs = MouseInputs(record, ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                            ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    Play(inputs);
}

void PlayInputEvents(std::vector<INPUT>& inputs)
{
    Play(inputs);
}

void PlayScanCodes(const std::u16string& arguments, size_t maxEvents)
{
    std::vector<INPUT> inputs;
    for (const KeyEvent& event : ReadScanCodeText(arguments, maxEvents))
        inputs.push_back(KeyboardInput(event));
    Play(inputs);
}

void PressHangulKey()
{
    std::vector<INPUT> down{KeyboardInput(kHangulKey, 0, 0, ::GetTickCount())};
    Play(down);
    ::Sleep(0);
    std::vector<INPUT> up{KeyboardInput(kHangulKey, 0, KEYEVENTF_KEYUP, ::GetTickCount())};
    Play(up);
}
