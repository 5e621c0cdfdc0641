#include "activities/screenshare/core/StreamFlow.h"
#include "view/core/RemoconCommands.h"

#include <gtest/gtest.h>

namespace {

// What the app sends is bounded before it sizes a bitmap, divides or plays a key.
TEST(ViewRemoconCommandsTest, AppTextsAreReadOnlyWithinTheirBounds)
{
    RemoconViewerSize size;
    ASSERT_TRUE(ReadViewerSize(u"1920,1080,full,resize", size));
    EXPECT_EQ(size.tileWidth, 120);
    EXPECT_EQ(size.tileHeight, 135);
    EXPECT_TRUE(size.fullScreen);
    EXPECT_TRUE(size.fitted);
    EXPECT_FALSE(ReadViewerSize(u"0,1080,full,resize", size));        // a zero side never divides
    EXPECT_FALSE(ReadViewerSize(u"9000,1080,full,resize", size));
    EXPECT_FALSE(ReadViewerSize(u"1920,1080,full", size));
    EXPECT_EQ(size.width, 1920);                                        // a refused text changes nothing

    int width = 0, height = 0;
    EXPECT_TRUE(ReadStreamCanvas(u"16,8192", width, height));
    EXPECT_FALSE(ReadStreamCanvas(u"15,720", width, height));
    EXPECT_FALSE(ReadStreamCanvas(u"-1280,720", width, height));
    EXPECT_FALSE(ReadStreamCanvas(u"1280,720,1", width, height));
    EXPECT_EQ(width, 16);

    uint16_t code = 0;
    EXPECT_TRUE(ReadCharacterCode(u"65535", code));
    EXPECT_EQ(code, 0xFFFF);
    EXPECT_FALSE(ReadCharacterCode(u"0", code));
    EXPECT_FALSE(ReadCharacterCode(u"65536", code));
    EXPECT_FALSE(ReadCharacterCode(u"4x", code));

    int frame = 0;
    EXPECT_TRUE(ReadFrameAcknowledgement(u"12", frame));
    EXPECT_FALSE(ReadFrameAcknowledgement(u"5,6", frame));             // two fields change nothing
    EXPECT_EQ(frame, 12);

    // Numbers, not text: "2.0.1.999" sorts after "2.0.1.1027" as text.
    EXPECT_FALSE(IsRemoteAppNewer(u"2.0.1.1027"));
    EXPECT_TRUE(IsRemoteAppNewer(u"2.0.1.1028"));
    EXPECT_FALSE(IsRemoteAppNewer(u"2.0.1.999"));
    EXPECT_TRUE(IsRemoteAppNewer(u"2.1"));
}

TEST(ViewRemoconCommandsTest, ViewerLetterboxAndStreamFlow)
{
    RemoconLetterbox box = ComputeLetterbox(true, 1920, 1080, 1080, 1920);   // a portrait pad
    EXPECT_EQ(box.height, 1080);
    EXPECT_EQ(box.width, 607);
    EXPECT_EQ(box.left, (1920 - 607) / 2);
    box = ComputeLetterbox(false, 1000, 800, 640, 360);
    EXPECT_EQ(box.left, 180);
    EXPECT_EQ(box.top, 220);
    EXPECT_EQ(ComputeLetterbox(true, 1920, 1080, 0, 0).width, 0);

    // Blocks 1 to 3 go out unacknowledged; 4 waits until block 1 is acknowledged.
    EXPECT_TRUE(MayCaptureStreamFrame(3, 0));
    EXPECT_FALSE(MayCaptureStreamFrame(4, 0));
    EXPECT_TRUE(MayCaptureStreamFrame(4, 1));
    EXPECT_TRUE(MayCaptureStreamFrame(6, 3));
    EXPECT_FALSE(MayCaptureStreamFrame(7, 3));
}

} // namespace
