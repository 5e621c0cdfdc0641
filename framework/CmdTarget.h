// CCmdTarget: the common base of windows and threads, the one place a message map hangs on.
#pragma once

#include "framework/AfxCore.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    ~CCmdTarget() override = default;

    // The message map (see MessageMap.h) overrides this. TRUE when the message was handled;
    // *result then holds the value to return for it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
    {
        return FALSE;
    }
};
