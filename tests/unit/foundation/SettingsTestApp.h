// The application object of the foundation tests, with its registry profile under a key of its
// own (HKCU\Software\Lumora Ostel Test\Lumora Teacher), emptied when first used.
#pragma once

#include "framework/Afx.h"

constexpr wchar_t kTestProfileRoot[] = L"Software\\Lumora Ostel Test";
constexpr wchar_t kTestProfileKey[] = L"Software\\Lumora Ostel Test\\Lumora Teacher";

inline CWinApp& SettingsTestApp()
{
    static CWinApp app(L"Lumora Teacher");
    static const bool prepared = [] {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestProfileRoot);
        app.SetRegistryKey(L"Lumora Ostel Test");
        return true;
    }();
    (void)prepared;
    return app;
}
