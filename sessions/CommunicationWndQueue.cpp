// The session window's input queueing, called on the view window's thread.
#include "sessions/CommunicationWnd.h"

#include "sessions/core/RemoteKeyRules.h"

void CCommunicationWnd::QueueMouseRecord(CRemoteInputQueue& input, UINT message, UINT flags, CPoint point,
                                         short wheel)
{
    MouseEntry entry;
    entry.message = static_cast<uint16_t>(message);
    entry.keyFlags = flags;
    entry.x = point.x;
    entry.y = point.y;
    entry.wheelDelta = wheel;
    input.AddMouse(entry);
}

void CCommunicationWnd::QueueLButtonDown(CRemoteInputQueue& input, UINT flags, CPoint point)
{
    QueueMouseRecord(input, WM_LBUTTONDOWN, flags, point, 0);
}

void CCommunicationWnd::QueueLButtonUp(CRemoteInputQueue& input, UINT flags, CPoint point)
{
    QueueMouseRecord(input, WM_LBUTTONUP, flags, point, 0);
}

void CCommunicationWnd::QueueLButtonDblClk(CRemoteInputQueue& input, UINT flags, CPoint point)
{
    QueueMouseRecord(input, WM_LBUTTONDBLCLK, flags, point, 0);
}

void CCommunicationWnd::QueueRButtonDown(CRemoteInputQueue& input, UINT flags, CPoint point)
{
    QueueMouseRecord(input, WM_RBUTTONDOWN, flags, point, 0);
}

void CCommunicationWnd::QueueRButtonUp(CRemoteInputQueue& input, UINT flags, CPoint point)
{
    QueueMouseRecord(input, WM_RBUTTONUP, flags, point, 0);
}

void CCommunicationWnd::QueueRButtonDblClk(CRemoteInputQueue& input, UINT flags, CPoint point)
{
    QueueMouseRecord(input, WM_RBUTTONDBLCLK, flags, point, 0);
}

void CCommunicationWnd::QueueMButtonDown(CRemoteInputQueue& input, UINT flags, CPoint point)
{
    QueueMouseRecord(input, WM_MBUTTONDOWN, flags, point, 0);
}

void CCommunicationWnd::QueueMButtonUp(CRemoteInputQueue& input, UINT flags, CPoint point)
{
    QueueMouseRecord(input, WM_MBUTTONUP, flags, point, 0);
}

void CCommunicationWnd::QueueMButtonDblClk(CRemoteInputQueue& input, UINT flags, CPoint point)
{
    QueueMouseRecord(input, WM_MBUTTONDBLCLK, flags, point, 0);
}

void CCommunicationWnd::QueueMouseMove(CRemoteInputQueue& input, UINT flags, CPoint point)
{
    input.AddMouseMove(flags, point.x, point.y);
}

void CCommunicationWnd::QueueMouseWheel(CRemoteInputQueue& input, UINT flags, CPoint point, short delta)
{
    QueueMouseRecord(input, WM_MOUSEWHEEL, flags, point, delta);
}

void CCommunicationWnd::QueueKeyEvent(CRemoteInputQueue& input, UINT message, UINT key, UINT repeat, UINT flags)
{
    KeyEntry entry;
    entry.message = static_cast<uint16_t>(message);
    entry.virtualKey = key;
    entry.repeatCount = repeat;
    entry.flags = flags;
    input.AddKey(entry);
}

void CCommunicationWnd::QueueKeyUp(CRemoteInputQueue& input, UINT key, UINT repeat, UINT flags)
{
    if (!input.IsForwarding())
        return;
    for (const KeyEntry& record : RemoteKeyUpRecords(key, repeat, flags))
        QueueKeyEvent(input, record.message, record.virtualKey, record.repeatCount, record.flags);
}
