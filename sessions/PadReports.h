// What a student's screen-size report and a pad's state, permission and app-event reports
// ("[PC00039]", "[PC00172]", "[PC00500]") change in its slot record. The student thread's
// dispatcher and a remote session holding the connection both act on them, the same way.
#pragma once

#include "framework/Afx.h"

#include <string>

class CPCInfo;

// The screen and frame sizes of a report; the capture region is reset. False when the report is
// not well-formed (nothing changes).
bool StoreScreenSize(CPCInfo& slot, const std::u16string& arguments);
// Screen, lock and DRM state and the app in front.
void StorePadState(CPCInfo& slot, const std::u16string& arguments);
// The five permission flags (pads only) and the permission-needed notice.
void StorePadPermissions(CPCInfo& slot, const std::u16string& arguments);
// An app the pad ended, as a record for the log window.
void LogPadAppEvent(const CPCInfo& slot, HWND logWindow, const std::u16string& arguments);
