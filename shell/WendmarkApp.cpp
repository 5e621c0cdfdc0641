#include "shell/WendmarkApp.h"

#include "foundation/AppGlobals.h"
#include "foundation/ConfigProfile.h"
#include "foundation/FileUtil.h"
#include "foundation/IniFile.h"
#include "foundation/SystemInfo.h"
#include "framework/AfxMessageBox.h"
#include "framework/AsyncSocket.h"
#include "framework/CommandLineInfo.h"
#include "framework/SingleDocTemplate.h"
#include "res/resource.h"
#include "shell/CrashHandler.h"
#include "shell/InstanceCounter.h"
#include "shell/LanguageModule.h"
#include "shell/MainFrame.h"
#include "shell/PenToolState.h"
#include "shell/SelfUpdate.h"
#include "shell/WendmarkDoc.h"
#include "shell/core/LanguageModulePath.h"
#include "shell/core/UiScaleRule.h"
#include "ui/ShowMessageBox.h"
#include "ui/UiScale.h"
#include "view/WendmarkView.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <new>

namespace {

const wchar_t kLoginServerProcess[] = L"Lumora Login Server.exe";

int ReadIniInt(const wchar_t* key)
{
    return _wtoi(IniGetString(L"default", key, L"0", g_configIniPath));
}

}  // namespace

// The program's one application object; the values it fills in at start-up are the data-only
// globals of foundation/AppGlobals.h, which its constructor does not touch.
CWendmarkApp theApp;

CWendmarkApp::CWendmarkApp() : CWinAppEx(TRUE)
{
    GetOSVersion();
}

BOOL CWendmarkApp::InitInstance()
{
    InstallCrashHandler();
    // The update needs nothing of what follows, so nothing that fails later can keep it waiting.
    if (ApplyWaitingSelfUpdate()) return FALSE;
    // Before anything can show a message box: the skinned box draws with GDI+.
    if (!StartGdiPlus()) return FALSE;
    if (!InitPlatform()) return FALSE;
    SetRegistryKey(L"Lumora Ostel");
    LoadAppOptions();
    LoadLanguageModule();
    if (!CheckOperatingSystem()) return FALSE;
    if (!AfxOleInit()) {
        AfxMessageBox(IDS_OLE_INIT_FAILED);
        return FALSE;
    }
    m_oleStarted = TRUE;
    AfxEnableControlContainer();
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
    ReadConfigIni();
    PreparePenTool();
    ChooseUiScale();
    if (RefuseBesideLoginServer()) return FALSE;
    if (!AddDocumentTemplate()) return FALSE;
    if (RefuseSecondInstance()) return FALSE;
    if (!CreateMainWindow()) return FALSE;
    LetDroppedFilesThrough();
    return TRUE;
}

BOOL CWendmarkApp::StartGdiPlus()
{
    Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) == Gdiplus::Ok;
}

BOOL CWendmarkApp::ApplyWaitingSelfUpdate()
{
    return IsSelfUpdateWaiting() && RunSelfUpdate();
}

BOOL CWendmarkApp::InitPlatform()
{
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = 8;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
    if (!AfxSocketInit()) {
        AfxMessageBox(IDS_SOCKETS_INIT_FAILED);
        return FALSE;
    }
    AfxInitRichEdit2();
    return TRUE;
}

void CWendmarkApp::LoadAppOptions()
{
    g_optMinRefresh = GetConfigInt(L"config", L"optminrefresh", 1);
    g_optLightRemotePc = GetConfigInt(L"config", L"optlightremotepc", 1);
    g_language = GetConfigString(L"config", L"language", kBuiltInLanguage);
    g_remoteInputPump = 1;
}

void CWendmarkApp::LoadLanguageModule()
{
    g_langResource = LoadLanguageModuleFor(GetModuleDirectory(), g_language, m_text);
}

