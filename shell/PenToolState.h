// The external pen-drawing program: what it publishes in the registry, and starting it.
#pragma once

#include "framework/Afx.h"

// Where the pen program publishes its window, state, process name and path.
constexpr wchar_t kPenToolRegistryKey[] = L"Software\\Tessaly\\Inkvane Pen";

// Reads the published values into g_penToolWnd ((HWND)-1 when missing), g_penToolState (0 when
// missing), g_penToolName and g_penToolPath. When the key cannot be opened they keep their values.
void ReadPenToolState();

// Starts the pen program ("/hide:true ") when it is installed, has published a window that is
// no longer alive, and no process of its file name runs. TRUE when it was started.
BOOL StartPenTool();
