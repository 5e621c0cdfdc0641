// CRemoteMouseWnd: a window whose mouse goes to a student. Every button, move and wheel message
// becomes one queued record (the window decides where the point lands); the window still gets
// its default handling of the message.
#pragma once

#include "framework/FrameWnd.h"

class CRemoteInputQueue;

class CRemoteMouseWnd : public CFrameWnd {
protected:
    // The queue a client point's input goes to, the point moved onto that student's screen;
    // null when the input goes nowhere (not forwarded, no student under the point).
    virtual CRemoteInputQueue* InputAt(CPoint& point) = 0;
    // After a record went into the queue.
    virtual void OnQueued(CRemoteInputQueue&) {}

    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMButtonDown(UINT flags, CPoint point);
    afx_msg void OnMButtonUp(UINT flags, CPoint point);
    afx_msg void OnMButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    using QueueMouse = void (*)(CRemoteInputQueue&, UINT, CPoint);
    void Forward(UINT flags, CPoint point, QueueMouse queue);
};
