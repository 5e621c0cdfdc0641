#include "sessions/SumCommunicationWnd.h"

#include "foundation/AppMessages.h"
#include "sessions/SessionReceiver.h"

BEGIN_MESSAGE_MAP(CSumCommunicationWnd, CCommunicationWnd)
    ON_MESSAGE(WM_TOGGLE_SOUND, OnNotInCombined)
    ON_MESSAGE(WM_SEND_CHAT_TEXT, OnNotInCombined)
    ON_MESSAGE(WM_SEND_CLIPBOARD, OnNotInCombined)
    ON_MESSAGE(WM_SEND_KW00087, OnNotInCombined)
    ON_MESSAGE(WM_SEND_KW00116, OnNotInCombined)
    ON_MESSAGE(WM_PAD_HOME, OnNotInCombined)
    ON_MESSAGE(WM_PAD_BACK, OnNotInCombined)
    ON_MESSAGE(WM_SOCKET_CLOSE, OnStudentLost)
END_MESSAGE_MAP()

// The combined window is told which pane went rather than closed: the other students stay.
LRESULT CSumCommunicationWnd::OnStudentLost(WPARAM wParam, LPARAM lParam)
{
    if (HWND combined = ViewWindow()) {
        ::PostMessageW(combined, WM_SUM_PANE_LOST, reinterpret_cast<WPARAM>(m_hWnd), 0);
        LinkViewWindow(nullptr);
    }
    return OnSocketClose(wParam, lParam);
}

AFX_THREADPROC CSumCommunicationWnd::PacketThreadProc() const
{
    return CSessionReceiver::SumCommPacketThreadProc;
}
