// CShareScreenCapture: copies a rectangle of the teacher's screen and fits it into a fixed canvas.
// The source is the window on top of the target-window stack when there is one (the pen tool's
// surface, a remote view), else the screen. Its device contexts are made on the calling thread,
// from handles, and released within the copy.
#pragma once

#include "activities/screenshare/core/ShareTileGrid.h"
#include "foundation/MemBitmap.h"

class CShareScreenCapture {
public:
    // The rectangle is in screen coordinates (monitors left of or above the primary have
    // negative ones). False for a size outside the usable range or bitmaps that cannot be made.
    bool Setup(const ShareRect& capture, int canvasWidth, int canvasHeight);
    // For the single-receiver streams: the rectangle stretched over the whole canvas, always
    // from the screen (never a target window).
    bool SetupStretched(const ShareRect& capture, int canvasWidth, int canvasHeight);
    // One copy into the canvas; false when the screen could not be read (the canvas keeps the
    // last picture then).
    bool Capture();

    HDC GetCanvasDC() const { return m_canvas.GetSafeHdc(); }
    const ShareRect& Fitted() const { return m_fit; }

private:
    ShareRect m_capture;
    bool m_screenOnly = false;
    ShareRect m_fit;
    CMemBitmap m_canvas;
};
