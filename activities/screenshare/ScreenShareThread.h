// CScreenShareThread: the worker of the class screen share. About ten times a second it copies
// the screen into the canvas, encodes the tiles that changed (every tile each 30th cycle) and
// hands each block to the classroom view with SendMessage WM_BROADCAST_PACKET; the view sends
// copies to the students. One worker at a time: a start first ends the one before, and the
// object's end waits for it.
#pragma once

#include "activities/screenshare/core/ShareTileGrid.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// What the worker reads once at its start.
struct ScreenShareInput {
    HWND view = nullptr;
    ShareRect capture;          // screen coordinates
    int canvasWidth = 0;
    int canvasHeight = 0;
};

class CScreenShareThread {
public:
    CScreenShareThread() = default;
    ~CScreenShareThread() { Stop(); }
    CScreenShareThread(const CScreenShareThread&) = delete;
    CScreenShareThread& operator=(const CScreenShareThread&) = delete;

    // Ends a running worker, then starts one; false when none could be started. The worker
    // runs while g_screenSharing is set.
    bool Start(const ScreenShareInput& input);
    // Asks the worker to end and waits for it. Called on the thread that owns the view, it
    // keeps answering the worker's blocks meanwhile, so the two never wait for each other.
    void Stop();
    bool IsRunning() const;

private:
    HANDLE m_thread = nullptr;
    HANDLE m_stop = nullptr;
};

// The worker's body (exposed for the benchmark): runs until g_screenSharing is cleared or stop
// is signalled; returns at once when the capture, the tiles or the image stream cannot be made.
void RunScreenShare(const ScreenShareInput& input, HANDLE stop);