BOOL CWendmarkApp::CheckOperatingSystem()
{
    const bool nt = g_osPlatformId == VER_PLATFORM_WIN32_NT;
    const bool xpOrLater = g_osMajorVersion > 5 || (g_osMajorVersion == 5 && g_osMinorVersion != 0);
    if (nt && xpOrLater) return TRUE;
    m_text = LoadText(IDS_OS_TOO_OLD);
    ShowMessageBox(m_text, nullptr, 0);
    return FALSE;
}

void CWendmarkApp::ReadConfigIni()
{
    OpenIniFile(L"config.ini", g_configIniPath);
    g_runWithPenTool = ReadIniInt(L"runwithzephine");
    g_portFix = ReadIniInt(L"portfix");
}

void CWendmarkApp::PreparePenTool()
{
    if (!g_runWithPenTool) return;
    g_penToolBarMargin = 98;
    ReadPenToolState();
    if (g_penToolPath.IsEmpty() || GetFileAttributesW(g_penToolPath) == INVALID_FILE_ATTRIBUTES) return;
    // The pen program draws over the desktop, which composition would hide from it.
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    if (!dwm) return;
    typedef HRESULT(WINAPI * EnableCompositionFn)(UINT);
    auto enable = reinterpret_cast<EnableCompositionFn>(
        reinterpret_cast<void*>(GetProcAddress(dwm, MAKEINTRESOURCEA(102))));
    if (enable) enable(0);
    FreeLibrary(dwm);
}

void CWendmarkApp::ChooseUiScale()
{
    const float computed = ComputeUiScale(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const CString setting = IniGetString(L"default", L"scalefactor", L"", g_configIniPath);
    g_uiScale = ApplyScaleFactorSetting(computed, setting.Str());
}

BOOL CWendmarkApp::RefuseBesideLoginServer()
{
    if (!IsProcessRunning(kLoginServerProcess)) return FALSE;
    AfxMessageBox(LoadText(IDS_LOGIN_SERVER_ON_THIS_PC) + L"\n" + LoadText(IDS_PROGRAM_ENDS));
    return TRUE;
}

BOOL CWendmarkApp::AddDocumentTemplate()
{
    auto* docTemplate = new (std::nothrow) CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CWendmarkDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CWendmarkView));
    if (!docTemplate) return FALSE;
    AddDocTemplate(docTemplate);
    return TRUE;
}

BOOL CWendmarkApp::RefuseSecondInstance()
{
    if (CountThisInstance() <= 1) return FALSE;
    if (IsBuiltInLanguage(g_language.Str())) {
        CString text;
        text.Format(LoadText(IDS_ALREADY_RUNNING), L"Lumora");
        ShowMessageBox(text + L"\n" + LoadText(IDS_ALREADY_RUNNING_HINT), nullptr, 0);
    }
    return TRUE;
}

BOOL CWendmarkApp::CreateMainWindow()
{
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    // The main window stays hidden until the teacher has logged in.
    m_nCmdShow = SW_HIDE;
    if (!ProcessShellCommand(commandLine) || !m_pMainWnd) return FALSE;
    m_pMainWnd->ShowWindow(SW_HIDE);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

void CWendmarkApp::LetDroppedFilesThrough()
{
    HMODULE user32 = LoadLibraryW(L"USER32.DLL");
    if (!user32) return;
    typedef BOOL(WINAPI * ChangeFilterFn)(UINT, DWORD);
    auto change = reinterpret_cast<ChangeFilterFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")));
    if (change) {
        const DWORD add = 1;
        change(WM_DROPFILES, add);
        change(WM_COPYDATA, add);
        change(0x49, add);   // WM_COPYGLOBALDATA, which file drops use
    }
    FreeLibrary(user32);
}

int CWendmarkApp::ExitInstance()
{
    if (g_langResource && !IsBuiltInLanguage(g_language.Str())) {
        FreeLanguageModule(g_langResource);
        g_langResource = nullptr;
    }
    if (m_gdiplusToken) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    if (m_oleStarted) AfxOleTermThread();
    UncountThisInstance();
    return CWinAppEx::ExitInstance();
}
