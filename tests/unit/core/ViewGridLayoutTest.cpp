#include "view/core/GridLayout.h"
#include "view/core/ScrollThumb.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

CGridLayout Laid(int width, GridSettings settings = GridSettings())
{
    CGridLayout layout;
    EXPECT_TRUE(layout.Apply(width, settings));
    return layout;
}

TEST(ViewGridLayoutTest, EightPerRowFourByThreeAtAThousandPixels)
{
    CGridLayout layout = Laid(1000);
    EXPECT_EQ(layout.CellWidth(), 120);
    EXPECT_EQ(layout.PictureHeight(), 88);
    EXPECT_EQ(layout.RowPitch(), 90);
    EXPECT_EQ(layout.ThumbnailWidth(), 115);
    EXPECT_EQ(layout.ThumbnailHeight(), 85);
    EXPECT_EQ(layout.DocumentHeight(30), 4 * 90);
    EXPECT_EQ(layout.DocumentHeight(33), 5 * 90);

    // Index 9 is column 1 of row 1 (x0 = 120, y0 = 90); the picture fills the frame's inside.
    GridRect frame = layout.FrameRect(9), picture = layout.PictureRect(9);
    EXPECT_EQ(frame.left, 126);
    EXPECT_EQ(frame.top, 91);
    EXPECT_EQ(frame.right, 243);
    EXPECT_EQ(frame.bottom, 178);
    EXPECT_EQ(picture.left, frame.left + 1);
    EXPECT_EQ(picture.top, frame.top + 1);
    EXPECT_EQ(picture.right, frame.right - 1);
    EXPECT_EQ(picture.bottom, frame.bottom - 1);
    GridRect caption = layout.CaptionRect(9, 27);
    EXPECT_EQ(caption.left, 131);
    EXPECT_EQ(caption.right, 242);
    EXPECT_EQ(caption.bottom - caption.top, 27);
}

TEST(ViewGridLayoutTest, TooSmallOrTooTallLayoutsKeepThePreviousOne)
{
    CGridLayout fresh;
    EXPECT_EQ(fresh.ThumbnailWidth(), 200);    // asked of students until the first layout
    EXPECT_EQ(fresh.HitTest(10, 10, 0, 30), -1);

    CGridLayout layout = Laid(1000);
    EXPECT_FALSE(layout.Apply(87, GridSettings()));               // cell 5 pixels
    EXPECT_FALSE(layout.Apply(10, GridSettings()));               // narrower than the margin
    EXPECT_FALSE(layout.Apply(1000, GridSettings{8, 999, 1}));    // picture 0 pixels high
    EXPECT_FALSE(layout.Apply(3000, GridSettings{1, 1, 999}));    // picture 2.9 million pixels high
    EXPECT_EQ(layout.ThumbnailWidth(), 115);
    EXPECT_TRUE(layout.Apply(88, GridSettings{8, 1, 1}));         // 6-pixel cells, 4-pixel pictures
    EXPECT_EQ(layout.ThumbnailHeight(), 1);
}

TEST(ViewGridLayoutTest, SettingsBelowOneFallBackToTheDefaults)
{
    for (GridSettings bad : {GridSettings{0, 4, 3}, GridSettings{-3, 4, 3}, GridSettings{8, 0, 3},
                             GridSettings{8, 4, 0}, GridSettings{INT_MIN, INT_MIN, INT_MIN}}) {
        CGridLayout layout = Laid(1000, bad);
        EXPECT_EQ(layout.CellWidth(), 120);
        EXPECT_EQ(layout.PictureHeight(), 88);
    }
}

TEST(ViewGridLayoutTest, HitTestFindsTheCellUnderThePointWithScroll)
{
    CGridLayout layout = Laid(1000);
    EXPECT_EQ(layout.HitTest(130, 95, 0, 30), 9);
    EXPECT_EQ(layout.HitTest(130, 5, 90, 30), 9);          // scrolled down one row
    EXPECT_EQ(layout.HitTest(2, 10, 0, 30), 0);            // the first 5 pixels count as column 0
    EXPECT_EQ(layout.HitTest(964, 10, 0, 30), 7);
    EXPECT_EQ(layout.HitTest(965, 10, 0, 30), -1);         // right of the cells
    EXPECT_EQ(layout.HitTest(130, 3 * 90 + 5, 0, 25), -1); // past the shown slots
    // Points above or left of the grid select nothing (they would give negative indexes).
    EXPECT_EQ(layout.HitTest(-200, 10, 0, 30), -1);
    EXPECT_EQ(layout.HitTest(10, -100, 90, 30), -1);
    EXPECT_EQ(layout.HitTest(10, -50, 90, 30), 0);
    EXPECT_EQ(layout.HitTest(INT_MAX, INT_MAX, INT_MAX, 30), -1);
}

TEST(ViewGridLayoutTest, VisibilityTakesAnyOverlapWithTheVisiblePart)
{
    CGridLayout layout = Laid(1000);
    EXPECT_TRUE(layout.IsCellVisible(24, 1000, 300, 0));    // row 3 starts at 271
    EXPECT_FALSE(layout.IsCellVisible(32, 1000, 300, 0));   // row 4 starts at 361
    EXPECT_FALSE(layout.IsCellVisible(0, 1000, 300, 180));  // scrolled past row 0

    // A client area lower than a cell, scrolled to the cell's middle: both corners are outside,
    // yet the cell fills the view and must be drawn.
    CGridLayout tall = Laid(1000, GridSettings{1, 1, 2});
    ASSERT_GT(tall.PictureHeight(), 1000);
    EXPECT_TRUE(tall.IsCellVisible(0, 1000, 200, 500));
    // A column wholly under the scroll column is not drawn.
    CGridLayout wide = Laid(1000, GridSettings{2, 4, 3});
    EXPECT_TRUE(wide.IsCellVisible(1, 1000, 600, 0));
    EXPECT_FALSE(wide.IsCellVisible(1, 486, 600, 0));
}

TEST(ViewGridLayoutTest, HugeIndexesStayWithinTheIntRange)
{
    CGridLayout layout = Laid(1000, GridSettings{1, 1, 1});
    EXPECT_EQ(layout.DocumentHeight(SIZE_MAX), INT_MAX);
    EXPECT_EQ(layout.FrameRect(SIZE_MAX).bottom, INT_MAX);
}

TEST(ViewGridLayoutTest, ScrollThumbFollowsThePositionWithinItsTrack)
{
    EXPECT_TRUE(NeedsScrollColumn(361, 360));
    EXPECT_FALSE(NeedsScrollColumn(360, 360));
    // Client 600: track 470; document 1200 (range 0..1199): scrollable 600.
    EXPECT_EQ(ScrollThumbOffset(600, 0, 1199, 300), 235);
    EXPECT_EQ(ScrollThumbOffset(600, 0, 1199, 600), 470);
    EXPECT_EQ(ScrollThumbOffset(600, 0, 1199, 5000), 470);
    // Nothing to scroll, or no room for a track: no division by zero, thumb at the top.
    EXPECT_EQ(ScrollThumbOffset(600, 0, 599, 10), 0);
    EXPECT_EQ(ScrollThumbOffset(100, 0, 5000, 300), 0);
    const int extreme = ScrollThumbOffset(INT_MAX, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_GE(extreme, 0);
    EXPECT_LE(extreme, INT_MAX - 130);
}

} // namespace
