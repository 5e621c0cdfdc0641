#include "framework/AfxMessageBox.h"

#include "framework/WinApp.h"

#include <ole2.h>
#include <richedit.h>

namespace {

thread_local bool t_oleStarted = false;

HWND MessageBoxOwner()
{
    CWinApp* app = AfxGetApp();
    CWnd* mainWnd = app ? app->m_pMainWnd : nullptr;
    if (mainWnd && mainWnd->GetSafeHwnd() && ::IsWindowVisible(mainWnd->GetSafeHwnd()) &&
        GetWindowThreadProcessId(mainWnd->GetSafeHwnd(), nullptr) == GetCurrentThreadId())
        return mainWnd->GetSafeHwnd();
    return ::GetActiveWindow();
}

} // namespace

int AfxMessageBox(LPCWSTR text, UINT type, UINT helpId)
{
    CWinApp* app = AfxGetApp();
    return ::MessageBoxW(MessageBoxOwner(), text ? text : L"", app ? app->m_pszAppName : nullptr,
                         type);
}

int AfxMessageBox(UINT textId, UINT type, UINT helpId)
{
    return AfxMessageBox(LoadText(textId), type, helpId);
}

BOOL AfxOleInit()
{
    if (t_oleStarted)
        return TRUE;
    const HRESULT result = OleInitialize(nullptr);
    if (FAILED(result))
        return FALSE;
    t_oleStarted = true;
    return TRUE;
}

void AfxOleTermThread()
{
    if (!t_oleStarted)
        return;
    t_oleStarted = false;
    OleUninitialize();
}

BOOL AfxInitRichEdit2()
{
    static HMODULE richEdit = LoadLibraryW(L"riched20.dll");
    return richEdit != nullptr;
}
