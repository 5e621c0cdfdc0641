#include "sessions/ControlSumWinowDlg.h"

std::atomic<HWND> g_sumControlBar{nullptr};
