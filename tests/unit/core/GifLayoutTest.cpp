#include "ui/core/GifLayout.h"

#include "core/GifSamples.h"

#include <gtest/gtest.h>

using namespace gif_samples;

namespace {

bool Parse(const Bytes& bytes, GifLayout& layout)
{
    ExactBuffer buffer(bytes);
    return ParseGifLayout(buffer.data(), buffer.size(), layout);
}

TEST(GifLayoutTest, SingleFrameWithScreenSizeAndBackground)
{
    Bytes gif = Header(5, 3, true, 2);
    AppendImage(gif, 0, 0, 5, 3, 1);
    AppendTrailer(gif);
    GifLayout layout;
    ASSERT_TRUE(Parse(gif, layout));
    EXPECT_EQ(layout.width, 5);
    EXPECT_EQ(layout.height, 3);
    EXPECT_EQ(layout.globalTableSize, 12u);
    EXPECT_EQ(layout.blocksStart, 25u);
    ASSERT_TRUE(layout.hasBackground);
    EXPECT_EQ(layout.background[0], 0);
    EXPECT_EQ(layout.background[1], 255);
    EXPECT_EQ(layout.background[2], 0);
    ASSERT_EQ(layout.frames.size(), 1u);
    EXPECT_EQ(layout.frames[0].delay, -1);
    EXPECT_EQ(layout.frames[0].start, 25u);
    EXPECT_EQ(layout.frames[0].end, gif.size() - 1);
}

TEST(GifLayoutTest, Gif87WithTwoImagesAndNoControlExtensionHasTwoFrames)
{
    Bytes gif = Header(4, 4, false);
    AppendImage(gif, 0, 0, 4, 4, 1);
    AppendImage(gif, 1, 2, 3, 2, 2);
    AppendTrailer(gif);
    GifLayout layout;
    ASSERT_TRUE(Parse(gif, layout));
    ASSERT_EQ(layout.frames.size(), 2u);
    EXPECT_EQ(layout.frames[0].delay, -1);
    EXPECT_EQ(layout.frames[1].delay, -1);
    EXPECT_EQ(layout.frames[1].left, 1);
    EXPECT_EQ(layout.frames[1].top, 2);
    EXPECT_EQ(layout.frames[1].width, 3);
    EXPECT_EQ(layout.frames[1].height, 2);
    EXPECT_EQ(layout.frames[1].start, layout.frames[0].end);
}

TEST(GifLayoutTest, ControlExtensionGivesDelayAndDisposalAndStartsTheFrame)
{
    Bytes gif = Header(2, 2);
    AppendLoopExtension(gif);
    AppendComment(gif, "made here");
    const size_t firstControl = gif.size();
    AppendControl(gif, 25, 2);
    AppendComment(gif, "inside the frame");
    AppendImage(gif, 0, 0, 2, 2, 1);
    AppendControl(gif, 0, 3, true);
    AppendImage(gif, 0, 0, 2, 2, 3);
    AppendTrailer(gif);
    GifLayout layout;
    ASSERT_TRUE(Parse(gif, layout));
    ASSERT_EQ(layout.frames.size(), 2u);
    EXPECT_EQ(layout.frames[0].start, firstControl);
    EXPECT_GT(layout.frames[0].imageStart, firstControl + 8);
    EXPECT_EQ(layout.frames[0].delay, 25);
    EXPECT_EQ(layout.frames[0].disposal, 2);
    EXPECT_EQ(layout.frames[1].delay, 0);
    EXPECT_EQ(layout.frames[1].disposal, 3);
}

TEST(GifLayoutTest, TheLastControlExtensionBeforeAnImageGovernsIt)
{
    Bytes gif = Header(2, 2);
    AppendControl(gif, 10, 1);
    const size_t second = gif.size();
    AppendControl(gif, 70, 2);
    AppendImage(gif, 0, 0, 2, 2, 1);
    AppendTrailer(gif);
    GifLayout layout;
    ASSERT_TRUE(Parse(gif, layout));
    ASSERT_EQ(layout.frames.size(), 1u);
    EXPECT_EQ(layout.frames[0].start, second);
    EXPECT_EQ(layout.frames[0].delay, 70);
    EXPECT_EQ(layout.frames[0].disposal, 2);
}

TEST(GifLayoutTest, BackgroundComesOnlyFromAnEntryOfTheGlobalTable)
{
    Bytes beyondTable = Header(1, 1, true, 4);   // the table has 4 entries
    AppendImage(beyondTable, 0, 0, 1, 1, 0);
    GifLayout layout;
    ASSERT_TRUE(Parse(beyondTable, layout));
    EXPECT_FALSE(layout.hasBackground);

    Bytes noTable = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x00, 200, 0};
    AppendImage(noTable, 0, 0, 1, 1, 0);
    ASSERT_TRUE(Parse(noTable, layout));
    EXPECT_FALSE(layout.hasBackground);
    EXPECT_EQ(layout.globalTableSize, 0u);
    EXPECT_EQ(layout.blocksStart, 13u);
}

