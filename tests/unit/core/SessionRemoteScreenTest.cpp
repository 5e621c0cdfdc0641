// What a remote session takes from a student's screen and how its window maps the teacher's
// mouse: the cases where a wrong count, index, sequence or scale would draw in the wrong place,
// read past the data or send a click to the wrong pixel.
#include "sessions/core/RemoteScreen.h"
#include "sessions/core/CombinedPaneLayout.h"
#include "sessions/core/RemoteFrameDecoding.h"
#include "sessions/core/RemoteViewLayout.h"

#include <gtest/gtest.h>

#include "core/JpegSamples.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Block(std::vector<uint32_t> words, size_t imageBytes)
{
    std::vector<uint8_t> bytes(words.size() * 4 + imageBytes, 0xAB);
    for (size_t i = 0; i < words.size(); ++i)
        std::memcpy(&bytes[i * 4], &words[i], 4);
    return bytes;
}

// Writes down what the decoder asks of the pixels, in order.
struct RecordingCanvas : IRemoteFrameCanvas {
    std::vector<std::string> calls;
    bool EnsureFrame(int width, int height) override { return Note("frame", width, height); }
    bool MakePicture(int width, int height) override { return Note("picture", width, height); }
    bool DrawJpeg(const uint8_t*, size_t, const PictureSize& measured, int x, int y, bool) override
    {
        return Note("draw", measured.width, measured.height, x, y);
    }
    bool CopyToFrame(int x, int y, int sourceX, int sourceY, int width, int height) override
    {
        return Note("copy", x, y, sourceX, sourceY, width, height);
    }
    bool Note(const char* what, int a, int b, int c = 0, int d = 0, int e = 0, int f = 0)
    {
        calls.push_back(std::string(what) + " " + std::to_string(a) + "," + std::to_string(b) + "," +
                        std::to_string(c) + "," + std::to_string(d) + "," + std::to_string(e) + "," + std::to_string(f));
        return true;
    }
};

std::vector<std::string> ImageCalls(const RemoteScreenState& state, PacketRect rect, const Bytes& jpeg,
                                    bool* acknowledged = nullptr)
{
    RecordingCanvas canvas;
    uint32_t lastAccepted = 0;
    const RemoteFrameOutcome outcome = DecodeRemoteImage(state, 7, rect, jpeg.data(), jpeg.size(), lastAccepted, canvas);
    if (acknowledged)
        *acknowledged = outcome.acknowledge && outcome.sequence == 7;
    return canvas.calls;
}

} // namespace

TEST(RemoteFrameDecoding, APictureIsMeasuredFirstAndMadeOnlyAsLargeAsItsPartOfTheScreen)
{
    const RemoteScreenState screen{2, 1920, 1080, 0, 120, 135};
    using Calls = std::vector<std::string>;
    bool acknowledged = false;
    // A small picture for a rectangle as large as a side may be: a picture of its own size.
    EXPECT_EQ(ImageCalls(screen, {0, 0, 8192, 8192}, Jpeg(16, 16), &acknowledged),
              (Calls{"frame 1920,1080,0,0,0,0", "picture 16,16,0,0,0,0", "draw 16,16,0,0,0,0", "copy 0,0,0,0,16,16"}));
    EXPECT_TRUE(acknowledged);
    // A picture larger than the screen is never made nor decoded, yet acknowledged.
    EXPECT_EQ(ImageCalls(screen, {0, 0, 8192, 8192}, Jpeg(8000, 8000), &acknowledged), Calls{});
    EXPECT_TRUE(acknowledged);
    EXPECT_EQ(ImageCalls(screen, {0, 0, 16, 16}, Jpeg(17, 16)), Calls{});
    EXPECT_EQ(ImageCalls(screen, {0, 0, 16, 16}, Bytes(64, 0xFF)), Calls{});
    // Partly off the screen: only its part on the screen is made and copied.
    EXPECT_EQ(ImageCalls(screen, {-100, 1000, 1820, 2080}, Jpeg(1920, 1080)),
              (Calls{"frame 1920,1080,0,0,0,0", "picture 1820,80,0,0,0,0", "draw 1920,1080,-100,0,0,0",
                     "copy 0,1000,0,0,1820,80"}));
    // A screen of more pixels than a 32-bit program can hold four of gets no frame at all.
    EXPECT_EQ(ImageCalls({2, 8192, 8192, 0, 128, 128}, {0, 0, 64, 64}, Jpeg(64, 64)), Calls{});
    EXPECT_FALSE(IsFrameScreenSize(8192, 8192));
    EXPECT_TRUE(IsFrameScreenSize(3840, 2160));
}

