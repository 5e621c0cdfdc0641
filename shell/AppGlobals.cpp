// The program-wide objects, defined in one place so that they are constructed in this order
// (and destroyed in the reverse one).
#include "shell/AppGlobals.h"

#include "shell/WendmarkApp.h"

CString g_permissionNeededText;
CString g_configIniPath;
CString g_penToolName;
CString g_penToolPath;
CWendmarkApp theApp;
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
