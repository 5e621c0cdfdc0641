#include "activities/screenshare/core/ShareCycle.h"
#include "activities/screenshare/core/ShareTileGrid.h"
#include "activities/screenshare/core/StripBlock.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(ScreenShareBlocksTest, TileGridAndFitFollowTheCanvas)
{
    ShareTileGrid grid = MakeTileGrid(1280, 720, kBroadcastTileFloor);
    EXPECT_EQ(grid.tileWidth, 40);
    EXPECT_EQ(grid.tileHeight, 45);
    EXPECT_EQ(grid.Count(), 32 * 16);
    EXPECT_EQ(grid.Tiles()[33], (ShareRect{40, 45, 80, 90}));
    EXPECT_EQ(TileSide(1920, kBroadcastTileFloor), 30);
    EXPECT_EQ(TileSide(1080, kBroadcastTileFloor), 135);
    EXPECT_EQ(TileSide(40, kBroadcastTileFloor), 40);
    EXPECT_EQ(TileSide(1024, kStreamTileFloor), 128);
    EXPECT_EQ(TileSide(768, kStreamTileFloor), 192);
    // A remainder strip belongs to no tile.
    grid = MakeTileGrid(1000, 750, kBroadcastTileFloor);     // 125 x 375: 8 x 2
    EXPECT_EQ(grid.Count(), 16);

    // Wider than the canvas: letterboxed, centred vertically; exact without float drift.
    EXPECT_EQ(FitIntoCanvas(1920, 1200, 1280, 720), (ShareRect{64, 0, 1216, 720}));
    EXPECT_EQ(FitIntoCanvas(2560, 1080, 1280, 720), (ShareRect{0, 90, 1280, 630}));
    EXPECT_EQ(FitIntoCanvas(1280, 720, 1280, 720), (ShareRect{0, 0, 1280, 720}));
    // Unusable sizes are refused instead of dividing by zero or allocating gigabytes.
    EXPECT_EQ(FitIntoCanvas(0, 720, 1280, 720).Width(), 0);
    EXPECT_EQ(FitIntoCanvas(1280, 720, 1280, 9000).Width(), 0);
    EXPECT_EQ(MakeTileGrid(15, 720, kBroadcastTileFloor).Count(), 0);
}

TEST(ScreenShareBlocksTest, QualityPacingAndFullCyclesOfAStillAndAChangingScreen)
{
    EXPECT_EQ(ChooseShareQuality(512, 512, false, 70), 20);
    EXPECT_EQ(ChooseShareQuality(52, 512, false, 70), 50);
    EXPECT_EQ(ChooseShareQuality(51, 512, false, 70), 70);
    EXPECT_EQ(ChooseShareQuality(205, 512, false, 70), 30);
    EXPECT_EQ(ChooseShareQuality(512, 512, true, 70), 70);
    EXPECT_EQ(SharePauseMs(95), 5);
    EXPECT_EQ(SharePauseMs(120), 10);
    EXPECT_EQ(SharePauseMs(100), 10);

    // A still screen: the 30th cycle is a refresh for the students that missed blocks, and the
    // next cycle starts at once.
    CShareCycle cycle;
    for (int i = 1; i < 30; ++i) EXPECT_FALSE(cycle.Begin());
    EXPECT_TRUE(cycle.Begin());
    cycle.Encoded(70);
    ShareDelivery delivery = cycle.Deliver();
    EXPECT_TRUE(delivery.refreshOnly);
    EXPECT_TRUE(delivery.skipPause);
    // A change since then makes the next full cycle go to everyone, once.
    cycle.Begin();
    cycle.TileChanged();
    for (int i = 32; i < 60; ++i) cycle.Begin();
    EXPECT_TRUE(cycle.Begin());
    EXPECT_FALSE(cycle.Deliver().refreshOnly);
    for (int i = 61; i <= 90; ++i) cycle.Begin();
    EXPECT_TRUE(cycle.Deliver().refreshOnly);
    // A blurred picture followed by a sharp one also needs a full cycle for everyone.
    cycle.Begin();
    cycle.Encoded(20);
    cycle.Begin();
    cycle.Encoded(70);
    for (int i = 93; i <= 120; ++i) cycle.Begin();
    EXPECT_FALSE(cycle.Deliver().refreshOnly);
}

TEST(ScreenShareBlocksTest, PayloadLayoutCompressionAndStripsWiderThanAJpeg)
{
    const uint32_t indexes[] = {3, 7, 511};
    const uint8_t jpeg[] = {0xFF, 0xD8, 0x01, 0xFF, 0xD9};
    std::vector<uint8_t> buffer;
    const size_t total = BuildStripPayload(indexes, 3, jpeg, sizeof jpeg, buffer);
    ASSERT_EQ(total, 12u + 12 + sizeof jpeg);
    EXPECT_GE(buffer.size(), kStripPayloadStart);
    EXPECT_EQ(U32(buffer, 0), total);
    EXPECT_EQ(U32(buffer, 4), 3u);
    EXPECT_EQ(U32(buffer, 16), 511u);
    EXPECT_EQ(U32(buffer, 20), sizeof jpeg);
    EXPECT_EQ(buffer[24], 0xFF);
    EXPECT_EQ(buffer[28], 0xD9);

    std::vector<uint8_t> compressed;
    const size_t length = CompressStripPayload(buffer.data(), total, compressed);
    ASSERT_GT(length, 0u);
    std::vector<uint8_t> back(total);
    uLongf backLength = static_cast<uLongf>(back.size());
    ASSERT_EQ(uncompress(back.data(), &backLength, compressed.data(), static_cast<uLong>(length)), Z_OK);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + total), back);

    // A grown buffer takes the missing size and the slack.
    std::vector<uint8_t> big(3000000);
    std::vector<uint8_t> grown(kStripPayloadStart);
    ASSERT_EQ(BuildStripPayload(indexes, 1, big.data(), big.size(), grown), 3000016u);
    EXPECT_EQ(grown.size(), 3000016u + kStripPayloadSlack);

    // 8192-wide canvases of 32-pixel tiles: no JPEG wider than GDI+ writes.
    const std::vector<StripRun> runs = SplitStrip(65536, 32);
    ASSERT_EQ(runs.size(), 33u);
    EXPECT_EQ(runs[0].end - runs[0].begin, 2046u);
    EXPECT_EQ(runs.back().end, 65536u);
    EXPECT_EQ(SplitStrip(512, 40).size(), 1u);
}

} // namespace
