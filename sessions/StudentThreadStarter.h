// Starting an admitted student's thread away from the UI thread. Creating a thread waits until the
// new thread runs and has its message queue; with a class already running that takes tens of
// milliseconds per student, which the UI thread spends better greeting the next student. The seat
// is reserved first (CPCThread::ReserveSeat), so no other hello can take it meanwhile, and the
// thread is started on a pool thread. Its start is posted to the view (WM_STUDENT_THREAD_STARTED);
// when it cannot be started the socket is closed and the seat freed.
#pragma once

#include "framework/Afx.h"
#include "sessions/StudentThreadLinks.h"

#include <memory>

class CPCInfo;

struct StudentThreadRequest {
    CPCInfo* slot = nullptr;
    StudentThreadLinks links;
    SOCKET socket = INVALID_SOCKET;   // the request's until the thread takes it
    int connectionId = 0;
};

// Runs the request on a pool thread; when the pool takes no work it is run here and now. The
// request (and its socket) belong to the starter from the call on.
void StartStudentThreadSoon(std::unique_ptr<StudentThreadRequest> request);
