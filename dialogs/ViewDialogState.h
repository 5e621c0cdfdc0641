// The one modal dialog of the classroom view (or the main frame) at a time, and the teacher
// toolbar that makes way for it.
#pragma once

#include "framework/Afx.h"
#include "ui/TeacherToolbars.h"

#include <atomic>

// 1 while one of the view's or the main frame's modal dialogs is open: openers refuse to open
// another meanwhile (and while a message box is open); the dialog's destruction clears it.
extern std::atomic<int> g_viewDialogOpen;

// What every such dialog does when its window is destroyed: the toolbar comes back and the guard
// is cleared.
void OnViewDialogDestroyed();
