#include "ui/PictureEx.h"

#include "PictureTestSupport.h"
#include "core/GifSamples.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

using namespace gif_samples;

namespace {

int CountThreadsOfThisProcess()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    CloseHandle(snapshot);
    return count;
}

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

class PictureExTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Open());
        ASSERT_TRUE(m_picture.Create(L"", WS_CHILD | WS_VISIBLE, RECT{10, 10, 20, 20}, &m_parent, 1209));
    }

    BOOL LoadBytes(const Bytes& bytes, BOOL loop)
    {
        CGlobalBytes memory(bytes);
        return m_picture.Load(memory.Get(), memory.Size(), loop);
    }

    bool WaitForPixel(int x, int y, COLORREF colour)
    {
        return PumpUntilPolled([&] { return m_picture.GetCanvasPixel(x, y) == colour; });
    }

    CTestParentWnd m_parent;
    CPictureEx m_picture;
};

TEST_F(PictureExTest, SingleFrameGifIsAStillPictureDrawnWithoutAThread)
{
    ASSERT_TRUE(LoadBytes(StillGif(12, 7), TRUE));
    EXPECT_FALSE(m_picture.IsAnimated());
    EXPECT_EQ(m_picture.GetPictureSize().cx, 12);
    EXPECT_EQ(m_picture.GetPictureSize().cy, 7);
    RECT rect;
    m_picture.GetClientRect(&rect);
    EXPECT_EQ(rect.right, 12);   // the control takes the picture's size
    EXPECT_EQ(rect.bottom, 7);

    const int threads = CountThreadsOfThisProcess();
    ASSERT_TRUE(m_picture.Draw());
    EXPECT_FALSE(m_picture.IsPlaying());
    EXPECT_EQ(CountThreadsOfThisProcess(), threads);
    EXPECT_EQ(m_picture.GetCanvasPixel(0, 0), kRed);
    EXPECT_EQ(m_picture.GetCanvasPixel(11, 6), kRed);
}

TEST_F(PictureExTest, Gif87WithTwoImagesHasTwoFramesWithoutDelay)
{
    Bytes gif = Header(4, 4, false);
    AppendImage(gif, 0, 0, 4, 4, 1);
    AppendImage(gif, 0, 0, 4, 4, 2);
    AppendTrailer(gif);
    ASSERT_TRUE(LoadBytes(gif, TRUE));
    ASSERT_EQ(m_picture.GetFrameCount(), 2);
    EXPECT_EQ(m_picture.GetFrameDelay(0), -1);
    EXPECT_EQ(m_picture.GetFrameDelay(1), -1);
}

TEST_F(PictureExTest, FramesAreDrawnAtTheirOffsets)
{
    Bytes gif = Header(10, 10);
    AppendControl(gif, 20, 0);
    AppendImage(gif, 0, 0, 10, 10, 1);                // red everywhere
    AppendControl(gif, 3000, 0);
    AppendImage(gif, 3, 4, 2, 2, 3);                   // blue at (3..4, 4..5), shown a long time
    AppendTrailer(gif);
    ASSERT_TRUE(LoadBytes(gif, TRUE));
    ASSERT_TRUE(m_picture.Draw());
    ASSERT_TRUE(WaitForPixel(4, 5, kBlue));
    EXPECT_EQ(m_picture.GetCanvasPixel(3, 4), kBlue);
    EXPECT_EQ(m_picture.GetCanvasPixel(5, 6), kRed);
    EXPECT_EQ(m_picture.GetCanvasPixel(0, 0), kRed);
    EXPECT_EQ(m_picture.GetCanvasPixel(9, 9), kRed);
}