TEST(GifLayoutTest, RefusesWhatIsNotAGifOrHasNoFrame)
{
    GifLayout layout;
    EXPECT_FALSE(Parse(Bytes{}, layout));
    EXPECT_FALSE(Parse(Bytes{'G', 'I', 'F'}, layout));
    EXPECT_FALSE(Parse(Bytes{'G', 'I', 'F', '8', '8', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B}, layout));
    Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(Parse(png, layout));

    Bytes onlyTrailer = Header(1, 1);
    AppendTrailer(onlyTrailer);
    EXPECT_FALSE(Parse(onlyTrailer, layout));
    EXPECT_TRUE(layout.frames.empty());

    // A global table announced as 768 bytes in a file that holds 12.
    Bytes bigTable = Header(1, 1);
    bigTable[10] = 0x87;
    AppendImage(bigTable, 0, 0, 1, 1, 0);
    EXPECT_FALSE(Parse(bigTable, layout));
}

TEST(GifLayoutTest, EveryCutOfAnAnimationStopsAtTheLastWholeFrame)
{
    Bytes gif = Header(3, 2);
    AppendLoopExtension(gif);
    AppendControl(gif, 5, 1);
    AppendImage(gif, 0, 0, 3, 2, 1);
    const size_t firstEnd = gif.size();
    AppendControl(gif, 5, 1);
    // A local colour table of 2 entries.
    Append(gif, {0x2C, 0, 0, 0, 0, 3, 0, 2, 0, 0x80, 0, 0, 0, 9, 9, 9});
    Append(gif, {2, 2, 0x44, 0x01, 0});
    const size_t secondEnd = gif.size();
    AppendTrailer(gif);

    for (size_t cut = 0; cut <= gif.size(); ++cut) {
        ExactBuffer buffer(gif, cut);
        GifLayout layout;
        const bool parsed = ParseGifLayout(buffer.data(), buffer.size(), layout);
        const size_t expected = cut >= secondEnd ? 2 : cut >= firstEnd ? 1 : 0;
        EXPECT_EQ(parsed, expected > 0) << "cut at " << cut;
        EXPECT_EQ(layout.frames.size(), expected) << "cut at " << cut;
    }
}

TEST(GifLayoutTest, AMalformedBlockEndsTheWalk)
{
    const auto framesAfter = [](const Bytes& tail) {
        Bytes gif = Header(1, 1);
        AppendImage(gif, 0, 0, 1, 1, 1);
        gif.insert(gif.end(), tail.begin(), tail.end());
        AppendImage(gif, 0, 0, 1, 1, 2);
        AppendTrailer(gif);
        GifLayout layout;
        return Parse(gif, layout) ? layout.frames.size() : 0;
    };
    EXPECT_EQ(framesAfter({}), 2u);
    EXPECT_EQ(framesAfter({0x21, 0xF9, 5, 0, 10, 0, 0, 0, 0}), 1u);   // control length not 4
    EXPECT_EQ(framesAfter({0x21, 0xF9, 4, 0, 10, 0, 0, 1, 0}), 1u);   // its chain runs on
    EXPECT_EQ(framesAfter({0x21, 0x77, 1, 0, 0}), 1u);                // unknown extension
    EXPECT_EQ(framesAfter({0x00}), 1u);                               // no block at all
    EXPECT_EQ(framesAfter({0x21, 0xFE, 200, 'x', 0}), 1u);            // comment past the end
}

TEST(GifLayoutTest, FramesBeyondTheCapAreNotListed)
{
    Bytes gif = Header(1, 1);
    for (size_t i = 0; i < kMaxGifFrames + 10; ++i)
        AppendImage(gif, 0, 0, 1, 1, 1);
    AppendTrailer(gif);
    GifLayout layout;
    ASSERT_TRUE(Parse(gif, layout));
    EXPECT_EQ(layout.frames.size(), kMaxGifFrames);
}

TEST(GifLayoutTest, AFrameGifHoldsHeaderTableFrameAndTrailerWithTheImageAtTheOrigin)
{
    Bytes gif = Header(8, 6);
    AppendImage(gif, 0, 0, 8, 6, 1);
    AppendControl(gif, 12, 2);
    AppendImage(gif, 3, 4, 2, 1, 2);
    AppendTrailer(gif);
    ExactBuffer buffer(gif);
    GifLayout layout;
    ASSERT_TRUE(ParseGifLayout(buffer.data(), buffer.size(), layout));
    ASSERT_EQ(layout.frames.size(), 2u);

    const Bytes frame = BuildFrameGif(buffer.data(), buffer.size(), layout, 1);
    const GifFrameLayout& source = layout.frames[1];
    ASSERT_EQ(frame.size(), 25 + (source.end - source.start) + 1);
    EXPECT_TRUE(std::equal(gif.begin(), gif.begin() + 6, frame.begin()));
    EXPECT_EQ(frame[6], 2);   // screen = the frame's size
    EXPECT_EQ(frame[8], 1);
    EXPECT_TRUE(std::equal(gif.begin() + 10, gif.begin() + 25, frame.begin() + 10));
    EXPECT_EQ(frame.back(), 0x3B);

    GifLayout single;
    ASSERT_TRUE(Parse(frame, single));
    ASSERT_EQ(single.frames.size(), 1u);
    EXPECT_EQ(single.frames[0].delay, 12);
    EXPECT_EQ(single.frames[0].disposal, 2);
    EXPECT_EQ(single.frames[0].left, 0);
    EXPECT_EQ(single.frames[0].top, 0);
    EXPECT_EQ(single.frames[0].width, 2);

    EXPECT_TRUE(BuildFrameGif(buffer.data(), buffer.size(), layout, 2).empty());
    EXPECT_TRUE(BuildFrameGif(buffer.data(), source.end - 1, layout, 1).empty());
}

} // namespace
