// The windows the class screen share copies instead of the whole screen: the pen tool's drawing
// surface and the remote-view windows push themselves while they are open, and the capture copies
// the one on top, so the students see what the teacher sees.
//
// The stack is changed on the pen and remote-view threads and read on the capture thread, so it
// holds window handles only, under a lock: a device context belongs to the thread that made it,
// and the capture thread makes its own from TopTargetWindow().
#pragma once

#include "framework/Afx.h"

// Puts w on top; an earlier entry of w is removed first.
void PushTargetWindow(HWND w);
// Removes the first entry of w, if any.
void RemoveTargetWindow(HWND w);
// Empties the stack (at exit).
void ClearTargetWindows();
// The window on top, or NULL when the stack is empty.
HWND TopTargetWindow();
