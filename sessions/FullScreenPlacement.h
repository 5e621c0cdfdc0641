// CFullScreenPlacement: takes a remote window to full screen on the monitor that holds it and
// back. Its place and styles are kept while it covers the monitor, so leaving restores the window
// the teacher had.
#pragma once

#include "framework/Wnd.h"

class CFullScreenPlacement {
public:
    bool IsOn() const { return m_on; }
    // Toggles; the window must exist. Returns whether it is now full screen.
    bool Toggle(CWnd& window);
    // A new screen size of the student: out of full screen, the window becomes no larger than
    // that screen and its frame (it never grows); in full screen nothing changes.
    void ShrinkToStudent(CWnd& window, int studentWidth, int studentHeight) const;

private:
    void Enter(CWnd& window);
    void Leave(CWnd& window);

    bool m_on = false;
    CRect m_savedRect;
    LONG_PTR m_savedStyle = 0;
    LONG_PTR m_savedExStyle = 0;
};
