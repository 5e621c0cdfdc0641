// CWendmarkApp: the teacher console's application object. Its start-up installs the crash
// handling, applies a waiting self-update, prepares the platform, reads the options, picks the
// language module and the UI scale, refuses to run where it must not, and creates the document,
// the (hidden) main frame and the classroom view as the one running console.
#pragma once

#include "framework/WinAppEx.h"

class CWendmarkApp : public CWinAppEx {
public:
    CWendmarkApp();
    ~CWendmarkApp() override = default;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The registry options of section "config" into their globals.
    void LoadAppOptions();
    // g_langResource for g_language; a missing module falls back to the built-in Korean.
    void LoadLanguageModule();

private:
    BOOL StartGdiPlus();
    BOOL ApplyWaitingSelfUpdate();
    BOOL InitPlatform();
    BOOL CheckOperatingSystem();
    void ReadConfigIni();
    void PreparePenTool();
    void ChooseUiScale();
    BOOL RefuseBesideLoginServer();
    BOOL AddDocumentTemplate();
    BOOL RefuseSecondInstance();
    BOOL CreateMainWindow();
    void LetDroppedFilesThrough();

    ULONG_PTR m_gdiplusToken = 0;
    BOOL m_oleStarted = FALSE;
    // The language module's path; later the text of the operating-system refusal.
    CString m_text;
};

extern CWendmarkApp theApp;
