#include "view/core/ScrollThumb.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

bool NeedsScrollColumn(int documentHeight, int clientHeight)
{
    return documentHeight > clientHeight;
}

int ScrollThumbOffset(int clientHeight, int rangeMinimum, int rangeMaximum, int scrollPosition)
{
    const int64_t track = static_cast<int64_t>(clientHeight) - 2 * kScrollButtonSize - kScrollThumbHeight;
    const int64_t scrollable = static_cast<int64_t>(rangeMaximum) - rangeMinimum + 1 - clientHeight;
    if (track <= 0 || scrollable <= 0) return 0;
    const double offset = std::trunc(static_cast<double>(track) / static_cast<double>(scrollable) * scrollPosition);
    return static_cast<int>(std::clamp(offset, 0.0, static_cast<double>(track)));
}
