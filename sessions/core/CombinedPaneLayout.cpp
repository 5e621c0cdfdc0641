#include "sessions/core/CombinedPaneLayout.h"

PaneRect CombinedPaneRect(int paneCount, int pane, int width, int height)
{
    PaneRect rect;
    if (pane < 0 || pane >= paneCount || paneCount > kMaxCombinedPanes)
        return rect;
    if (paneCount == 1) {
        rect.width = width;
        rect.height = height;
        return rect;
    }
    rect.width = width / 2;
    rect.height = height / 2;
    rect.left = (pane % 2) * (width / 2);
    rect.top = paneCount == 2 ? height / 4 : (pane / 2) * (height / 2);
    return rect;
}

PaneHit HitTestCombinedPane(int paneCount, int width, int height, int x, int y)
{
    PaneHit hit;
    if (paneCount < 1 || paneCount > kMaxCombinedPanes || x < 0 || y < 0 || x >= width || y >= height)
        return hit;
    int pane = 0;
    if (paneCount == 2)
        pane = x >= width / 2 ? 1 : 0;
    else if (paneCount > 2)
        pane = (x >= width / 2 ? 1 : 0) + (y >= height / 2 ? 2 : 0);
    if (pane >= paneCount)
        return hit;
    const PaneRect rect = CombinedPaneRect(paneCount, pane, width, height);
    // Two panes leave a band above and below them that belongs to neither student.
    if (y < rect.top || y >= rect.top + rect.height)
        return hit;
    hit.pane = pane;
    hit.x = x - rect.left;
    hit.y = y - rect.top;
    return hit;
}

void ScalePanePoint(int studentWidth, int studentHeight, const PaneRect& pane, int& x, int& y)
{
    if (pane.width <= 0 || pane.height <= 0)
        return;
    x = static_cast<int>(x * (static_cast<double>(studentWidth) / pane.width));
    y = static_cast<int>(y * (static_cast<double>(studentHeight) / pane.height));
}
