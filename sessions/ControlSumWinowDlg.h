// CControlSumWinowDlg: the control bar of the combined window: close, the share and touch
// states and the pen tool (CRemoteControlBar); its share button follows the class share.
#pragma once

#include "sessions/RemoteControlBar.h"

#include <atomic>

class CControlSumWinowDlg : public CRemoteControlBar {
public:
    using CRemoteControlBar::CRemoteControlBar;

protected:
    // The class share may start or stop while the window is open (the toolbar, the
    // remote-controller app): the bar follows it on its timer.
    void UpdateShareButton() override { ShowShareState(); }
};

// The bar of the open combined window (its window handle), or null.
extern std::atomic<HWND> g_sumControlBar;
