// Keeps the screen's stacking of top-level windows in step with the z-order.
//
// Under Wine the X server stacks the windows, and it does not follow the z-order by itself:
// it puts a window where it was made (in front of every window made before it); Wine moves a
// window on X only when the window becomes the first visible one in the z-order; and it raises
// a window it places itself (the console's are) to the front of X whenever the keyboard focus
// moves into it. So the main frame, given the focus under the top-most toolbars, covers them on
// the screen, and a remote view shown under its control bar covers the bar: a click there
// reaches a window the teacher cannot see. After a window is shown or takes the focus, the
// windows in front of it are brought forward again, nearest first, each becoming the first for
// a moment and ending where it was. Windows needs none of it: there the
// watch is not set.
#pragma once

#include <windows.h>

// Posted to a top-level window after it was shown or took the focus, and its timer for the
// second restack (see AfxWndProc).
constexpr UINT WM_AFX_RESTACK_IN_FRONT = WM_AFXFIRST + 1;
constexpr UINT_PTR kAfxRestackTimer = 0xAF5A;
// Sent to a window of another thread during a restack (lParam: the restack's plan): that thread
// carries the restack on, and answers kAfxBroughtForward when it is done.
constexpr UINT WM_AFX_BRING_FORWARD = WM_AFXFIRST + 2;
constexpr LRESULT kAfxBroughtForward = 0xAF5B;

// Watches this thread's windows being shown and taking the focus (once per thread).
void AfxWatchScreenStacking();

// Brings this process's visible windows in front of the window forward again, in their order.
// The threads of the other windows moved wait, taking in no input, until it is done.
void AfxRestackWindowsInFrontOf(HWND window);

// Handles WM_AFX_BRING_FORWARD (see AfxWndProc).
LRESULT AfxOnBringForward(WPARAM, LPARAM plan);
