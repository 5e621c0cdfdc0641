// CWinAppEx: the application base of the program; nothing beyond CWinApp is needed here (the
// skinned windows paint themselves).
#pragma once

#include "framework/WinApp.h"

class CWinAppEx : public CWinApp {
public:
    // resourceSmartUpdate is accepted for the callers' sake; there is no tool-bar state to keep.
    explicit CWinAppEx(BOOL resourceSmartUpdate = FALSE, const wchar_t* appName = nullptr)
        : CWinApp(appName) {}
};
