// The grid's picture cache with the program's own skin: the state pictures stretched once into
// the cell's picture area, copied 1:1 from then on, and rebuilt only when a size changes.
#include "view/SlotPictureCache.h"

#include "res/resource.h"
#include "view/core/SlotPicture.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kMarker = RGB(1, 2, 3);

struct Target {
    CMemBitmap bitmap;
    explicit Target(int width, int height)
    {
        bitmap.Create(width, height, 32);
        bitmap.GetDC().FillSolidRect(0, 0, width, height, kMarker);
    }
    COLORREF At(int x, int y) { return bitmap.GetDC().GetPixel(x, y); }
};

class SlotPictureCacheTest : public ::testing::Test {
protected:
    void SetUp() override { m_cache.Load(); }
    CSlotPictureCache m_cache;
};

TEST_F(SlotPictureCacheTest, EveryStatePictureIsDrawnOnlyInsideItsPictureArea)
{
    ASSERT_TRUE(m_cache.Prepare(400, 300, 118, 88, 115, 85));
    for (int id : {kPictureEmpty, kPictureSessionChanging, kPicturePresentationRight, kPictureBeingChecked,
                   kPictureVideoLecture, kPictureScreenOff, kPictureMessenger, kPictureCapturePermissionNeeded,
                   kPicturePermissionNeeded}) {
        Target target(200, 100);
        ASSERT_TRUE(m_cache.DrawState(target.bitmap.GetDC(), id, 10, 5, 115, 85)) << id;
        EXPECT_NE(target.At(10 + 57, 5 + 42), kMarker) << id;
        EXPECT_EQ(target.At(10 + 115, 5 + 42), kMarker) << id;   // right of the area: untouched
        EXPECT_EQ(target.At(9, 5), kMarker) << id;
    }
}

TEST_F(SlotPictureCacheTest, TheThumbnailAndUnknownIdsHaveNoStatePicture)
{
    ASSERT_TRUE(m_cache.Prepare(400, 300, 118, 88, 115, 85));
    Target target(200, 100);
    EXPECT_FALSE(m_cache.DrawState(target.bitmap.GetDC(), kPictureThumbnail, 0, 0, 115, 85));
    EXPECT_FALSE(m_cache.DrawState(target.bitmap.GetDC(), 999, 0, 0, 115, 85));
    EXPECT_EQ(target.At(50, 40), kMarker);
}

TEST_F(SlotPictureCacheTest, ANewPictureSizeStretchesThePicturesAgain)
{
    ASSERT_TRUE(m_cache.Prepare(400, 300, 60, 44, 55, 40));
    Target small(100, 100);
    ASSERT_TRUE(m_cache.DrawState(small.bitmap.GetDC(), kPictureEmpty, 0, 0, 60, 44));
    // Past the stretched 55 x 40 the 60 x 44 canvas is black: the picture was not drawn there.
    EXPECT_EQ(small.At(57, 20), RGB(0, 0, 0));

    ASSERT_TRUE(m_cache.Prepare(400, 300, 118, 88, 115, 85));
    Target large(100, 100);
    ASSERT_TRUE(m_cache.DrawState(large.bitmap.GetDC(), kPictureEmpty, 0, 0, 60, 44));
    EXPECT_NE(large.At(57, 20), RGB(0, 0, 0));
}

TEST_F(SlotPictureCacheTest, BackBufferFollowsTheClientAndTheScrollColumnHasItsPictures)
{
    ASSERT_TRUE(m_cache.Prepare(640, 480, 118, 88, 115, 85));
    ASSERT_TRUE(m_cache.Prepare(320, 200, 118, 88, 115, 85));
    BITMAP info{};
    ASSERT_NE(GetObjectW(GetCurrentObject(m_cache.BackBuffer(), OBJ_BITMAP), sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 320);
    EXPECT_EQ(info.bmHeight, 200);
    EXPECT_FALSE(m_cache.Prepare(0, 200, 118, 88, 115, 85));

    EXPECT_NE(m_cache.ScrollPatternBrush(), nullptr);
    Target target(40, 100);
    ASSERT_TRUE(m_cache.DrawScrollThumb(target.bitmap.GetDC(), 1, 30));
    EXPECT_NE(target.At(1 + 14, 30 + 35), kMarker);
    EXPECT_EQ(target.At(1 + 28, 30 + 35), kMarker);   // the thumb is 28 pixels wide
}

} // namespace