TEST(RemoteFrameDecoding, ATileStripIsMeasuredBeforeItsPictureIsMade)
{
    const RemoteScreenState screen{2, 1366, 768, 1366, 683, 192};
    const Bytes small = Jpeg(1366, 192);
    std::vector<uint32_t> words{0, 2, 3, 1, static_cast<uint32_t>(small.size())};
    Bytes block = Block(words, 0);
    block.insert(block.end(), small.begin(), small.end());
    RecordingCanvas canvas;
    uint32_t lastAccepted = 0;
    RemoteFrameOutcome outcome = DecodeRemoteTiles(screen, 4, static_cast<uint32_t>(block.size()), block.data(),
                                                   block.size(), lastAccepted, canvas);
    EXPECT_TRUE(outcome.drawn);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"frame 1366,768,0,0,0,0", "picture 1366,192,0,0,0,0",
                                                      "draw 1366,192,0,0,0,0", "copy 683,192,0,0,683,192",
                                                      "copy 683,0,683,0,683,192"}));
    // A strip whose picture claims more than its two tiles: nothing is made.
    const Bytes large = Jpeg(1367, 192);
    words.back() = static_cast<uint32_t>(large.size());
    block = Block(words, 0);
    block.insert(block.end(), large.begin(), large.end());
    canvas.calls.clear();
    outcome = DecodeRemoteTiles(screen, 5, static_cast<uint32_t>(block.size()), block.data(), block.size(),
                                lastAccepted, canvas);
    EXPECT_TRUE(outcome.acknowledge);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST(RemoteScreen, TileBlocksAreReadOnlyWhenEveryFieldIsInsideTheData)
{
    TileBlock block;
    const std::vector<uint8_t> good = Block({0, 2, 3, 7, 5}, 5);
    ASSERT_TRUE(ReadTileBlock(good.data(), good.size(), block));
    EXPECT_EQ(block.indexes, (std::vector<uint32_t>{3, 7}));
    EXPECT_EQ(block.imageLength, 5u);
    EXPECT_EQ(block.image, good.data() + 20);

    // A count beyond the bytes, an image longer than what is left, an empty block, no bytes.
    const std::vector<uint8_t> longCount = Block({0, 0x40000000u, 1}, 0);
    EXPECT_FALSE(ReadTileBlock(longCount.data(), longCount.size(), block));
    const std::vector<uint8_t> longImage = Block({0, 1, 0, 6}, 5);
    EXPECT_FALSE(ReadTileBlock(longImage.data(), longImage.size(), block));
    const std::vector<uint8_t> none = Block({0, 0, 4}, 4);
    EXPECT_FALSE(ReadTileBlock(none.data(), none.size(), block));
    EXPECT_FALSE(ReadTileBlock(good.data(), 7, block));
    EXPECT_TRUE(block.indexes.empty());
}

TEST(RemoteScreen, TilesLandOnTheGridAndNowhereElse)
{
    const TileGrid grid = MakeTileGrid(1366, 768, 683, 192);
    int x = 0;
    int y = 0;
    ASSERT_TRUE(TileOrigin(grid, 3, x, y));
    EXPECT_EQ(x, 683);
    EXPECT_EQ(y, 192);
    EXPECT_FALSE(TileOrigin(grid, 8, x, y));                 // 2 x 4 tiles
    EXPECT_FALSE(MakeTileGrid(1366, 768, 0, 192).IsUsable()); // tile size not known yet
    EXPECT_FALSE(TileOrigin(MakeTileGrid(1366, 768, 0, 0), 0, x, y));
}

TEST(RemoteScreen, StaleFramesAreDroppedAndPadsMayStartCountingAgain)
{
    EXPECT_TRUE(AcceptFrameSequence(300, 300, 1));
    EXPECT_FALSE(AcceptFrameSequence(250, 300, 1));
    EXPECT_TRUE(AcceptImageFrame(2, 5, 300, 1024, 1024, 1024));    // a pad restarting below 10
    EXPECT_FALSE(AcceptImageFrame(2, 250, 300, 1024, 1024, 1024));
    EXPECT_FALSE(AcceptImageFrame(2, 301, 300, 512, 1024, 1024));  // narrower once the frame is whole
    EXPECT_TRUE(AcceptImageFrame(2, 301, 300, 512, 1024, 0));
    EXPECT_FALSE(AcceptImageFrame(1, 301, 300, 1024, 1024, 1024)); // a PC's images are not shown
    EXPECT_TRUE(AcceptImageFrame(3, 1, 300, 1024, 1024, 1024));
    ScreenRect clipped;
    EXPECT_FALSE(ClipToScreen({2000, 0, 2100, 10}, 1024, 768, clipped));
    ASSERT_TRUE(ClipToScreen({-10, 700, 100, 900}, 1024, 768, clipped));
    EXPECT_EQ(clipped.left, 0);
    EXPECT_EQ(clipped.bottom, 768);
}

