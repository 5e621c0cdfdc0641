// Where the teacher toolbar's buttons go: the corner column (the three sub-panel switches, rotate
// and the quiz) and the open sub-panel's row of buttons, horizontal or vertical, in design
// pixels (the window scales them by g_uiScale).
#pragma once

#include <vector>

enum ToolbarPanel { kToolbarCollapsed = 0, kToolbarClassPanel = 1, kToolbarStudentPanel = 2, kToolbarSettingsPanel = 3 };

struct ToolbarSize {
    int width = 0;
    int height = 0;
};

struct ToolbarButtonPlace {
    int id = 0;
    int x = 0;
    int y = 0;
    int side = 0;
};

// 602, 390 or 434 by 145 with a panel open (exchanged when vertical), 145 by 145 collapsed.
ToolbarSize ToolbarDesignSize(int panel, bool horizontal);
// The buttons shown for that panel, the corner column's first.
std::vector<ToolbarButtonPlace> ToolbarButtons(int panel, bool horizontal);
// The button ids of a panel's row (empty for none).
std::vector<int> ToolbarPanelButtons(int panel);
// The share settings (capture rectangle, canvas, quality, the two mode pairs and apply) sit on the
// settings panel, in the bands on either side of its button row; none on the other panels.
struct ToolbarControlPlace {
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
std::vector<ToolbarControlPlace> ToolbarShareControls(int panel, bool horizontal);
// Every control ToolbarShareControls places.
std::vector<int> ToolbarShareControlIds();
// The skin bitmap behind the buttons of that panel.
int ToolbarBackLayerBitmap(int panel, bool horizontal);

struct ToolbarSpot {
    int x = 0;
    int y = 0;
};
// Where a toolbar of that size at (x, y) must go so that it stays on a screen of that size: its
// own place while it is wholly on it, else back at the right edge (less the margin) near the
// bottom.
ToolbarSpot KeepToolbarOnScreen(int x, int y, int width, int height, int screenWidth, int screenHeight,
                                int rightMargin);
