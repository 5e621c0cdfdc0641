// Mouse and keyboard the way a user produces them: real input through SendInput at a screen
// point, on a window that must already be the one under that point (the click itself activates
// it, as a user's does), or, where no user gesture exists, posted straight to the window.
#pragma once

#include "tests/tools/uidriver/CommandArgs.h"
#include "tests/tools/uidriver/WindowQuery.h"

#include <windows.h>

#include <cstdlib>
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

inline std::wstring NameOf(HWND window)
{
    if (!window) return L"no window";
    const std::string handle = HandleText(window);
    return std::wstring(handle.begin(), handle.end()) + L" (class \"" + ClassOf(window) + L"\", title \"" + TitleOf(window) + L"\")";
}

inline void RequireInputTarget(HWND window)
{
    if (!AcceptsInput(window)) Fail(kNotFound, L"window is hidden or disabled");
}

inline bool IsPopupMenu(HWND window) { return ClassOf(window) == L"#32768"; }

inline HWND KeyboardFocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

inline bool HasKeyboardFocus(HWND window)
{
    HWND focus = KeyboardFocusOf(window);
    return GetForegroundWindow() == GetAncestor(window, GA_ROOT) && (focus == window || ::IsChild(window, focus));
}

// Keys go to the focused window of the active one: a user clicks a field before typing into it.
// That click is input too, handled in its turn by the window's thread, so the focus may arrive a
// moment later. An open popup menu takes the keys of its thread without the focus.
inline void RequireKeyTarget(HWND window)
{
    RequireInputTarget(window);
    if (IsPopupMenu(window)) return;
    for (DWORD start = GetTickCount(); !HasKeyboardFocus(window); Sleep(10)) {
        if (GetTickCount() - start >= 5000)
            Fail(kNotFound, L"keys would go to " + NameOf(KeyboardFocusOf(window)) + L" of " +
                                NameOf(GetForegroundWindow()) + L", not to " + NameOf(window) + L": click it first");
    }
}

// The window a real click at a screen point reaches: window itself or one of its children.
// Anything else in front of it (another program, a box, a top-most bar) fails the gesture.
// A window just shown, raised or given the focus settles a moment later, as the X screen does
// (the console puts the windows in front of one that took the focus back in front): the point
// is asked again for a while, as a user's eyes find the window before the hand clicks.
inline HWND RequireUnderPoint(HWND window, POINT screen)
{
    HWND hit = WindowFromPoint(screen);
    for (DWORD start = GetTickCount(); hit != window && !::IsChild(window, hit) && GetTickCount() - start < 3000;
         Sleep(20))
        hit = WindowFromPoint(screen);
    if (hit != window && !::IsChild(window, hit))
        Fail(kNotFound, L"the window under (" + std::to_wstring(screen.x) + L", " + std::to_wstring(screen.y) +
                            L") is " + NameOf(hit) + L", not " + NameOf(window));
    if (!AcceptsInput(hit)) Fail(kNotFound, L"window is hidden or disabled: " + NameOf(hit));
    return hit;
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
    bool ctrl = false;
};

inline void PostMouse(HWND target, POINT point, MouseAction action)
{
    LPARAM at = MAKELPARAM(point.x, point.y);
    UINT down = action.right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
    UINT up = action.right ? WM_RBUTTONUP : WM_LBUTTONUP;
    UINT doubleDown = action.right ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK;
    WPARAM keys = action.ctrl ? MK_CONTROL : 0;
    WPARAM held = keys | (action.right ? MK_RBUTTON : MK_LBUTTON);
    PostMessageW(target, WM_MOUSEMOVE, keys, at);
    PostMessageW(target, down, held, at);
    PostMessageW(target, up, keys, at);
    if (action.twice) {
        bool wantsDouble = (GetClassLongPtrW(target, GCL_STYLE) & CS_DBLCLKS) != 0;
        PostMessageW(target, wantsDouble ? doubleDown : down, held, at);
        PostMessageW(target, up, keys, at);
    }
}

inline INPUT KeyInput(WORD vk, WORD unit, DWORD flags);

// The last real click of this driver: the system pairs a press with the one before it into a
// double click when both are of the same button, close together and within the double-click time.
struct LastClick {
    bool right = false;
    POINT screen{};
    DWORD tick = 0;
    bool valid = false;
};

inline LastClick& LastRealClick()
{
    static LastClick last;
    return last;
}

