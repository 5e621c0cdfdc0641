// What a remote session needs of the console around it; the view fills one in when it starts a
// session, so the session classes need no header of the view or the shell.
#pragma once

#include "framework/Afx.h"

#include <atomic>

struct RemoteSessionLinks {
    // The classroom view: WM_SESSION_CLOSED at the end, repainted when the student drops.
    HWND view = nullptr;
    // The main frame: the session window opens near it.
    HWND mainFrame = nullptr;
    // The teacher toolbar: the control bar's pen button asks it for the pen tool.
    HWND teacherToolbar = nullptr;
    // The program's remote input switch: the input pump runs and input is forwarded.
    bool inputPump = true;
    // The teacher toolbar's touch lock: lifted for this student while the session runs.
    bool touchLock = false;
    // The count of open view windows, kept by each view window.
    std::atomic<int>* openViewCount = nullptr;
    // WM_ADD_LOG_RECORD with a CLogInfo (a pad's app events).
    HWND logWindow = nullptr;
    // Uploads go to "<program folder>\StudentFile\<day>"; empty: the executable's folder.
    CString programFolder;
    // The class screen share runs while this is non-zero: a session window cannot close then.
    const std::atomic<int>* screenSharing = nullptr;
    // One of the students of a combined window: no sound and no clipboard.
    bool combined = false;
};
