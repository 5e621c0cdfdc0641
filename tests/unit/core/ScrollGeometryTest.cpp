#include "ui/core/ScrollGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

ScrollState State(int minimum, int maximum, int page, int position, int track = 0)
{
    ScrollState state;
    state.minimum = minimum;
    state.maximum = maximum;
    state.page = page;
    state.position = position;
    state.trackPosition = track;
    return state;
}

TEST(ScrollGeometryTest, ThumbIsProportionalAndFollowsThePosition)
{
    // Bar 216, arrows 16: track 184; range 100, page 50 -> thumb 92, positions 0..50.
    const ScrollState top = State(0, 99, 50, 0);
    ScrollBarGeometry g = ComputeScrollBarGeometry(216, 16, top, false);
    EXPECT_EQ(g.arrow, 16);
    EXPECT_EQ(g.track, 184);
    EXPECT_EQ(g.thumbLength, 92);
    EXPECT_EQ(g.thumbStart, 16);

    g = ComputeScrollBarGeometry(216, 16, State(0, 99, 50, 50), false);
    EXPECT_EQ(g.thumbStart + g.thumbLength, 200);   // against the last arrow
    g = ComputeScrollBarGeometry(216, 16, State(0, 99, 50, 25), false);
    EXPECT_EQ(g.thumbStart, 16 + 46);

    // While dragging the thumb shows the track position.
    g = ComputeScrollBarGeometry(216, 16, State(0, 99, 50, 0, 50), true);
    EXPECT_EQ(g.thumbStart, 108);
}

TEST(ScrollGeometryTest, ShortTracksAndSmallPagesKeepAUsableThumb)
{
    // Track 8, range 100, page 10: 10 x 8 / 100 is 0, raised to 6.
    EXPECT_EQ(ComputeScrollBarGeometry(40, 16, State(0, 99, 10, 0), false).thumbLength, 6);
    // A track of 5 or less has no thumb.
    EXPECT_EQ(ComputeScrollBarGeometry(37, 16, State(0, 99, 10, 0), false).thumbLength, 0);
    // No track at all: the arrows share the bar.
    const ScrollBarGeometry g = ComputeScrollBarGeometry(20, 16, State(0, 99, 10, 0), false);
    EXPECT_EQ(g.track, 0);
    EXPECT_EQ(g.arrow, 10);
    int start = 0, end = 0;
    GetScrollPartExtent(g, kScrollPartLastArrow, start, end);
    EXPECT_EQ(start, 10);
    EXPECT_EQ(end, 20);
}

TEST(ScrollGeometryTest, NothingToScrollCentresAnEmptyThumb)
{
    // Page equal to, larger than the range, an inverted range, a zero page over an empty one.
    const ScrollState cases[] = {State(0, 9, 10, 0), State(0, 9, 500, 3), State(5, 2, 1, 4),
                                 State(0, -1, 0, 0), State(INT_MIN, INT_MAX, INT_MAX, INT_MAX)};
    for (const ScrollState& state : cases) {
        SCOPED_TRACE(state.maximum);
        const ScrollBarGeometry g = ComputeScrollBarGeometry(116, 16, state, false);
        if (FreeScrollRange(state) == 0) {
            EXPECT_EQ(g.thumbLength, 0);
            EXPECT_EQ(g.thumbStart, 16 + 42);
        }
        EXPECT_EQ(TrackPositionForDrag(g, state, state.position, 30),
                  MaximumScrollPosition(state));
        EXPECT_TRUE(ScrollPartAtLimit(kScrollPartPageAfter, state) ||
                    FreeScrollRange(state) > 0);
    }
    EXPECT_EQ(ScrollRange(State(5, 2, 1, 4)), 0);
}

TEST(ScrollGeometryTest, PositionsCountFromTheMinimumAndAreClamped)
{
    // Range 10..109, page 20: positions 10..90.
    const ScrollBarGeometry atMin = ComputeScrollBarGeometry(216, 16, State(10, 109, 20, 10), false);
    EXPECT_EQ(atMin.thumbStart, 16);
    const ScrollBarGeometry atMax = ComputeScrollBarGeometry(216, 16, State(10, 109, 20, 90), false);
    EXPECT_EQ(atMax.thumbStart + atMax.thumbLength, 200);
    EXPECT_EQ(ComputeScrollBarGeometry(216, 16, State(10, 109, 20, -500), false).thumbStart, 16);
    EXPECT_EQ(ComputeScrollBarGeometry(216, 16, State(10, 109, 20, 5000), false).thumbStart,
              atMax.thumbStart);
    EXPECT_EQ(MaximumScrollPosition(State(10, 109, 20, 0)), 90);
}

