#include "activities/pentool/core/NoteGeometry.h"

#include <algorithm>
#include <cstdio>

namespace note {

int StrokeWidth(int kind, int widthIndex)
{
    if (kind == kEraserKind) return kEraserSide;
    if (kind != kPenKind) return 10;
    switch (widthIndex) {
    case 1: return 2;
    case 2: return 5;
    case 3: return 8;
    case 4: return 11;
    default: return 10;
    }
}

Square EraserSquare(int x, int y)
{
    const int left = x - kEraserSide / 2 + kEraserOffsetX;
    const int top = y - kEraserSide / 2 + kEraserOffsetY;
    return Square{std::max(left, 0), std::max(top, 0), left + kEraserSide, top + kEraserSide};
}

PageCanvas CanvasForPage(int screenWidth, int page)
{
    const int step = screenWidth / 2;
    return PageCanvas{-page * step, screenWidth + page * step};
}

int HighestPage(int screenWidth, int screenHeight)
{
    if (screenWidth <= 0 || screenHeight <= 0) return 0;
    int page = 0;
    while (page < kLastPage) {
        const int64_t width = CanvasForPage(screenWidth, page + 1).width;
        if (width > kMaxCanvasWidth || width * screenHeight > kMaxCanvasPixels) break;
        ++page;
    }
    return page;
}

std::string NoteFileName(int year, int month, int day, int hour, int minute, int second, int copy)
{
    char text[96];
    if (copy > 1)
        std::snprintf(text, sizeof text, "%04d%02d%02d_%02d%02d%02d_%d.jpg", year, month, day, hour,
                      minute, second, copy);
    else
        std::snprintf(text, sizeof text, "%04d%02d%02d_%02d%02d%02d.jpg", year, month, day, hour,
                      minute, second);
    return text;
}

} // namespace note
