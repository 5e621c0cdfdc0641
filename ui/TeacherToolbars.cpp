#include "ui/TeacherToolbars.h"

#include <atomic>

namespace {

std::atomic<HWND> toolbarWindow{nullptr};
std::atomic<HWND> toolbarBackLayer{nullptr};
std::atomic<HWND> penToolbarWindow{nullptr};

// Same-thread windows change at once; another thread's window when its thread gets to it.
void ShowToolbarWindow(HWND window, bool show)
{
    if (window && ::IsWindow(window))
        ::ShowWindowAsync(window, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

} // namespace

void SetTeacherToolbarWindows(HWND toolbar, HWND backLayer)
{
    toolbarWindow = toolbar;
    toolbarBackLayer = backLayer;
}

void SetPenToolbarWindow(HWND penToolbar)
{
    penToolbarWindow = penToolbar;
}

void ShowTeacherToolbar(bool show)
{
    // The back layer first, so the toolbar comes back in front of it.
    for (HWND window : {toolbarBackLayer.load(), toolbarWindow.load()})
        ShowToolbarWindow(window, show);
}

HiddenToolbars HideTeacherToolbars()
{
    HiddenToolbars hidden;
    int count = 0;
    for (HWND window : {toolbarBackLayer.load(), toolbarWindow.load(), penToolbarWindow.load()}) {
        if (!window || !::IsWindowVisible(window))
            continue;
        hidden.windows[count++] = window;
        ShowToolbarWindow(window, false);
    }
    return hidden;
}

void ShowHiddenToolbars(const HiddenToolbars& hidden)
{
    for (HWND window : hidden.windows)
        ShowToolbarWindow(window, true);
}
