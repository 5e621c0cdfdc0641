// CControlSumWinowDlg: the control bar of the combined window: close, the share and touch
// states and the pen tool (CRemoteControlBar); its share button follows the class share.
#pragma once

#include "sessions/RemoteControlBar.h"

#include <atomic>

class CControlSumWinowDlg : public CRemoteControlBar {
public:
    using CRemoteControlBar::CRemoteControlBar;
};

// The bar of the open combined window (its window handle), or null.
extern std::atomic<HWND> g_sumControlBar;
