// CWinApp: the application object, the user-interface thread of the main thread. WinMain
// (AppMain.cpp) runs the one global application object: InitInstance, then the message loop
// (Run) until WM_QUIT, then ExitInstance (also when InitInstance returned FALSE).
// Its registry profile lives under HKEY_CURRENT_USER\Software\<registry key>\<app name>\<section>.
#pragma once

#include "framework/WinThread.h"

#include <vector>

// The string of the program's title in its own resources; it names the registry profile.
#define AFX_IDS_APP_TITLE 0xE000

class CDocTemplate;
class CDocument;
class CCommandLineInfo;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // The first application object constructed becomes the one AfxGetApp() returns. The name
    // defaults to the program's title (AFX_IDS_APP_TITLE), so that a renamed executable keeps
    // its profile; without that string, to the executable's file name without its extension.
    explicit CWinApp(const wchar_t* appName = nullptr);
    ~CWinApp() override;

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up and shut-down (CWinThread: InitInstance, Run, ExitInstance).
    virtual BOOL InitApplication() { return TRUE; }
    BOOL InitInstance() override { return TRUE; }
    int Run() override;
    int ExitInstance() override;

    // Document templates (owned by the application from here on).
    void AddDocTemplate(CDocTemplate* docTemplate);
    const std::vector<CDocTemplate*>& GetDocTemplates() const { return m_docTemplates; }
    // A new document of the first template (frame and view included); null on failure.
    virtual CDocument* OnFileNew();
    virtual CDocument* OpenDocumentFile(LPCWSTR path);
    // Closes every document (and so its frames).
    void CloseAllDocuments(BOOL endSession);
    // The command line (m_lpCmdLine's arguments) into the structure.
    void ParseCommandLine(CCommandLineInfo& info);
    // Carries out the parsed command; FALSE when it failed (the application should end).
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    // Shell integration: documents open through the registered file type.
    void EnableShellOpen() { m_bShellOpen = TRUE; }
    // Registers each template's file extension for the current user only
    // (HKEY_CURRENT_USER\Software\Classes), opening with this executable.
    void RegisterShellFileTypes(BOOL compatible = FALSE);

    HICON LoadIcon(UINT id) const;
    static HICON LoadStandardIcon(LPCWSTR id) { return ::LoadIconW(nullptr, id); }
    static HCURSOR LoadStandardCursor(LPCWSTR id) { return ::LoadCursorW(nullptr, id); }

    HINSTANCE m_hInstance = nullptr;
    LPWSTR m_lpCmdLine = nullptr;   // the arguments, without the program name
    int m_nCmdShow = SW_SHOWNORMAL; // how the first frame shows; -1 once it was used

    // Until a registry key is set the profile is unavailable: reads give their defaults and
    // writes fail.
    void SetRegistryKey(const wchar_t* registryKey);

    CString GetProfileString(const wchar_t* section, const wchar_t* entry,
                             const wchar_t* defaultValue = nullptr) const;
    BOOL WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value);
    UINT GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const;
    BOOL WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value);

    // The caller closes the key. GetAppRegistryKey creates it when missing; nullptr without a
    // registry key or when the key cannot be created.
    HKEY GetAppRegistryKey() const;
    HKEY GetSectionKey(const wchar_t* section) const;

    const wchar_t* m_pszAppName = nullptr;       // points into this object; never null
    const wchar_t* m_pszRegistryKey = nullptr;   // null until SetRegistryKey

private:
    CString AppKeyPath() const;
    std::vector<CDocTemplate*> m_docTemplates;
    BOOL m_bShellOpen = FALSE;
    HKEY OpenSectionForRead(const wchar_t* section) const;

    CString m_appName;
    CString m_registryKey;
};

CWinApp* AfxGetApp();

// Runs the application object: what WinMain does (AppMain.cpp). The exe links either with
// -municode (wWinMain) or without (WinMain); both are provided.
int AfxWinMain(HINSTANCE instance, LPWSTR commandLine, int showCommand);
