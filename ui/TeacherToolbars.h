// The teacher toolbar, its back layer and the pen toolbar make way for the view's modal dialogs
// and for the full-screen remote windows. Each toolbar registers its window when it is made
// (null when it goes). The hiders run on other threads than some of the toolbars, so the
// windows are shown and hidden without waiting for their threads.
#pragma once

#include "framework/Afx.h"

// Shows a window at the front of the top-most ones, or hides it; a window of another thread
// changes when its thread gets to it. Windows shown in turn end stacked in that order, whatever
// moved while they were hidden.
void ShowInFrontWithoutWaiting(HWND window, bool show);

void SetTeacherToolbarWindows(HWND toolbar, HWND backLayer);
void SetPenToolbarWindow(HWND penToolbar);

// The toolbar and its back layer (the view's dialogs).
void ShowTeacherToolbar(bool show);

// The toolbars that were shown when HideTeacherToolbars hid them.
struct HiddenToolbars {
    HWND windows[3] = {};
};

// Hides the toolbar, its back layer and the pen toolbar (a remote window covering the screen).
HiddenToolbars HideTeacherToolbars();
// Shows again, in their order, those that HideTeacherToolbars hid.
void ShowHiddenToolbars(const HiddenToolbars& hidden);
