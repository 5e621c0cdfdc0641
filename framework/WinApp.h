// CWinApp: the application object. This part holds its name and its registry profile
// (HKEY_CURRENT_USER\Software\<registry key>\<application name>\<section>).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "framework/AfxString.h"
#include "framework/Object.h"

class CWinApp : public CObject {
public:
    // The first application object constructed becomes the one AfxGetApp() returns. The name
    // defaults to the executable's file name without its extension.
    explicit CWinApp(const wchar_t* appName = nullptr);
    ~CWinApp() override;

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

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
    HKEY OpenSectionForRead(const wchar_t* section) const;

    CString m_appName;
    CString m_registryKey;
};

CWinApp* AfxGetApp();
