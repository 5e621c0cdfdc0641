// The arithmetic of the skinned scroll bars and of turning a thumb position into list pixels.
// Every input may be anything a control reports (empty or inverted ranges, a page larger than
// the range, positions outside it): nothing here divides by zero or overflows.
#pragma once

#include <cstdint>

// The scroll information a bar keeps (the fields of SCROLLINFO it uses).
struct ScrollState {
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;
    int trackPosition = 0;
};

// Parts of a bar, as hit tests and painting number them.
enum ScrollBarPart {
    kScrollPartNone = -1,
    kScrollPartFirstArrow = 0,
    kScrollPartLastArrow = 1,
    kScrollPartPageBefore = 2,
    kScrollPartPageAfter = 3,
    kScrollPartThumb = 5,
};

// Lengths along the bar (y for a vertical bar, x for a horizontal one).
struct ScrollBarGeometry {
    int length = 0;        // the whole bar
    int arrow = 0;         // each arrow
    int track = 0;         // between the arrows
    int thumbStart = 0;
    int thumbLength = 0;   // 0: no thumb is drawn
};

// R = maximum - minimum + 1, or 0 when that is not positive.
int64_t ScrollRange(const ScrollState& state);
// F = R - page, or 0 when the page covers the whole range.
int64_t FreeScrollRange(const ScrollState& state);
// The highest position the bar can take: minimum + F.
int MaximumScrollPosition(const ScrollState& state);

// Where the parts lie for a bar of the given length and arrow size; the thumb follows the track
// position while dragging, else the position (clamped into the range either way).
ScrollBarGeometry ComputeScrollBarGeometry(int barLength, int arrowSize, const ScrollState& state,
                                           bool dragging);

// [start, end) of one part along the bar; an empty extent for kScrollPartNone.
void GetScrollPartExtent(const ScrollBarGeometry& geometry, int part, int& start, int& end);

// The part under an offset along the bar, kScrollPartNone outside it.
int HitTestScrollBar(const ScrollBarGeometry& geometry, int offset);

// The track position after the mouse has moved by mouseDelta since a drag began at
// startPosition, clamped into the range.
int TrackPositionForDrag(const ScrollBarGeometry& geometry, const ScrollState& state,
                         int startPosition, int mouseDelta);

// Whether repeating the part's scroll code can move the position no further (an arrow or page
// toward the minimum at the minimum, toward the maximum at the highest position).
bool ScrollPartAtLimit(int part, const ScrollState& state);

// Pixels a list scrolls so that its scroll position goes from current to target, given the
// maximum and page of that bar and the client extent along it: the content extent is
// (maximum + 1) x client / page (client when the page is 0) and the move is
// (target - current) x content / (maximum + 1). 0 when the range is empty.
int ListScrollPixels(int target, int current, int maximum, int page, int clientExtent);