inline bool PairsWithLastClick(POINT screen, bool right)
{
    const LastClick& last = LastRealClick();
    return last.valid && last.right == right &&
           std::abs(screen.x - last.screen.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
           std::abs(screen.y - last.screen.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2 &&
           GetTickCount() - last.tick <= GetDoubleClickTime();
}

// Two separate clicks of a user on the same spot are further apart than the double-click time;
// a driver answering at once would press again inside it, and the window would get the second
// press as a double click (a right one opens no menu, a left one acts twice).
inline void WaitOutDoubleClick(POINT screen, bool right)
{
    while (PairsWithLastClick(screen, right))
        Sleep(20);
}

inline void RememberClick(POINT screen, bool right)
{
    LastRealClick() = LastClick{right, screen, GetTickCount(), true};
}

// A mouse event at a screen point: each event carries its position, as a real mouse's does.
// Under Wine the X server also reports its pointer to the program, late at times; a button
// event placed only by SetCursorPos could land where such a late report put the cursor.
inline INPUT MouseInputAt(POINT screen, DWORD flags)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screen.x * 65535LL) / (width > 1 ? width - 1 : 1));
    input.mi.dy = static_cast<LONG>((screen.y * 65535LL) / (height > 1 ? height - 1 : 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return input;
}

// The pointer moved to a screen point and arrived there before any button changes.
inline void MovePointerTo(POINT screen)
{
    if (!SetCursorPos(screen.x, screen.y)) Fail(kNotFound, L"SetCursorPos failed");
    std::vector<INPUT> move{MouseInputAt(screen, 0)};
    SendInputs(move);
    POINT now{};
    for (DWORD start = GetTickCount(); GetTickCount() - start < 1000; Sleep(5))
        if (GetCursorPos(&now) && now.x == screen.x && now.y == screen.y) return;
}

inline void SendMouse(POINT screen, MouseAction action)
{
    WaitOutDoubleClick(screen, action.right);
    MovePointerTo(screen);
    std::vector<INPUT> inputs;
    if (action.ctrl) inputs.push_back(KeyInput(VK_CONTROL, 0, 0));
    for (int i = 0; i < (action.twice ? 2 : 1); ++i) {
        inputs.push_back(MouseInputAt(screen, action.right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
        inputs.push_back(MouseInputAt(screen, action.right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
    }
    if (action.ctrl) inputs.push_back(KeyInput(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    SendInputs(inputs);
    RememberClick(screen, action.right);
}

inline POINT ScreenPointOf(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    return client;
}

// Clicks at a point in window's client coordinates; answers the window that got the click.
// Real input needs window (or its child there) to be what lies under the point.
inline HWND ClickAt(HWND window, POINT client, MouseAction action, bool realInput)
{
    if (realInput) {
        POINT screen = ScreenPointOf(window, client);
        HWND target = RequireUnderPoint(window, screen);
        SendMouse(screen, action);
        return target;
    }
    POINT inner = client;
    HWND target = DeepestChildAt(window, inner);
    RequireInputTarget(target);
    PostMouse(target, inner, action);
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
    if (realInput) RequireUnderPoint(window, ScreenPointOf(window, client[0]));
    else RequireInputTarget(window);
    if (!realInput) {
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client[0].x, client[0].y));
        for (size_t i = 1; i < client.size(); ++i)
            PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client[i].x, client[i].y));
        PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(client.back().x, client.back().y));
        return;
    }
    auto send = [&](POINT at, DWORD button) {
        const POINT screen = ScreenPointOf(window, at);
        MovePointerTo(screen);
        if (button) {
            std::vector<INPUT> press{MouseInputAt(screen, button)};
            SendInputs(press);
        }
        Sleep(pauseMs);
    };
    WaitOutDoubleClick(ScreenPointOf(window, client[0]), false);
    send(client[0], 0);
    send(client[0], MOUSEEVENTF_LEFTDOWN);
    for (size_t i = 1; i < client.size(); ++i) send(client[i], 0);
    send(client.back(), MOUSEEVENTF_LEFTUP);
    RememberClick(ScreenPointOf(window, client.back()), false);
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
    if (realInput) RequireKeyTarget(window);
    else RequireInputTarget(window);
    if (!realInput) {
        for (wchar_t unit : text) PostMessageW(window, WM_CHAR, unit, 1);
        return;
    }
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
    if (realInput) RequireKeyTarget(window);
    else RequireInputTarget(window);
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
    std::vector<INPUT> inputs;
    for (UINT key : sequence) inputs.push_back(KeyInput(static_cast<WORD>(key), 0, 0));
    for (auto it = sequence.rbegin(); it != sequence.rend(); ++it)
        inputs.push_back(KeyInput(static_cast<WORD>(*it), 0, KEYEVENTF_KEYUP));
    SendInputs(inputs);
}

} // namespace uidriver