TEST(ScrollGeometryTest, HitTestFindsEachPartInOrder)
{
    const ScrollBarGeometry g = ComputeScrollBarGeometry(216, 16, State(0, 99, 50, 25), false);
    // Thumb at 62..154.
    EXPECT_EQ(HitTestScrollBar(g, -1), kScrollPartNone);
    EXPECT_EQ(HitTestScrollBar(g, 0), kScrollPartFirstArrow);
    EXPECT_EQ(HitTestScrollBar(g, 15), kScrollPartFirstArrow);
    EXPECT_EQ(HitTestScrollBar(g, 16), kScrollPartPageBefore);
    EXPECT_EQ(HitTestScrollBar(g, 61), kScrollPartPageBefore);
    EXPECT_EQ(HitTestScrollBar(g, 62), kScrollPartThumb);
    EXPECT_EQ(HitTestScrollBar(g, 153), kScrollPartThumb);
    EXPECT_EQ(HitTestScrollBar(g, 154), kScrollPartPageAfter);
    EXPECT_EQ(HitTestScrollBar(g, 200), kScrollPartLastArrow);
    EXPECT_EQ(HitTestScrollBar(g, 215), kScrollPartLastArrow);
    EXPECT_EQ(HitTestScrollBar(g, 216), kScrollPartNone);
}

TEST(ScrollGeometryTest, DraggingMapsMouseTravelOntoTheFreeRange)
{
    const ScrollState state = State(0, 99, 50, 10);
    const ScrollBarGeometry g = ComputeScrollBarGeometry(216, 16, state, false);
    // 92 pixels of travel cover 50 positions.
    EXPECT_EQ(TrackPositionForDrag(g, state, 10, 46), 35);
    EXPECT_EQ(TrackPositionForDrag(g, state, 10, -46), 0);
    EXPECT_EQ(TrackPositionForDrag(g, state, 10, INT_MAX), 50);
    EXPECT_EQ(TrackPositionForDrag(g, state, 10, INT_MIN), 0);

    // A thumb that fills the track: no travel, no division.
    ScrollBarGeometry full = g;
    full.thumbLength = full.track;
    EXPECT_EQ(TrackPositionForDrag(full, state, 10, 30), 10);
}

TEST(ScrollGeometryTest, RepeatingStopsAtEitherEnd)
{
    EXPECT_TRUE(ScrollPartAtLimit(kScrollPartFirstArrow, State(0, 99, 50, 0)));
    EXPECT_TRUE(ScrollPartAtLimit(kScrollPartPageBefore, State(0, 99, 50, 0)));
    EXPECT_FALSE(ScrollPartAtLimit(kScrollPartLastArrow, State(0, 99, 50, 0)));
    EXPECT_TRUE(ScrollPartAtLimit(kScrollPartLastArrow, State(0, 99, 50, 50)));
    EXPECT_TRUE(ScrollPartAtLimit(kScrollPartPageAfter, State(0, 99, 50, 50)));
    EXPECT_FALSE(ScrollPartAtLimit(kScrollPartPageBefore, State(0, 99, 50, 50)));
    EXPECT_TRUE(ScrollPartAtLimit(kScrollPartThumb, State(0, 99, 50, 20)));
}

TEST(ScrollGeometryTest, ListPixelsForAThumbMove)
{
    // 40 rows, 10 visible in a client 200 high: 20 pixels a row.
    EXPECT_EQ(ListScrollPixels(5, 0, 39, 10, 200), 100);
    EXPECT_EQ(ListScrollPixels(0, 5, 39, 10, 200), -100);
    EXPECT_EQ(ListScrollPixels(7, 7, 39, 10, 200), 0);
    // No page: the content is the client.
    EXPECT_EQ(ListScrollPixels(20, 0, 39, 0, 200), 100);
    // Empty or inverted range, negative client: nothing to scroll by, no division by zero.
    EXPECT_EQ(ListScrollPixels(5, 0, -1, 10, 200), 0);
    EXPECT_EQ(ListScrollPixels(5, 0, -100, 0, 200), 0);
    EXPECT_EQ(ListScrollPixels(5, 0, 39, 10, -200), 0);
    // Extreme values stay in range.
    EXPECT_EQ(ListScrollPixels(INT_MAX, INT_MIN, INT_MAX - 1, 1, INT_MAX), INT_MAX);
    EXPECT_EQ(ListScrollPixels(INT_MIN, INT_MAX, INT_MAX - 1, 1, INT_MAX), INT_MIN);
}

} // namespace
