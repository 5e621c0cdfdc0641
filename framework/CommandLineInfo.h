// CCommandLineInfo: the program's command line, parsed by CWinApp::ParseCommandLine and
// carried out by ProcessShellCommand.
#pragma once

#include "framework/AfxCore.h"

class CCommandLineInfo : public CObject {
public:
    enum ShellCommand {
        FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister,
        FileNothing = -1
    };

    // One argument; flag: it began with '-' or '/', which is taken off. last: the final one.
    virtual void ParseParam(const wchar_t* param, BOOL flag, BOOL last);

    ShellCommand m_nShellCommand = FileNew;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;
};
