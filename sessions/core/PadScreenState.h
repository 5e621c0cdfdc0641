// The screen, lock and DRM state a pad reports with "[PC00039]" (app,word,...), as the slot
// record keeps it and the grid draws it.
#pragma once

#include <string>

enum class PadStateWord { DrmOn, DrmOff, LockOn, LockOff, ScreenOn, ScreenOff, Other };

struct PadStateReport {
    std::u16string foregroundApp;
    PadStateWord word = PadStateWord::Other;
};

// More than three fields are needed: field 0 is the app in front, field 1 the word.
bool ReadPadStateReport(const std::u16string& arguments, PadStateReport& report);

struct PadScreenState {
    bool drmOn = false;
    bool locked = false;
    bool screenOn = true;
    int screenOffReports = 0;
    std::u16string foregroundApp;
};

// A pad whose screen-off report was lost would stay dark in the grid for good: the seventh
// DRM or lock-on report in a row while the screen is off turns it on again.
void ApplyPadStateReport(PadScreenState& state, const PadStateReport& report);

// The messenger whose use the grid marks.
bool IsMessengerApp(const std::u16string& packageName);
