#include "framework/CommandLineInfo.h"

void CCommandLineInfo::ParseParam(const wchar_t* param, BOOL flag, BOOL)
{
    if (!param)
        return;
    if (!flag) {
        if (m_strFileName.IsEmpty())
            m_strFileName = param;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
        return;
    }
    const CString name(param);
    if (name.CompareNoCase(L"p") == 0)
        m_nShellCommand = FilePrint;
    else if (name.CompareNoCase(L"pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (name.CompareNoCase(L"dde") == 0)
        m_nShellCommand = FileDDE;
    else if (name.CompareNoCase(L"nologo") == 0)
        m_bShowSplash = FALSE;
    else if (name.CompareNoCase(L"Embedding") == 0)
        m_bRunEmbedded = TRUE;
    else if (name.CompareNoCase(L"Automation") == 0)
        m_bRunAutomated = TRUE;
    else if (name.CompareNoCase(L"Register") == 0 || name.CompareNoCase(L"Regserver") == 0)
        m_nShellCommand = AppRegister;
    else if (name.CompareNoCase(L"Unregister") == 0 || name.CompareNoCase(L"Unregserver") == 0)
        m_nShellCommand = AppUnregister;
}
