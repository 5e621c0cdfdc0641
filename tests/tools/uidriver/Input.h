// Mouse and keyboard the way a user produces them: either posted straight to the window that
// would receive them (works whatever is in front), or as real input through SendInput after
// bringing the window to the front.
#pragma once

#include "tests/tools/uidriver/CommandArgs.h"

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// A user cannot click into a disabled window, nor into one whose parent is disabled.
inline bool AcceptsInput(HWND window)
{
    HWND desktop = GetDesktopWindow();
    for (HWND w = window; w && w != desktop; w = GetAncestor(w, GA_PARENT))
        if (!IsWindowEnabled(w)) return false;
    return IsWindowVisible(window) != FALSE;
}

// The innermost visible child under a point given in window's client coordinates; point is
// moved into that child's client coordinates.
inline HWND DeepestChildAt(HWND window, POINT& point)
{
    for (;;) {
        HWND child = RealChildWindowFromPoint(window, point);
        if (!child || child == window) return window;
        MapWindowPoints(window, child, &point, 1);
        window = child;
    }
}

inline bool BringToFront(HWND window)
{
    HWND root = GetAncestor(window, GA_ROOT);
    if (IsIconic(root)) ShowWindow(root, SW_RESTORE);
    SetForegroundWindow(root);
    BringWindowToTop(root);
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != root) {
        if (GetTickCount() - start >= 3000) return false;
        Sleep(20);
    }
    return true;
}

// Keyboard focus can only be set from the thread that owns the window, or one attached to it.
inline void FocusWindow(HWND window)
{
    DWORD target = GetWindowThreadProcessId(window, nullptr);
    DWORD self = GetCurrentThreadId();
    bool attached = target != self && AttachThreadInput(self, target, TRUE);
    SetFocus(window);
    if (attached) AttachThreadInput(self, target, FALSE);
}

inline void RequireInputTarget(HWND window, bool realInput)
{
    if (!AcceptsInput(window)) Fail(kNotFound, L"window is hidden or disabled");
    if (realInput && !BringToFront(window)) Fail(kNotFound, L"window did not come to the front");
}

inline void SendInputs(std::vector<INPUT>& inputs)
{
    if (inputs.empty()) return;
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) Fail(kNotFound, L"SendInput refused the input");
}

struct MouseAction {
    bool right = false;
    bool twice = false;
};

inline void PostMouse(HWND target, POINT point, MouseAction action)
{
    LPARAM at = MAKELPARAM(point.x, point.y);
    UINT down = action.right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
    UINT up = action.right ? WM_RBUTTONUP : WM_LBUTTONUP;
    UINT doubleDown = action.right ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK;
    WPARAM held = action.right ? MK_RBUTTON : MK_LBUTTON;
    PostMessageW(target, WM_MOUSEMOVE, 0, at);
    PostMessageW(target, down, held, at);
    PostMessageW(target, up, 0, at);
    if (action.twice) {
        bool wantsDouble = (GetClassLongPtrW(target, GCL_STYLE) & CS_DBLCLKS) != 0;
        PostMessageW(target, wantsDouble ? doubleDown : down, held, at);
        PostMessageW(target, up, 0, at);
    }
}

inline void SendMouse(POINT screen, MouseAction action)
{
    if (!SetCursorPos(screen.x, screen.y)) Fail(kNotFound, L"SetCursorPos failed");
    std::vector<INPUT> inputs;
    for (int i = 0; i < (action.twice ? 2 : 1); ++i) {
        for (DWORD flag : {action.right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN,
                           action.right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP}) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = flag;
            inputs.push_back(input);
        }
    }
    SendInputs(inputs);
}

// Clicks at a point in window's client coordinates; answers the window that got the click.
inline HWND ClickAt(HWND window, POINT client, MouseAction action, bool realInput)
{
    POINT inner = client;
    HWND target = DeepestChildAt(window, inner);
    RequireInputTarget(target, realInput);
    if (realInput) {
        POINT screen = client;
        ClientToScreen(window, &screen);
        SendMouse(screen, action);
    } else {
        PostMouse(target, inner, action);
    }
    return target;
}

