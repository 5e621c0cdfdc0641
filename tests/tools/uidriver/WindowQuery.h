// Finding windows: top-level or below a parent, by class, text, control id, process, owner and
// visibility, waiting for them to appear or to go away.
#pragma once

#include "tests/tools/uidriver/Json.h"

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

inline std::wstring ClassOf(HWND window)
{
    wchar_t name[256];
    int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

// The text the window manager keeps; asks no other process, so a hung window cannot block it.
inline std::wstring TitleOf(HWND window)
{
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(copied > 0 ? copied : 0);
    return text;
}

inline DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

inline bool IsChild(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

struct WindowFilter {
    bool hasClass = false, hasText = false, hasId = false, exact = false, visibleOnly = false;
    std::wstring className, text;
    int id = 0;
    DWORD pid = 0;
    HWND owner = nullptr;

    bool Matches(HWND window) const
    {
        if (visibleOnly && !IsWindowVisible(window)) return false;
        if (hasClass && lstrcmpiW(ClassOf(window).c_str(), className.c_str()) != 0) return false;
        if (hasId && (!IsChild(window) || GetDlgCtrlID(window) != id)) return false;
        if (pid && ProcessOf(window) != pid) return false;
        if (owner && GetWindow(window, GW_OWNER) != owner) return false;
        if (hasText) {
            std::wstring title = TitleOf(window);
            if (exact ? title != text : title.find(text) == std::wstring::npos) return false;
        }
        return true;
    }
};

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Top-level windows (parent null) in Z order, message-only ones (parent HWND_MESSAGE, which
// EnumWindows leaves out), or every descendant of parent in tree order.
inline std::vector<HWND> WindowsUnder(HWND parent)
{
    std::vector<HWND> windows;
    if (parent == HWND_MESSAGE) {
        for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;)
            windows.push_back(window);
    } else if (parent) {
        EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    } else {
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    }
    return windows;
}

inline std::vector<HWND> FindWindows(HWND parent, const WindowFilter& filter)
{
    std::vector<HWND> found;
    for (HWND window : WindowsUnder(parent))
        if (filter.Matches(window)) found.push_back(window);
    return found;
}

// Polls: another process's window appearing sends us no event we could wait on.
inline HWND WaitForWindow(HWND parent, const WindowFilter& filter, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = FindWindows(parent, filter);
        if (!found.empty()) return found.front();
        if (parent && !IsWindow(parent)) return nullptr;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Sleep(25);
    }
}

inline bool WaitWindowGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(25);
    }
    return true;
}

inline std::string DescribeWindow(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    JsonObject json;
    json.AddHandle("hwnd", window)
        .AddString("class", ClassOf(window))
        .AddString("title", TitleOf(window))
        .AddInt("id", IsChild(window) ? GetDlgCtrlID(window) : 0)
        .AddRect("rect", rect)
        .AddBool("visible", IsWindowVisible(window) != FALSE)
        .AddBool("enabled", IsWindowEnabled(window) != FALSE)
        .AddBool("topmost", (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
        .AddInt("pid", ProcessOf(window));
    if (IsChild(window)) json.AddHandle("parent", GetAncestor(window, GA_PARENT));
    if (HWND owner = GetWindow(window, GW_OWNER)) json.AddHandle("owner", owner);
    return json.Text();
}

} // namespace uidriver
