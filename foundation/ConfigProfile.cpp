#include "foundation/ConfigProfile.h"

#include "framework/WinApp.h"

CString GetConfigString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue)
{
    CWinApp* app = AfxGetApp();
    return app ? app->GetProfileString(section, key, defaultValue) : CString(defaultValue);
}

bool SetConfigString(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    CWinApp* app = AfxGetApp();
    return app && app->WriteProfileString(section, key, value ? value : L"");
}

int GetConfigInt(const wchar_t* section, const wchar_t* key, int defaultValue)
{
    CWinApp* app = AfxGetApp();
    return app ? static_cast<int>(app->GetProfileInt(section, key, defaultValue)) : defaultValue;
}

bool SetConfigInt(const wchar_t* section, const wchar_t* key, int value)
{
    CWinApp* app = AfxGetApp();
    return app && app->WriteProfileInt(section, key, value);
}
