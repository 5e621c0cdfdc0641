// The pen tool's arithmetic: widths, the eraser's square at the screen's edges, the whiteboard's
// canvas per page and its bound, and the picture names.
#include "activities/pentool/core/NoteGeometry.h"

#include <gtest/gtest.h>

using namespace note;

TEST(PenToolGeometry, WidthsFollowKindAndIndex)
{
    const int expected[] = {10, 2, 5, 8, 11, 10};   // index 0 to 5
    for (int index = 0; index <= 5; ++index) {
        EXPECT_EQ(StrokeWidth(kPenKind, index), expected[index]) << index;
        EXPECT_EQ(StrokeWidth(kEraserKind, index), 32) << index;
        EXPECT_EQ(StrokeWidth(1, index), 10) << index;
    }
}

TEST(PenToolGeometry, EraserSquareIsWhereTheTeacherSawItAndCutOffAtTheTopLeftEdges)
{
    // One square for the live eraser, the repaint and the saved picture: one pixel right of and
    // two below the point's centred square.
    const Square inside = EraserSquare(100, 50);
    EXPECT_EQ(inside.left, 85);
    EXPECT_EQ(inside.top, 36);
    EXPECT_EQ(inside.right - inside.left, 32);
    EXPECT_EQ(inside.bottom - inside.top, 32);

    const Square corner = EraserSquare(0, 0);
    EXPECT_EQ(corner.left, 0);
    EXPECT_EQ(corner.top, 0);
    EXPECT_EQ(corner.right, 17);
    EXPECT_EQ(corner.bottom, 18);

    EXPECT_TRUE(EraserSquare(-40, 10).IsEmpty());   // wholly off the surface: nothing drawn
}

TEST(PenToolGeometry, EachPageAddsHalfAScreenToTheLeft)
{
    EXPECT_EQ(CanvasForPage(1920, 0).left, 0);
    EXPECT_EQ(CanvasForPage(1920, 0).width, 1920);
    EXPECT_EQ(CanvasForPage(1920, 3).left, -2880);
    EXPECT_EQ(CanvasForPage(1920, 3).width, 4800);
    EXPECT_EQ(CanvasForPage(1025, 1).width, 1025 + 512);   // half a screen in whole pixels
    EXPECT_EQ(CanvasForPage(1920, 10).width, 6 * 1920);
}

TEST(PenToolGeometry, PagesStopWhereAPictureCanNoLongerHoldTheCanvas)
{
    EXPECT_EQ(HighestPage(1920, 1080), 10);
    EXPECT_EQ(HighestPage(1024, 768), 10);
    // A 4K screen: page 10 would be 23040 pixels wide and 200 MB a picture.
    const int page = HighestPage(3840, 2160);
    EXPECT_LT(page, 10);
    EXPECT_GE(page, 1);
    const PageCanvas widest = CanvasForPage(3840, page);
    EXPECT_LE(widest.width, kMaxCanvasWidth);
    EXPECT_LE(static_cast<int64_t>(widest.width) * 2160, kMaxCanvasPixels);
    EXPECT_GT(static_cast<int64_t>(CanvasForPage(3840, page + 1).width) * 2160, kMaxCanvasPixels);
    EXPECT_EQ(HighestPage(0, 0), 0);
}

TEST(PenToolGeometry, PictureNamesCarryTheSecondAndACopyNumber)
{
    EXPECT_EQ(NoteFileName(2024, 3, 5, 14, 29, 7), "20240305_142907.jpg");
    EXPECT_EQ(NoteFileName(2024, 12, 31, 0, 0, 0, 2), "20241231_000000_2.jpg");
}
