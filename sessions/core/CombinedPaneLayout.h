// The arithmetic of the combined window that shows up to four students: where each pane lies in
// the client area, which pane a client point falls in and where that point is on the student's
// screen. One pane fills the client; two sit side by side, half wide and half high, their top at
// a quarter of the height; three or four share a 2 x 2 grid (with three the bottom-right quarter
// stays empty).
#pragma once

constexpr int kMaxCombinedPanes = 4;

struct PaneRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The pane's rectangle in a client of width x height; empty for a pane that is not shown.
PaneRect CombinedPaneRect(int paneCount, int pane, int width, int height);

struct PaneHit {
    int pane = -1;   // -1: no pane (the empty quarter, the bands above and below two panes)
    int x = 0;       // the point relative to the pane's corner, before scaling
    int y = 0;
};

PaneHit HitTestCombinedPane(int paneCount, int width, int height, int x, int y);

// A pane point as a pixel of the student's screen (truncated).
void ScalePanePoint(int studentWidth, int studentHeight, const PaneRect& pane, int& x, int& y);
