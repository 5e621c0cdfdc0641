// The teacher's keys on their way to a student of a remote session, as both remote windows
// queue them, by the rules of sessions/core/RemoteKeyRules.h, while input is forwarded.
#pragma once

#include "framework/Afx.h"

class CRemoteInputQueue;

// A key-down record unless the key is the input method's (VK_PROCESSKEY, VK_HANGUL), 256 or
// above, or input is not forwarded.
void QueueRemoteKeyDown(CRemoteInputQueue& input, UINT key, UINT repeat, UINT flags);
// Key-ups go through CCommunicationWnd::QueueKeyUp.
// WM_SYSKEYDOWN and WM_SYSKEYUP: true when the message is consumed. Alt+F4 is the teacher's own:
// swallowed by the single window (altF4Closes false) and let through, to close it, by the
// combined one.
bool QueueRemoteSystemKey(CRemoteInputQueue* input, const MSG& msg, bool altF4Closes);
