// The platform the console runs on: OS version, network adapters, the interactive user's
// session and desktop folder, and the monitors.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "framework/AfxString.h"
#include "framework/StringArray.h"

#include <vector>

// Filled by GetOSVersion (the application object's constructor calls it once).
extern DWORD g_osPlatformId;
extern DWORD g_osMajorVersion;
extern DWORD g_osMinorVersion;

// Platform from the system's version call; major and minor from the network API's workstation
// information (level 100), or from the version call when that fails.
void GetOSVersion();

// Every IPv4 address of every adapter, except empty ones and "0.0.0.0"; gives the first, or
// "0.0.0.0" when there is none.
CString GetLocalIPList(CStringArray& addresses);

// The adapters' hardware addresses as "%02X:%02X:%02X:%02X:%02X:%02X"; with an address given,
// only the adapter that holds it. Gives the number found.
int GetMacAddresses(CStringArray& macs, const wchar_t* address = nullptr);

// The user of the active terminal session, else of the current one; empty when unknown.
CString GetActiveSessionUserName();
// The string SID of the owner of "explorer.exe" in that session; empty when none is found.
CString GetExplorerUserSid();
// The interactive user's Desktop folder: that user's "Shell Folders" value, else the current
// user's, else the system's desktop-directory folder.
CString GetUserDesktopPath();

// All monitors in the system's order; gives the index of the one that holds the point, or -1.
int GetMonitorRects(std::vector<RECT>& rects, POINT point);
