// Umbrella header of our application framework: the Win32 headers every window, thread and
// socket class needs, plus the framework's own basic types.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "framework/AfxString.h"
#include "framework/AfxTrace.h"

// The resource module every user-visible text, dialog and bitmap is loaded from (the language
// module when one is loaded, else the executable).
extern HINSTANCE g_langResource;

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

#include "framework/Object.h"
#include "framework/StringArray.h"
#include "framework/Time.h"
#include "framework/DC.h"
#include "framework/WinApp.h"
