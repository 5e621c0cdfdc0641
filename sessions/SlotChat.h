// The chat with one slot's student: opening it for the teacher from any thread, and opening
// it on the thread that serves the student.
#pragma once

#include "framework/Afx.h"

class CPCInfo;

// From the view (any thread): asks the student's thread to open the slot's chat, or to bring
// it to the front. False when the slot has no running thread or a remote session holds its
// connection (the session has its own chat; a request that meets a hand-over is dropped).
bool RequestChatWindow(const CPCInfo& slot);

// On the thread that is to own the window: opens the slot's chat titled "Slot :%d, %s" with
// the owner that sends the typed lines; an open chat of this thread is kept. False when it could
// not be opened here.
bool OpenChatWindow(CPCInfo& slot, HWND owner);
