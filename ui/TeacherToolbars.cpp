#include "ui/TeacherToolbars.h"

#include <atomic>

namespace {

std::atomic<HWND> toolbarWindow{nullptr};
std::atomic<HWND> toolbarBackLayer{nullptr};
std::atomic<HWND> penToolbarWindow{nullptr};

} // namespace

void ShowInFrontWithoutWaiting(HWND window, bool show)
{
    if (!window || !::IsWindow(window))
        return;
    constexpr UINT kInPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
    if (show)
        ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kInPlace | SWP_SHOWWINDOW);
    else
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, kInPlace | SWP_NOZORDER | SWP_HIDEWINDOW);
}

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
    // Shown, the back layer first, so the toolbar comes back in front of it; hidden, the
    // toolbar first, which would show its back layer again while it is itself shown.
    if (show) {
        ShowInFrontWithoutWaiting(toolbarBackLayer, true);
        ShowInFrontWithoutWaiting(toolbarWindow, true);
    } else {
        ShowInFrontWithoutWaiting(toolbarWindow, false);
        ShowInFrontWithoutWaiting(toolbarBackLayer, false);
    }
}

HiddenToolbars HideTeacherToolbars()
{
    HiddenToolbars hidden;
    int count = 0;
    for (HWND window : {toolbarBackLayer.load(), toolbarWindow.load(), penToolbarWindow.load()})
        if (window && ::IsWindowVisible(window))
            hidden.windows[count++] = window;
    // Front first: the toolbar shows its back layer again while it is itself shown.
    for (int i = count - 1; i >= 0; --i)
        ShowInFrontWithoutWaiting(hidden.windows[i], false);
    return hidden;
}

void ShowHiddenToolbars(const HiddenToolbars& hidden)
{
    for (HWND window : hidden.windows)
        ShowInFrontWithoutWaiting(window, true);
}
