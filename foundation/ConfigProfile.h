// One setting of the application's registry profile (section, key), through the application
// object. Without an application object or registry key, reads give the default and writes fail.
#pragma once

#include "framework/AfxString.h"

CString GetConfigString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue = L"");
bool SetConfigString(const wchar_t* section, const wchar_t* key, const wchar_t* value);
int GetConfigInt(const wchar_t* section, const wchar_t* key, int defaultValue);
bool SetConfigInt(const wchar_t* section, const wchar_t* key, int value);
