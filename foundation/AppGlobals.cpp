// The program-wide values the start-up fills in.
#include "foundation/AppGlobals.h"

CString g_permissionNeededText;
CString g_configIniPath;
CString g_penToolName;
CString g_penToolPath;
CString g_language = L"Kor";

int g_runWithPenTool = 0;
int g_portFix = 0;
int g_penToolBarMargin = 0;
HWND g_penToolWnd = NoPenToolWindow();
int g_penToolState = 0;
int g_optMinRefresh = 1;
int g_optLightRemotePc = 1;
int g_remoteInputPump = 1;
std::atomic<int> g_openViewCount{0};
std::atomic<HWND> g_remoteViewHwnd{nullptr};
