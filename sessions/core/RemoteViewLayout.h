// The arithmetic of a remote view window: how the student's screen fills the window (1:1 with
// scroll bars, fitted, or a portrait screen fitted with its aspect kept and centred), the scroll
// ranges, and how a point of the window maps to a pixel of the student's screen.
#pragma once

struct RemoteViewGeometry {
    int studentWidth = 0;
    int studentHeight = 0;
    int windowWidth = 0;      // the whole window, frame included
    int windowHeight = 0;
    int frameWidth = 0;       // window size minus client size (0 in full screen)
    int frameHeight = 0;
    bool fullScreen = false;
    bool stretched = false;   // fitted to the window (always so in full screen)
};

struct RemoteViewLayout {
    bool stretched = false;
    double scaleX = 1.0;      // student pixels per window pixel
    double scaleY = 1.0;
    int horizontalRange = 0;  // scroll ranges of the 1:1 layout
    int verticalRange = 0;
    int targetWidth = 0;      // what is painted: the client (the student's size when smaller 1:1)
    int targetHeight = 0;
    bool portrait = false;    // fitted and taller than wide: aspect kept, centred
    int drawnWidth = 0;
    int freeWidth = 0;
    double aspectScaleX = 1.0;
    double aspectScaleY = 1.0;
};

RemoteViewLayout LayOutRemoteView(const RemoteViewGeometry& geometry);

// A client point of the window as a pixel of the student's screen (truncated).
void MapViewPoint(const RemoteViewLayout& layout, int scrollX, int scrollY, int& x, int& y);

// A scroll bar request in the 1:1 layout: a line is 10 pixels, a page 100, a thumb position is
// taken as it comes; the result stays within 0 and limit.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom, Other };
int ScrollTo(int position, ScrollRequest request, int thumb, int limit);
