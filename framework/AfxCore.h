// The framework's basic types and the Win32 headers every window, thread and socket class
// needs, without the window and application classes (Afx.h adds those). Headers of the window
// classes include this one, so that no two framework headers include each other in a circle.
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

// An opaque iterator of the framework's lists (documents' views, list-control selections).
struct AfxPosition;
typedef AfxPosition* POSITION;

#include "framework/Object.h"
#include "framework/RuntimeClass.h"
#include "framework/StringArray.h"
#include "framework/Time.h"
#include "framework/Point.h"
#include "framework/Size.h"
#include "framework/Rect.h"
#include "framework/DC.h"
