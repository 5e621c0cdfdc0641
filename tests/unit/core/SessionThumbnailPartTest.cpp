// A student's thumbnail part is measured before it is decoded: the frame size comes from the JPEG's
// own header (not from a picture hidden in a segment before it), and a part is drawn only when
// the rectangle fits the slot's thumbnail and the picture fits the rectangle.
#include "sessions/core/ThumbnailPartRules.h"

#include "core/JpegSamples.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

PictureSize Measure(const Bytes& jpeg)
{
    PictureSize size{-1, -1};
    if (!ReadJpegFrameSize(jpeg.data(), jpeg.size(), size))
        return PictureSize{-1, -1};
    return size;
}

ThumbnailPartVerdict Verdict(int32_t left, int32_t top, int32_t right, int32_t bottom, const Bytes& jpeg,
                             bool turned = false, int slotWidth = 200, int slotHeight = 150)
{
    return CheckThumbnailPart(left, top, right, bottom, jpeg.data(), jpeg.size(), slotWidth, slotHeight, turned)
        .verdict;
}

} // namespace

TEST(JpegFrameSize, TheFrameHeaderIsFoundBehindEverySegmentBeforeIt)
{
    EXPECT_EQ(Measure(Jpeg(64, 48)).width, 64);
    EXPECT_EQ(Measure(Jpeg(64, 48)).height, 48);
    EXPECT_EQ(Measure(Jpeg(60000, 60000)).width, 60000);
    EXPECT_EQ(Measure(Jpeg(65535, 1)).width, 65535);
    EXPECT_EQ(Measure(Jpeg(300, 200, 0xC2)).height, 200);   // progressive
    EXPECT_EQ(Measure(Jpeg(300, 200, 0xCF)).width, 300);    // lossless, arithmetic

    // An application segment holding a small picture of its own (as a camera's preview does),
    // with fill bytes before the real frame: the real frame's size is the one taken.
    Bytes embedded{0xFF, 0xD8};
    Append(embedded, Segment(0xE1, Jpeg(16, 16)));
    embedded.push_back(0xFF);
    Append(embedded, Segment(0xC0, FrameBody(8000, 6000)));
    EXPECT_EQ(Measure(embedded).width, 8000);
    EXPECT_EQ(Measure(embedded).height, 6000);
}

TEST(JpegFrameSize, BytesThatDoNotLeadToAFrameHeaderAreRefused)
{
    const Bytes good = Jpeg(64, 48);
    EXPECT_EQ(Measure(Bytes()).width, -1);
    EXPECT_EQ(Measure(Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}).width, -1);   // another format
    for (size_t cut = 0; cut < 200 && cut < good.size(); ++cut) {
        // Every cut before the frame's sides are whole.
        const Bytes shorter(good.begin(), good.begin() + static_cast<long>(cut));
        const PictureSize size = Measure(shorter);
        EXPECT_TRUE(size.width == -1 || size.width == 64) << cut;
    }
    Bytes scanFirst{0xFF, 0xD8};
    Append(scanFirst, Segment(0xDA, {1, 1, 0, 0, 63, 0}));
    Append(scanFirst, Segment(0xC0, FrameBody(64, 48)));
    EXPECT_EQ(Measure(scanFirst).width, -1);
    EXPECT_EQ(Measure(Jpeg(0, 48)).width, -1);       // a height or width of 0 (defined later, or never)
    EXPECT_EQ(Measure(Jpeg(64, 0)).width, -1);
    Bytes shortFrame{0xFF, 0xD8};
    Append(shortFrame, Segment(0xC0, {8, 0, 48}));
    EXPECT_EQ(Measure(shortFrame).width, -1);
    Bytes badLength{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0xFF, 0xC0};
    EXPECT_EQ(Measure(badLength).width, -1);
}

TEST(ThumbnailPart, OnlyWhatTheSlotCanShowIsDecoded)
{
    EXPECT_EQ(Verdict(0, 0, 200, 150, Jpeg(200, 150)), ThumbnailPartVerdict::Draw);
    EXPECT_EQ(Verdict(100, 75, 164, 123, Jpeg(64, 48)), ThumbnailPartVerdict::Draw);
    EXPECT_EQ(Verdict(0, 0, 64, 48, Jpeg(60, 40)), ThumbnailPartVerdict::Draw);   // black around it

    // A small rectangle whose picture claims more than it.
    EXPECT_EQ(Verdict(0, 0, 16, 16, Jpeg(60000, 60000)), ThumbnailPartVerdict::PictureTooLarge);
    EXPECT_EQ(Verdict(0, 0, 200, 1, Jpeg(65535, 1)), ThumbnailPartVerdict::PictureTooLarge);
    EXPECT_EQ(Verdict(0, 0, 64, 48, Jpeg(48, 64)), ThumbnailPartVerdict::PictureTooLarge);
    // Rectangles larger than the thumbnail asked for, or than any thumbnail.
    EXPECT_EQ(Verdict(0, 0, 4000, 4000, Jpeg(4000, 4000)), ThumbnailPartVerdict::LargerThanSlot);
    EXPECT_EQ(Verdict(0, 0, 201, 150, Jpeg(201, 150)), ThumbnailPartVerdict::LargerThanSlot);
    EXPECT_EQ(Verdict(0, 0, 16, 16, Jpeg(16, 16), false, 0, 0), ThumbnailPartVerdict::LargerThanSlot);
    EXPECT_EQ(Verdict(0, 0, 4097, 10, Jpeg(16, 16), false, 5000, 5000), ThumbnailPartVerdict::BadRectangle);
    EXPECT_EQ(Verdict(10, 10, 5, 20, Jpeg(16, 16)), ThumbnailPartVerdict::BadRectangle);
    EXPECT_EQ(Verdict(INT32_MIN, 0, INT32_MAX, 10, Jpeg(16, 16)), ThumbnailPartVerdict::BadRectangle);
    EXPECT_EQ(Verdict(INT32_MAX - 5, 0, INT32_MIN + 5, 10, Jpeg(16, 16)), ThumbnailPartVerdict::BadRectangle);
    EXPECT_EQ(Verdict(0, 0, 16, 16, Bytes(300, 0x5A)), ThumbnailPartVerdict::NotJpeg);
}

TEST(ThumbnailPart, APadOnItsSideMaySendItsPictureEitherWayRound)
{
    EXPECT_EQ(Verdict(0, 0, 64, 48, Jpeg(48, 64), true), ThumbnailPartVerdict::Draw);
    EXPECT_EQ(Verdict(0, 0, 64, 48, Jpeg(64, 48), true), ThumbnailPartVerdict::Draw);
    EXPECT_EQ(Verdict(0, 0, 64, 48, Jpeg(64, 64), true), ThumbnailPartVerdict::PictureTooLarge);
}
