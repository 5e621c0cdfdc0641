#include "dialogs/ViewDialogState.h"

std::atomic<int> g_viewDialogOpen{0};

void OnViewDialogDestroyed()
{
    ShowTeacherToolbar(true);
    g_viewDialogOpen = 0;
}