TEST_F(PictureExTest, WithoutLoopTheAnimationEndsOnTheBackgroundColour)
{
    ASSERT_TRUE(LoadBytes(AnimatedGif(6, 6, 3, 30, 0), FALSE));
    ASSERT_TRUE(m_picture.Draw());
    ASSERT_TRUE(WaitForPixel(0, 0, kRed));
    ASSERT_TRUE(PumpUntilPolled([&] { return !m_picture.IsPlaying(); }));
    const COLORREF background = m_picture.GetBackgroundColor();
    EXPECT_EQ(background, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(m_picture.GetCanvasPixel(0, 0), background);
    EXPECT_EQ(m_picture.GetCanvasPixel(5, 5), background);

    // It may be played again once it has ended.
    ASSERT_TRUE(m_picture.Draw());
    ASSERT_TRUE(WaitForPixel(0, 0, kRed));
    m_picture.Stop();
}

TEST_F(PictureExTest, DisposalToBackgroundClearsTheFrameArea)
{
    Bytes gif = Header(8, 8);
    AppendControl(gif, 5, 2);
    AppendImage(gif, 0, 0, 8, 8, 1);                  // red, then cleared
    AppendControl(gif, 3000, 1);
    AppendImage(gif, 0, 0, 2, 2, 2);                  // green corner, kept a long time
    AppendTrailer(gif);
    ASSERT_TRUE(LoadBytes(gif, TRUE));
    ASSERT_TRUE(m_picture.Draw());
    ASSERT_TRUE(WaitForPixel(0, 0, kGreen));
    EXPECT_EQ(m_picture.GetCanvasPixel(7, 7), m_picture.GetBackgroundColor());
}

TEST_F(PictureExTest, ASecondDrawStartsNoSecondThreadAndStopEndsIt)
{
    const int before = CountThreadsOfThisProcess();
    ASSERT_TRUE(LoadBytes(AnimatedGif(4, 4, 2, 500, 0), TRUE));
    ASSERT_TRUE(m_picture.Draw());
    EXPECT_TRUE(m_picture.IsPlaying());
    const int playing = CountThreadsOfThisProcess();
    EXPECT_EQ(playing, before + 1);
    ASSERT_TRUE(m_picture.Draw());
    ASSERT_TRUE(m_picture.Draw());
    EXPECT_EQ(CountThreadsOfThisProcess(), playing);

    m_picture.Stop();
    EXPECT_FALSE(m_picture.IsPlaying());
    // Stop returns only once the thread is gone.
    EXPECT_EQ(CountThreadsOfThisProcess(), before);
}

TEST_F(PictureExTest, UnloadWhilePlayingAndPaintingIsSafe)
{
    // The thread draws into the canvas the window paints from; unloading frees it.
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(LoadBytes(AnimatedGif(40, 40, 3, 0, round % 4), TRUE));
        ASSERT_TRUE(m_picture.Draw());
        m_picture.Invalidate(FALSE);
        m_picture.UpdateWindow();
        PumpPending();
        m_picture.UnLoad();
        EXPECT_FALSE(m_picture.IsLoaded());
        EXPECT_FALSE(m_picture.IsPlaying());
    }
}

TEST_F(PictureExTest, DestroyingTheWindowStopsTheAnimation)
{
    const int before = CountThreadsOfThisProcess();
    ASSERT_TRUE(LoadBytes(AnimatedGif(4, 4, 2, 500, 0), TRUE));
    ASSERT_TRUE(m_picture.Draw());
    m_picture.DestroyWindow();
    EXPECT_FALSE(m_picture.IsPlaying());
    EXPECT_EQ(CountThreadsOfThisProcess(), before);
}

TEST_F(PictureExTest, OtherPictureFormatsLoadThroughOle)
{
    // A 24-bit bitmap file, 5 x 3, all blue.
    const int width = 5;
    const int height = 3;
    const int stride = (width * 3 + 3) & ~3;
    Bytes bmp(54 + stride * height, 0);
    BITMAPFILEHEADER* file = reinterpret_cast<BITMAPFILEHEADER*>(bmp.data());
    file->bfType = 0x4D42;
    file->bfSize = static_cast<DWORD>(bmp.size());
    file->bfOffBits = 54;
    BITMAPINFOHEADER* info = reinterpret_cast<BITMAPINFOHEADER*>(bmp.data() + 14);
    info->biSize = sizeof(BITMAPINFOHEADER);
    info->biWidth = width;
    info->biHeight = height;
    info->biPlanes = 1;
    info->biBitCount = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bmp[54 + y * stride + x * 3] = 255;   // blue byte first
    ASSERT_TRUE(LoadBytes(bmp, TRUE));
    EXPECT_FALSE(m_picture.IsAnimated());
    EXPECT_EQ(m_picture.GetPictureSize().cx, width);
    EXPECT_EQ(m_picture.GetPictureSize().cy, height);
    ASSERT_TRUE(m_picture.Draw());
    EXPECT_EQ(m_picture.GetCanvasPixel(4, 2), kBlue);
}

TEST_F(PictureExTest, UnreadableDataLeavesTheControlEmpty)
{
    Bytes truncated = AnimatedGif(4, 4, 2, 5, 0);
    truncated.resize(30);
    Bytes noFrame = Header(4, 4);
    AppendTrailer(noFrame);
    const Bytes garbage = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
    for (const Bytes& bytes : {truncated, noFrame, garbage}) {
        EXPECT_FALSE(LoadBytes(bytes, TRUE));
        EXPECT_FALSE(m_picture.IsLoaded());
        EXPECT_FALSE(m_picture.Draw());
    }
    EXPECT_FALSE(m_picture.Load(nullptr, 10, TRUE));
    CGlobalBytes small(StillGif(2, 2));
    EXPECT_FALSE(m_picture.Load(small.Get(), small.Size() + 4096, TRUE));   // size beyond the block
    EXPECT_FALSE(m_picture.LoadFromResource(65000, TRUE));
}

} // namespace
