#include "activities/screenshare/ShareScreenCapture.h"

#include "ui/TargetWindowStack.h"

bool CShareScreenCapture::Setup(const ShareRect& capture, int canvasWidth, int canvasHeight)
{
    m_capture = capture;
    m_fit = FitIntoCanvas(capture.Width(), capture.Height(), canvasWidth, canvasHeight);
    if (m_fit.Width() <= 0 || m_fit.Height() <= 0)
        return false;
    m_canvas.Create(canvasWidth, canvasHeight, 32);
    if (!m_canvas.GetBits())
        return false;
    ::SetStretchBltMode(m_canvas.GetSafeHdc(), HALFTONE);
    ::SetBrushOrgEx(m_canvas.GetSafeHdc(), 0, 0, nullptr);
    return true;
}

bool CShareScreenCapture::SetupStretched(const ShareRect& capture, int canvasWidth, int canvasHeight)
{
    if (!IsShareSizeUsable(capture.Width(), capture.Height()) || !Setup(capture, canvasWidth, canvasHeight))
        return false;
    m_fit = {0, 0, canvasWidth, canvasHeight};
    m_screenOnly = true;
    return true;
}

// One HALFTONE stretch straight from the source into the canvas: the same pixels as a copy into
// a screen-sized bitmap stretched afterwards, without that bitmap and its second pass.
bool CShareScreenCapture::Capture()
{
    // The handle is read under the stack's lock; the context is ours, made here.
    HWND window = m_screenOnly ? nullptr : TopTargetWindow();
    if (window && !::IsWindow(window))
        window = nullptr;
    POINT origin = {0, 0};
    if (window)
        ::ClientToScreen(window, &origin);
    HDC source = ::GetDC(window);
    if (!source)
        return false;
    // The screen's context uses screen coordinates; a window's starts at its client corner.
    const BOOL copied = ::StretchBlt(m_canvas.GetSafeHdc(), m_fit.left, m_fit.top, m_fit.Width(), m_fit.Height(),
                                     source, m_capture.left - origin.x, m_capture.top - origin.y,
                                     m_capture.Width(), m_capture.Height(), SRCCOPY | CAPTUREBLT);
    ::ReleaseDC(window, source);
    ::GdiFlush();
    return copied != FALSE;
}
