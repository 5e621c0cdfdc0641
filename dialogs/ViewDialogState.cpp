#include "dialogs/ViewDialogState.h"

std::atomic<int> g_viewDialogOpen{0};

namespace {

HWND toolbarWindow = nullptr;
HWND toolbarBackLayer = nullptr;

} // namespace

void SetTeacherToolbarWindows(HWND toolbar, HWND backLayer)
{
    toolbarWindow = toolbar;
    toolbarBackLayer = backLayer;
}

void ShowTeacherToolbar(bool show)
{
    for (HWND window : {toolbarBackLayer, toolbarWindow})
        if (window && ::IsWindow(window))
            ::ShowWindow(window, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void OnViewDialogDestroyed()
{
    ShowTeacherToolbar(true);
    g_viewDialogOpen = 0;
}
