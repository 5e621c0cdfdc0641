// Thumbnail parts (type 7): decoded with GDI+ into the slot's picture at their rectangle, turned
// upright for pads whose pictures arrive unrotated, and refused when their size is unusable.
#include "StudentFixture.h"

#include "sessions/ThumbnailDecoder.h"
#include "ui/ImageEncoders.h"

#include <gdiplus.h>

#include <vector>

namespace {

// A JPEG whose left half is one colour and right half another.
std::vector<BYTE> MakeJpeg(int width, int height, Gdiplus::Color left, Gdiplus::Color right)
{
    Gdiplus::Bitmap picture(width, height, PixelFormat32bppRGB);
    {
        Gdiplus::Graphics graphics(&picture);
        Gdiplus::SolidBrush leftBrush(left), rightBrush(right);
        graphics.FillRectangle(&leftBrush, 0, 0, width / 2, height);
        graphics.FillRectangle(&rightBrush, width / 2, 0, width - width / 2, height);
    }
    return EncodeImageBytes(picture, L"image/jpeg");
}

// The same JPEG with another size in its frame header (the first start-of-frame segment GDI+'s
// encoder writes), as a hostile student would send it.
std::vector<BYTE> ClaimingSize(std::vector<BYTE> jpeg, int width, int height)
{
    for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = static_cast<BYTE>(height >> 8);
            jpeg[i + 6] = static_cast<BYTE>(height);
            jpeg[i + 7] = static_cast<BYTE>(width >> 8);
            jpeg[i + 8] = static_cast<BYTE>(width);
            return jpeg;
        }
    }
    return {};
}

CPacket ThumbnailPart(const RECT& rect, const std::vector<BYTE>& jpeg)
{
    CPacket part;
    part.m_type = 7;
    part.m_rect = rect;
    part.m_image = jpeg.data();
    part.m_imageLength = static_cast<UINT>(jpeg.size());
    return part;
}

// The colour of a thumbnail pixel, read under the slot's lock as the painting does.
COLORREF PixelAt(CPCInfo& slot, int x, int y)
{
    CCriticalSectionLock lock(slot.GetLock());
    return GetPixel(slot.m_thumbnail.GetSafeHdc(), x, y);
}

bool IsNear(COLORREF colour, int red, int green, int blue)
{
    const int tolerance = 40;
    return abs(GetRValue(colour) - red) <= tolerance && abs(GetGValue(colour) - green) <= tolerance &&
           abs(GetBValue(colour) - blue) <= tolerance;
}

const Gdiplus::Color kRed(255, 220, 20, 20);
const Gdiplus::Color kBlue(255, 20, 20, 220);

} // namespace

class ThumbnailTest : public StudentFixture {
protected:
    void SetUp() override
    {
        StudentFixture::SetUp();
        CCriticalSectionLock lock(m_slot.GetLock());
        m_slot.m_thumbnail.Create(200, 150, 32);
    }
};

TEST_F(ThumbnailTest, PartLandsAtItsRectangleWithItsColours)
{
    const std::vector<BYTE> jpeg = MakeJpeg(64, 48, kRed, kBlue);
    ASSERT_FALSE(jpeg.empty());
    m_slot.m_lastImageTick = 0;
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{10, 20, 74, 68}, jpeg)));
    ASSERT_TRUE(m_peer->RoundTrip());   // the part has been handled by then

    EXPECT_NE(m_slot.m_lastImageTick.load(), 0u);
    EXPECT_TRUE(IsNear(PixelAt(m_slot, 20, 40), 220, 20, 20));
    EXPECT_TRUE(IsNear(PixelAt(m_slot, 64, 40), 20, 20, 220));
    EXPECT_TRUE(IsNear(PixelAt(m_slot, 5, 5), 0, 0, 0));       // outside: untouched
    EXPECT_TRUE(IsNear(PixelAt(m_slot, 100, 40), 0, 0, 0));
}

TEST_F(ThumbnailTest, UnrotatedPadPictureIsTurnedUpright)
{
    // A pad of kind 3 held a quarter turn sends its pictures unturned. Turned 90 degrees
    // clockwise, the left half (red) becomes the top half; the turned picture is then fitted
    // back into the part's rectangle.
    m_slot.m_clientKind = 3;
    ASSERT_TRUE(m_peer->SendText(L"[PC00600]3"));
    const std::vector<BYTE> jpeg = MakeJpeg(64, 48, kRed, kBlue);
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{0, 0, 64, 48}, jpeg)));
    ASSERT_TRUE(m_peer->RoundTrip());

    EXPECT_TRUE(IsNear(PixelAt(m_slot, 32, 8), 220, 20, 20));
    EXPECT_TRUE(IsNear(PixelAt(m_slot, 32, 40), 20, 20, 220));
}

TEST_F(ThumbnailTest, UnusablePartsLeaveThePictureAloneAndTheStudentServed)
{
    const std::vector<BYTE> jpeg = MakeJpeg(16, 16, kRed, kRed);
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{0, 0, 0, 16}, jpeg)));            // no width
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{0, 0, 5000, 16}, jpeg)));         // too wide
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{0, 0, 201, 16}, jpeg)));          // wider than the slot
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{0, 0, 16, 16}, ClaimingSize(jpeg, 60000, 60000))));
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{0, 0, 16, 16}, ClaimingSize(jpeg, 65535, 1))));
    // A whole picture larger than its rectangle, which the decoder would read and draw.
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{0, 0, 16, 16}, MakeJpeg(32, 32, kRed, kRed))));
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{LONG_MIN + 1, 0, LONG_MAX, 16}, jpeg)));
    const std::vector<BYTE> garbage(300, 0x5A);
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{0, 0, 16, 16}, garbage)));        // no picture
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_TRUE(IsNear(PixelAt(m_slot, 8, 8), 0, 0, 0));
    EXPECT_TRUE(m_slot.IsOnline());
    // The next good part is drawn.
    ASSERT_TRUE(m_peer->Send(ThumbnailPart(RECT{0, 0, 16, 16}, MakeJpeg(16, 16, kRed, kRed))));
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_TRUE(IsNear(PixelAt(m_slot, 8, 8), 220, 20, 20));
}
