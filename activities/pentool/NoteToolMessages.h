// The pen tool's private messages (moved into the program's message registry once it exists).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// To a viewer or pen thread (by thread id): close its window and end. wParam, lParam 0.
#ifndef WM_THREAD_QUIT_WINDOW
#define WM_THREAD_QUIT_WINDOW (WM_APP + 100)
#endif
// To the pen toolbar from outside: passed on to the pen thread's window and from there to the
// owning teacher toolbar, parameters unchanged.
#define WM_NOTE_TOOL_NOTIFY   (WM_USER + 1100)
// To the pen toolbar: a file-transfer result box; wParam non-zero success, 0 failure.
#define WM_NOTE_TOOL_MESSAGE  (WM_USER + 1101)
// To the pen thread (by thread id) from the teacher toolbar's thread: show the pen toolbar
// again where it was. wParam, lParam 0.
#define WM_NOTE_TOOL_SHOW     (WM_USER + 1102)
// To the pen thread: close the drawing surface (no question), back to touch mode, hide the
// pen toolbar. wParam, lParam 0.
#define WM_NOTE_TOOL_HIDE     (WM_USER + 1103)
