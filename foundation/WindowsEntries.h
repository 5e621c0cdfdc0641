// The two entries the console makes in Windows at every start: a firewall exception for the
// program and a compatibility-layer flag for its path.
#pragma once

#include "framework/AfxString.h"

// netsh firewall add allowedprogram "<path>" "<name>" ENABLE, with every backslash of the path doubled.
CString MakeFirewallCommand(const wchar_t* exePath, const wchar_t* name);
// Starts that command without a window and without waiting; its outcome is not checked.
// True when the command could be started.
bool AddFirewallException(const wchar_t* exePath, const wchar_t* name);

// Adds the flag to the current user's AppCompatFlags\Layers value named by the path, unless
// it is already one of the value's words. True when the value holds the flag afterwards.
bool SetAppCompatLayer(const wchar_t* exePath, const wchar_t* flag);

extern const wchar_t kAppCompatLayersKey[];
