// Mouse and keyboard for the end-to-end tests. A user's gesture reaches Wine from the X server
// (the tests send it through the X server's test extension, tests/e2e/xinput.py); this driver
// checks beforehand that it would land on the window meant (the window under the point, the
// window holding the keyboard focus) and tells when Wine has taken each button or key in. Where
// no user gesture exists, the messages are posted straight to the window.
#pragma once

#include "tests/tools/uidriver/CommandArgs.h"
#include "tests/tools/uidriver/WindowQuery.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace uidriver {

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

// Where the input of the window's thread stands (all empty when it cannot be asked).
inline GUITHREADINFO GuiThreadOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) info = GUITHREADINFO{};
    return info;
}

inline HWND KeyboardFocusOf(HWND window) { return GuiThreadOf(window).hwndFocus; }

// The window that holds the mouse capture of the window's thread for a press, none while the
// thread shows a menu (the menu's loop holds it for its owner and takes the clicks by point).
inline HWND CaptureOf(HWND window)
{
    const GUITHREADINFO info = GuiThreadOf(window);
    return info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE) ? nullptr : info.hwndCapture;
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
// A window of the hit window's thread that holds the mouse capture takes the press instead: the
// thread lets it go when it has handled the release of the gesture before (a user's next press
// comes after the program took the last one in).
inline HWND RequireUnderPoint(HWND window, POINT screen)
{
    auto reaches = [window](HWND hit) {
        const HWND capture = hit ? CaptureOf(hit) : nullptr;
        return (hit == window || ::IsChild(window, hit)) && (!capture || capture == hit);
    };
    HWND hit = WindowFromPoint(screen);
    for (DWORD start = GetTickCount(); !reaches(hit) && GetTickCount() - start < 3000; Sleep(20))
        hit = WindowFromPoint(screen);
    if (hit != window && !::IsChild(window, hit))
        Fail(kNotFound, L"the window under (" + std::to_wstring(screen.x) + L", " + std::to_wstring(screen.y) +
                            L") is " + NameOf(hit) + L", not " + NameOf(window));
    if (!reaches(hit)) Fail(kNotFound, L"a press would go to " + NameOf(CaptureOf(hit)) + L", which holds the mouse");
    if (!AcceptsInput(hit)) Fail(kNotFound, L"window is hidden or disabled: " + NameOf(hit));
    return hit;
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

inline POINT ScreenPointOf(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    return client;
}

// Posts a click at a point in window's client coordinates to the window there; answers it.
inline HWND PostClickAt(HWND window, POINT client, MouseAction action)
{
    POINT inner = client;
    HWND target = DeepestChildAt(window, inner);
    RequireInputTarget(target);
    PostMouse(target, inner, action);
    return target;
}

// A left-button drag through points in window's client coordinates, posted: the press at the
// first, a move with MK_LBUTTON to each of the others, the release at the last.
inline void PostDragThrough(HWND window, const std::vector<POINT>& client)
{
    if (client.empty()) Fail(kUsage, L"--path needs at least one point");
    RequireInputTarget(window);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client[0].x, client[0].y));
    for (size_t i = 1; i < client.size(); ++i)
        PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client[i].x, client[i].y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(client.back().x, client.back().y));
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

// Characters as WM_CHAR, one per UTF-16 unit.
inline void PostText(HWND window, const std::wstring& text)
{
    RequireInputTarget(window);
    for (wchar_t unit : text) PostMessageW(window, WM_CHAR, unit, 1);
}

// One key with modifiers around it, posted. Posted key messages leave the target's key state
// alone, so modifiers only really count with real input.
inline void PostKey(HWND window, UINT vk, const std::vector<UINT>& modifiers)
{
    RequireInputTarget(window);
    std::vector<UINT> sequence(modifiers);
    sequence.push_back(vk);
    bool alt = std::find(modifiers.begin(), modifiers.end(), static_cast<UINT>(VK_MENU)) != modifiers.end();
    for (UINT key : sequence)
        PostMessageW(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, KeyParam(key, false));
    for (auto it = sequence.rbegin(); it != sequence.rend(); ++it)
        PostMessageW(window, alt ? WM_SYSKEYUP : WM_KEYUP, *it, KeyParam(*it, true));
}

// The buttons and keys that are down, as Wine's server holds them: it takes a button or key in
// when the program whose X window received the event reads it from the X server.
inline std::vector<UINT> KeysDown()
{
    std::vector<UINT> down;
    for (UINT vk = 1; vk < 0xFF; ++vk)
        if (GetAsyncKeyState(static_cast<int>(vk)) & 0x8000) down.push_back(vk);
    return down;
}

// Waits until the keys down differ from before: a button or key sent through the X server has
// reached Wine. The gesture's next event then follows this one, as a hand's does.
inline std::vector<UINT> WaitKeysChange(const std::vector<UINT>& before, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount();; Sleep(2)) {
        std::vector<UINT> now = KeysDown();
        if (now != before) return now;
        if (GetTickCount() - start >= timeoutMs)
            Fail(kNotFound, L"no button or key went down or up in Wine within " + std::to_wstring(timeoutMs) +
                                L" ms: the X event did not reach a program that reads its input");
    }
}

} // namespace uidriver
