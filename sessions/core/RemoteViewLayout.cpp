#include "sessions/core/RemoteViewLayout.h"

#include <algorithm>

namespace {

constexpr int kScrollMargin = 16;
constexpr int kScrollLine = 10;
constexpr int kScrollPage = 100;

// Only what the client shows of the student's screen is painted: a large screen costs no larger
// a back buffer than the window.
void LayOutOneToOne(const RemoteViewGeometry& g, RemoteViewLayout& layout)
{
    layout.targetWidth = std::min(g.studentWidth, std::max(1, g.windowWidth - g.frameWidth));
    layout.targetHeight = std::min(g.studentHeight, std::max(1, g.windowHeight - g.frameHeight));
    const int hiddenWidth = std::max(0, g.studentWidth + g.frameWidth - g.windowWidth);
    const int hiddenHeight = std::max(0, g.studentHeight + g.frameHeight - g.windowHeight);
    if (hiddenWidth == 0 && hiddenHeight == 0)
        return;
    layout.horizontalRange = hiddenWidth + kScrollMargin;
    layout.verticalRange = hiddenHeight + kScrollMargin;
}

void LayOutFitted(const RemoteViewGeometry& g, RemoteViewLayout& layout)
{
    const int width = g.fullScreen ? g.windowWidth : g.windowWidth - g.frameWidth;
    const int height = g.fullScreen ? g.windowHeight : g.windowHeight - g.frameHeight;
    layout.targetWidth = std::max(1, width);
    layout.targetHeight = std::max(1, height);
    layout.scaleX = static_cast<double>(g.studentWidth) / layout.targetWidth;
    layout.scaleY = static_cast<double>(g.studentHeight) / layout.targetHeight;
    layout.portrait = g.studentWidth < g.studentHeight;
    if (!layout.portrait || g.studentHeight <= 0)
        return;
    layout.drawnWidth = static_cast<int>(static_cast<long long>(layout.targetHeight) * g.studentWidth /
                                         g.studentHeight);
    layout.freeWidth = layout.targetWidth - layout.drawnWidth;
    layout.aspectScaleX = layout.drawnWidth > 0 ? static_cast<double>(g.studentWidth) / layout.drawnWidth : 1.0;
    layout.aspectScaleY = static_cast<double>(g.studentHeight) / layout.targetHeight;
}

} // namespace

RemoteViewLayout LayOutRemoteView(const RemoteViewGeometry& geometry)
{
    RemoteViewLayout layout;
    layout.stretched = geometry.stretched || geometry.fullScreen;
    if (layout.stretched)
        LayOutFitted(geometry, layout);
    else
        LayOutOneToOne(geometry, layout);
    return layout;
}

void MapViewPoint(const RemoteViewLayout& layout, int scrollX, int scrollY, int& x, int& y)
{
    if (!layout.stretched) {
        x += scrollX;
        y += scrollY;
    } else if (layout.portrait) {
        x = static_cast<int>((x - layout.freeWidth / 2) * layout.aspectScaleX);
        y = static_cast<int>(y * layout.aspectScaleY);
    } else {
        x = static_cast<int>(x * layout.scaleX);
        y = static_cast<int>(y * layout.scaleY);
    }
}

int ScrollTo(int position, ScrollRequest request, int thumb, int limit)
{
    switch (request) {
    case ScrollRequest::LineUp: position -= kScrollLine; break;
    case ScrollRequest::LineDown: position += kScrollLine; break;
    case ScrollRequest::PageUp: position -= kScrollPage; break;
    case ScrollRequest::PageDown: position += kScrollPage; break;
    case ScrollRequest::Thumb: position = thumb; break;
    case ScrollRequest::Top: position = 0; break;
    case ScrollRequest::Bottom: position = limit; break;
    case ScrollRequest::Other: break;
    }
    return std::clamp(position, 0, std::max(0, limit));
}
