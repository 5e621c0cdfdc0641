#include "ui/core/ScrollGeometry.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int kMinimumThumbLength = 6;
constexpr int kTrackTooShortForThumb = 5;

int ClampToInt(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

int64_t ClampedOffset(int position, const ScrollState& state)
{
    const int64_t offset = static_cast<int64_t>(position) - state.minimum;
    return std::clamp<int64_t>(offset, 0, FreeScrollRange(state));
}

int ThumbLength(int64_t track, const ScrollState& state)
{
    const int64_t range = ScrollRange(state);
    if (track <= kTrackTooShortForThumb || FreeScrollRange(state) == 0 || range == 0)
        return 0;
    const int64_t page = std::max(state.page, 0);
    const int64_t length = page * track / range;
    return static_cast<int>(std::clamp<int64_t>(length, kMinimumThumbLength, track));
}

} // namespace

int64_t ScrollRange(const ScrollState& state)
{
    const int64_t range = static_cast<int64_t>(state.maximum) - state.minimum + 1;
    return std::max<int64_t>(range, 0);
}

int64_t FreeScrollRange(const ScrollState& state)
{
    return std::max<int64_t>(ScrollRange(state) - std::max(state.page, 0), 0);
}

int MaximumScrollPosition(const ScrollState& state)
{
    return ClampToInt(static_cast<int64_t>(state.minimum) + FreeScrollRange(state));
}

ScrollBarGeometry ComputeScrollBarGeometry(int barLength, int arrowSize, const ScrollState& state,
                                           bool dragging)
{
    ScrollBarGeometry geometry;
    geometry.length = std::max(barLength, 0);
    const int arrow = std::max(arrowSize, 0);
    const int64_t track = std::max<int64_t>(int64_t{geometry.length} - 2 * int64_t{arrow}, 0);
    geometry.track = static_cast<int>(track);
    geometry.arrow = track == 0 ? geometry.length / 2 : arrow;
    geometry.thumbLength = ThumbLength(track, state);

    const int64_t free = FreeScrollRange(state);
    const int64_t room = track - geometry.thumbLength;
    int64_t start = geometry.arrow + room / 2;
    if (free > 0) {
        const int64_t offset = ClampedOffset(dragging ? state.trackPosition : state.position, state);
        start = geometry.arrow + offset * room / free;
    }
    geometry.thumbStart = static_cast<int>(start);
    return geometry;
}

void GetScrollPartExtent(const ScrollBarGeometry& geometry, int part, int& start, int& end)
{
    const int thumbEnd = geometry.thumbStart + geometry.thumbLength;
    const int lastArrowStart = geometry.length - geometry.arrow;
    switch (part) {
    case kScrollPartFirstArrow: start = 0; end = geometry.arrow; break;
    case kScrollPartPageBefore: start = geometry.arrow; end = geometry.thumbStart; break;
    case kScrollPartThumb: start = geometry.thumbStart; end = thumbEnd; break;
    case kScrollPartPageAfter: start = thumbEnd; end = lastArrowStart; break;
    case kScrollPartLastArrow: start = lastArrowStart; end = geometry.length; break;
    default: start = end = 0; break;
    }
    end = std::max(start, end);
}

int HitTestScrollBar(const ScrollBarGeometry& geometry, int offset)
{
    static const int kOrder[] = {kScrollPartFirstArrow, kScrollPartPageBefore, kScrollPartThumb,
                                 kScrollPartPageAfter, kScrollPartLastArrow};
    for (int part : kOrder) {
        int start = 0;
        int end = 0;
        GetScrollPartExtent(geometry, part, start, end);
        if (offset >= start && offset < end)
            return part;
    }
    return kScrollPartNone;
}

int TrackPositionForDrag(const ScrollBarGeometry& geometry, const ScrollState& state,
                         int startPosition, int mouseDelta)
{
    const int64_t room = int64_t{geometry.track} - geometry.thumbLength;
    int64_t offset = ClampedOffset(startPosition, state);
    if (room > 0)
        offset += std::clamp<int64_t>(mouseDelta, -room, room) * FreeScrollRange(state) / room;
    offset = std::clamp<int64_t>(offset, 0, FreeScrollRange(state));
    return ClampToInt(state.minimum + offset);
}

bool ScrollPartAtLimit(int part, const ScrollState& state)
{
    if (FreeScrollRange(state) == 0)
        return true;
    switch (part) {
    case kScrollPartFirstArrow:
    case kScrollPartPageBefore:
        return state.position <= state.minimum;
    case kScrollPartLastArrow:
    case kScrollPartPageAfter:
        return state.position >= MaximumScrollPosition(state);
    default:
        return true;
    }
}

int ListScrollPixels(int target, int current, int maximum, int page, int clientExtent)
{
    const int64_t steps = int64_t{maximum} + 1;
    if (steps <= 0)
        return 0;
    const int64_t client = std::max(clientExtent, 0);
    int64_t content = page > 0 ? steps * client / page : client;
    content = std::min<int64_t>(content, INT_MAX);   // keeps the product below in range
    return ClampToInt((int64_t{target} - current) * content / steps);
}
