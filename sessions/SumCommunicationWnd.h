// CSumCommunicationWnd: the hidden session window of one student of a combined window. It owns
// that student's connection as the single session's window does, without the sound, the chat,
// the clipboard and the pad keys; losing its student ends its own session only and tells the
// combined window, whose other panes go on.
#pragma once

#include "sessions/CommunicationWnd.h"

class CSumCommunicationWnd : public CCommunicationWnd {
public:
    using CCommunicationWnd::CCommunicationWnd;

protected:
    afx_msg LRESULT OnNotInCombined(WPARAM, LPARAM) { return 0; }
    afx_msg LRESULT OnStudentLost(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    // A combined session never turns a student's sound on, so its close says nothing of sound.
    void StopStudentSound() override {}
    AFX_THREADPROC PacketThreadProc() const override;
};