// A left-button drag through points in window's client coordinates: press at the first, move
// through the others, release at the last. Real input paces the moves (pauseMs apart) so the
// system does not merge them into one; posted input carries MK_LBUTTON in each move. Under Wine
// real input moves only the cursor, not the display's pointer, and Wine reports that pointer to a
// window holding the capture now and then: posted drags are the exact ones there.
inline void DragThrough(HWND window, const std::vector<POINT>& client, bool realInput, DWORD pauseMs)
{
    if (client.empty()) Fail(kUsage, L"--path needs at least one point");
    RequireInputTarget(window, realInput);
    if (!realInput) {
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client[0].x, client[0].y));
        for (size_t i = 1; i < client.size(); ++i)
            PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client[i].x, client[i].y));
        PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(client.back().x, client.back().y));
        return;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    auto send = [&](POINT at, DWORD button) {
        POINT screen = at;
        ClientToScreen(window, &screen);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((screen.x * 65535LL) / (width > 1 ? width - 1 : 1));
        input.mi.dy = static_cast<LONG>((screen.y * 65535LL) / (height > 1 ? height - 1 : 1));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
        if (!SetCursorPos(screen.x, screen.y)) Fail(kNotFound, L"SetCursorPos failed");
        std::vector<INPUT> inputs{input};
        SendInputs(inputs);
        // The button must not go down (or up) before the pointer has arrived where it should.
        POINT now{};
        for (DWORD start = GetTickCount(); GetTickCount() - start < 1000; Sleep(5))
            if (GetCursorPos(&now) && now.x == screen.x && now.y == screen.y) break;
        Sleep(pauseMs);
    };
    send(client[0], 0);
    send(client[0], MOUSEEVENTF_LEFTDOWN);
    for (size_t i = 1; i < client.size(); ++i) send(client[i], 0);
    send(client.back(), MOUSEEVENTF_LEFTUP);
}

inline bool IsExtendedKey(UINT vk)
{
    switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RCONTROL: case VK_RMENU:
    case VK_DIVIDE: case VK_NUMLOCK: case VK_APPS:
        return true;
    default:
        return false;
    }
}

inline LPARAM KeyParam(UINT vk, bool up)
{
    LPARAM param = 1 | (static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16);
    if (IsExtendedKey(vk)) param |= 1 << 24;
    if (up) param |= static_cast<LPARAM>(3u << 30);
    return param;
}

inline INPUT KeyInput(WORD vk, WORD unit, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = unit;
    input.ki.dwFlags = flags | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// Characters: WM_CHAR per UTF-16 unit, or Unicode key strokes into the focused window.
inline void TypeText(HWND window, const std::wstring& text, bool realInput)
{
    RequireInputTarget(window, realInput);
    if (!realInput) {
        for (wchar_t unit : text) PostMessageW(window, WM_CHAR, unit, 1);
        return;
    }
    FocusWindow(window);
    std::vector<INPUT> inputs;
    for (wchar_t unit : text) {
        inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE));
        inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    SendInputs(inputs);
}

// One key press with modifiers held around it. Posted key messages leave the target's key
// state alone, so modifiers only really count with real input.
inline void PressKey(HWND window, UINT vk, const std::vector<UINT>& modifiers, bool realInput)
{
    RequireInputTarget(window, realInput);
    std::vector<UINT> sequence(modifiers);
    sequence.push_back(vk);
    bool alt = false;
    for (UINT m : modifiers) alt = alt || m == VK_MENU;
    if (!realInput) {
        for (UINT key : sequence)
            PostMessageW(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, KeyParam(key, false));
        for (auto it = sequence.rbegin(); it != sequence.rend(); ++it)
            PostMessageW(window, alt ? WM_SYSKEYUP : WM_KEYUP, *it, KeyParam(*it, true));
        return;
    }
    FocusWindow(window);
    std::vector<INPUT> inputs;
    for (UINT key : sequence) inputs.push_back(KeyInput(static_cast<WORD>(key), 0, 0));
    for (auto it = sequence.rbegin(); it != sequence.rend(); ++it)
        inputs.push_back(KeyInput(static_cast<WORD>(*it), 0, KEYEVENTF_KEYUP));
    SendInputs(inputs);
}

} // namespace uidriver
