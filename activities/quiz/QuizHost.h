// IQuizHost: what the quiz panel needs of the classroom view that owns it.
#pragma once

#include "framework/Afx.h"

#include <vector>

class CPCInfo;

class IQuizHost {
public:
    virtual ~IQuizHost() = default;

    // Every slot of the class, in seat order.
    virtual const std::vector<CPCInfo*>& GetQuizSlots() const = 0;
    // The random pick frames the picked slot as the focused one while the whole class is shown.
    virtual void FocusPickedSlot(int index) = 0;
    virtual bool IsScreenShareOn() const = 0;
    virtual bool IsTouchControlOn() const = 0;
    // The presentation right for the selected student: its new state (1 given, 0 not).
    virtual int ToggleControlRight() = 0;
    // The students' answers painted over their slots.
    virtual void ShowQuizAnswers(bool shown) = 0;
    // lParam 1 full screen, 0 restored.
    virtual void SetQuizFullScreen(LPARAM state) = 0;
};