TEST(RemoteViewLayout, ScrollRangesAndPointsOfTheThreeLayouts)
{
    RemoteViewGeometry oneToOne;
    oneToOne.studentWidth = 1280;
    oneToOne.studentHeight = 1024;
    oneToOne.windowWidth = 1024 + 16;
    oneToOne.windowHeight = 768 + 39;
    oneToOne.frameWidth = 16;
    oneToOne.frameHeight = 39;
    RemoteViewLayout layout = LayOutRemoteView(oneToOne);
    EXPECT_EQ(layout.horizontalRange, 256 + 16);
    EXPECT_EQ(layout.verticalRange, 256 + 16);
    // Painted no larger than the client shows it.
    EXPECT_EQ(layout.targetWidth, 1024);
    EXPECT_EQ(layout.targetHeight, 768);
    int x = 50;
    int y = 60;
    MapViewPoint(layout, 100, 10, x, y);
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, 70);
    EXPECT_EQ(ScrollTo(250, ScrollRequest::PageDown, 0, layout.horizontalRange), 272);
    EXPECT_EQ(ScrollTo(5, ScrollRequest::LineUp, 0, layout.horizontalRange), 0);

    RemoteViewGeometry portrait;
    portrait.studentWidth = 720;
    portrait.studentHeight = 1280;
    portrait.windowWidth = 1000;
    portrait.windowHeight = 800;
    portrait.fullScreen = true;
    layout = LayOutRemoteView(portrait);
    EXPECT_TRUE(layout.portrait);
    EXPECT_EQ(layout.drawnWidth, 450);
    EXPECT_EQ(layout.freeWidth, 550);
    x = 500;
    y = 400;
    MapViewPoint(layout, 0, 0, x, y);
    EXPECT_EQ(x, 360);
    EXPECT_EQ(y, 640);

    RemoteViewGeometry fitted = portrait;
    fitted.studentWidth = 1920;
    fitted.studentHeight = 1080;
    layout = LayOutRemoteView(fitted);
    EXPECT_FALSE(layout.portrait);
    x = 500;
    y = 400;
    MapViewPoint(layout, 30, 30, x, y);   // no scrolling when fitted
    EXPECT_EQ(x, 960);
    EXPECT_EQ(y, 540);
}

TEST(CombinedPaneLayout, PointsFallInTheRightPaneAndEmptyAreasInNone)
{
    // Two students in a 1200 x 800 client: side by side, a quarter down.
    PaneHit hit = HitTestCombinedPane(2, 1200, 800, 900, 500);
    EXPECT_EQ(hit.pane, 1);
    EXPECT_EQ(hit.x, 300);
    EXPECT_EQ(hit.y, 300);
    EXPECT_EQ(HitTestCombinedPane(2, 1200, 800, 100, 150).pane, -1);   // the band above
    EXPECT_EQ(HitTestCombinedPane(2, 1200, 800, 100, 650).pane, -1);   // the band below
    // Three students: the bottom-right quarter is nobody's.
    EXPECT_EQ(HitTestCombinedPane(3, 1200, 800, 900, 700).pane, -1);
    hit = HitTestCombinedPane(3, 1200, 800, 100, 700);
    EXPECT_EQ(hit.pane, 2);
    EXPECT_EQ(hit.y, 300);
    EXPECT_EQ(HitTestCombinedPane(4, 1200, 800, 900, 700).pane, 3);
    EXPECT_EQ(HitTestCombinedPane(1, 1200, 800, 1199, 799).pane, 0);
    // A pane point on a 1024 x 768 student screen.
    const PaneRect pane = CombinedPaneRect(4, 3, 1200, 800);
    EXPECT_EQ(pane.left, 600);
    EXPECT_EQ(pane.top, 400);
    int x = 300;
    int y = 200;
    ScalePanePoint(1024, 768, pane, x, y);
    EXPECT_EQ(x, 512);
    EXPECT_EQ(y, 384);
}
