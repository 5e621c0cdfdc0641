// Where a student's thread reports. The view fills one in when it admits a student; a window
// left null means nobody listens yet, and what would go there is dropped with a trace.
#pragma once

#include "framework/Afx.h"

struct StudentThreadLinks {
    // Hand-overs (WM_SESSION_ACCEPTED...), address reports and the pad-share messages.
    HWND view = nullptr;
    // WM_ADD_LOG_RECORD with a CLogInfo.
    HWND logWindow = nullptr;
    // The speed-quiz winner's announcement: wParam MessageMarker, lParam a heap CString.
    HWND quizWindow = nullptr;
    UINT quizAnnounceMessage = 0;
    // Uploads go to "<program folder>\StudentFile\<day>"; empty: the executable's folder.
    CString programFolder;
};
