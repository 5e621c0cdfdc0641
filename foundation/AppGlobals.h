// The program-wide values the start-up fills in, read across the console: data only, below
// every window, so that any layer may read them.
#pragma once

#include "framework/Afx.h"

#include <atomic>

extern CString g_permissionNeededText;   // shown when a pad has not given a permission
extern CString g_configIniPath;          // full path of "config.ini" in the program folder
extern CString g_penToolName;            // process name the external pen program publishes
extern CString g_penToolPath;            // its executable path
extern CString g_language;               // "Kor" (built-in resources) or a language module's code

extern int g_runWithPenTool;             // config.ini "runwithzephine"
extern int g_portFix;                    // config.ini "portfix"
extern int g_penToolBarMargin;           // 98 with the pen program, else 0
extern HWND g_penToolWnd;                // window the pen program publishes; (HWND)-1 when none
extern int g_penToolState;               // state it publishes; 0 when none
extern int g_optMinRefresh;              // registry "optminrefresh"
extern int g_optLightRemotePc;           // registry "optlightremotepc"
extern int g_remoteInputPump;            // always 1: remote sessions run their input-flush thread
extern std::atomic<int> g_openViewCount; // student view windows open now (each counts itself)
extern std::atomic<HWND> g_remoteViewHwnd; // the open remote-view window (one student or four), or null

// The value the pen program's window handle has when it published none.
inline HWND NoPenToolWindow() { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)); }
