// What a newly admitted student is told, in order, right after its thread starts: the grid's
// scroll position, the restrictions in force, the prohibited programs and, while the class
// screen share runs, its settings and start.
#pragma once

#include <string>
#include <vector>

struct RestrictionFlags {
    bool captureAllWindows = true;
    bool forbidKeyboard = false;
    bool forbidMouse = false;
    bool forbidEnding = false;
    bool hideTrayIcon = false;
    bool forbidTaskManager = false;
    bool forbidWebBrowsers = false;
    bool forbidUsbStorage = false;
    bool forbidOtherPrograms = false;
};

struct ShareSettings {
    int canvasWidth = 0;
    int canvasHeight = 0;
    bool fullScreen = true;     // "full", else "window"
    bool resize = true;         // "resize", else "center"
};

struct AdmissionState {
    int scrollPosition = 0;
    RestrictionFlags restrictions;
    bool lightRemotePc = false;         // option "optlightremotepc"
    std::u16string padProgramList;      // the prohibited programs with the pad package names added
    bool screenSharing = false;
    ShareSettings share;
};

std::vector<std::u16string> AdmissionStateCommands(const AdmissionState& state);
