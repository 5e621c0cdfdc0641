#include "shell/PenToolState.h"

#include "foundation/AppGlobals.h"
#include "foundation/FileUtil.h"
#include "foundation/Registry.h"

#include <shellapi.h>

void ReadPenToolState()
{
    CRegistry registry(HKEY_CURRENT_USER, true);
    if (!registry.OpenKey(kPenToolRegistryKey)) return;
    const DWORD window = registry.ReadDWORD(L"ProcessHWND", 0xFFFFFFFFu);
    g_penToolWnd = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(window)));
    g_penToolState = static_cast<int>(registry.ReadDWORD(L"ProcessState", 0));
    g_penToolName = registry.ReadString(L"ProcessName");
    g_penToolPath = registry.ReadString(L"ProcessPath");
}

BOOL StartPenTool()
{
    ReadPenToolState();
    if (g_penToolPath.IsEmpty() || g_penToolWnd == NoPenToolWindow()) return FALSE;
    const DWORD attributes = GetFileAttributesW(g_penToolPath);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return FALSE;
    if (IsWindow(g_penToolWnd)) return FALSE;
    const CString fileName = g_penToolPath.Mid(g_penToolPath.ReverseFind(L'\\') + 1);
    if (IsProcessRunning(fileName)) return FALSE;
    const HINSTANCE started = ShellExecuteW(nullptr, L"open", g_penToolPath, L"/hide:true ", nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(started) > 32;
}
