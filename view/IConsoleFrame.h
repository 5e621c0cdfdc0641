// IConsoleFrame: what the classroom view needs of the window that hosts it. The main frame
// implements it; the view finds it through its parent frame and does without it when there is
// none (a view made on its own).
#pragma once

#include "framework/AfxString.h"
#include "framework/StringArray.h"

class IConsoleFrame {
public:
    // One more group tab after the ones there are.
    virtual void AddGroupTab(const CString& name) = 0;
    // Every group tab's name except the default group's, in tab order.
    virtual void GetGroupNames(CStringArray& names) const = 0;
    // The logged-in teacher's seat count and name, for the title and the caption band.
    virtual void SetTeacherInfo(int number, const CString& name) = 0;
    // Whether closing asks the teacher first; the view clears it before it ends the program.
    virtual void SetConfirmClose(bool confirm) = 0;
    // Starts the external pen program when it should run; TRUE when it was started.
    virtual BOOL StartPenTool() = 0;

protected:
    ~IConsoleFrame() = default;
};
