#include "foundation/MemBitmap.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool AllZero(const CMemBitmap& picture)
{
    const BYTE* bits = picture.GetBits();
    return std::all_of(bits, bits + picture.GetImageSize(), [](BYTE b) { return b == 0; });
}

TEST(MemBitmapTest, StartsEmptyAndIgnoresSizesBelowOne)
{
    CMemBitmap picture;
    EXPECT_EQ(picture.GetWidth(), 0);
    EXPECT_EQ(picture.GetBitsPerPixel(), 32);
    EXPECT_EQ(picture.GetSafeHdc(), nullptr);
    picture.Create(0, 5);
    picture.Create(5, -1);
    EXPECT_EQ(picture.GetSafeHdc(), nullptr);

    picture.Create(4, 3);
    BYTE* bits = picture.GetBits();
    ASSERT_NE(bits, nullptr);
    picture.Create(0, 3);
    EXPECT_EQ(picture.GetBits(), bits);
    EXPECT_EQ(picture.GetWidth(), 4);
    EXPECT_EQ(picture.GetHeight(), 3);
}

TEST(MemBitmapTest, ImageSizePadsRowsToFourBytes)
{
    struct Case {
        int width, height, bitsPerPixel;
        DWORD imageSize;
    } cases[] = {{3, 2, 32, 24}, {3, 2, 8, 8}, {1, 1, 8, 4}, {5, 1, 8, 8}, {200, 150, 32, 120000}};
    for (const Case& c : cases) {
        CMemBitmap picture;
        picture.Create(c.width, c.height, c.bitsPerPixel);
        ASSERT_NE(picture.GetBits(), nullptr);
        EXPECT_EQ(picture.GetImageSize(), c.imageSize) << c.width << "x" << c.height << "x" << c.bitsPerPixel;
        EXPECT_TRUE(AllZero(picture));
        const BITMAPINFOHEADER& header = picture.GetBitmapInfo()->bmiHeader;
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biHeight, c.height);   // bottom-up rows
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    }
}

TEST(MemBitmapTest, ThirtyTwoBitPixelsAreBlueGreenRedBottomUp)
{
    CMemBitmap picture;
    picture.Create(3, 2);
    ASSERT_NE(picture.GetBits(), nullptr);
    SetPixelV(picture.GetSafeHdc(), 0, 0, RGB(0x11, 0x22, 0x33));   // top-left: last row in memory
    GdiFlush();
    const BYTE* topRow = picture.GetBits() + 12;
    EXPECT_EQ(topRow[0], 0x33);
    EXPECT_EQ(topRow[1], 0x22);
    EXPECT_EQ(topRow[2], 0x11);
    EXPECT_EQ(picture.GetBits()[0], 0);
}

TEST(MemBitmapTest, EightBitPicturesUseAGreyPalette)
{
    CMemBitmap picture;
    picture.Create(4, 2, 8);
    ASSERT_NE(picture.GetBits(), nullptr);
    const BITMAPINFO* info = picture.GetBitmapInfo();
    EXPECT_EQ(info->bmiHeader.biClrUsed, 256u);
    EXPECT_EQ(info->bmiColors[200].rgbRed, 200);
    EXPECT_EQ(info->bmiColors[200].rgbGreen, 200);
    EXPECT_EQ(info->bmiColors[200].rgbBlue, 200);

    RGBQUAD table[256];
    ASSERT_EQ(GetDIBColorTable(picture.GetSafeHdc(), 0, 256, table), 256u);
    EXPECT_EQ(table[200].rgbRed, 200);
    EXPECT_EQ(table[200].rgbBlue, 200);

    picture.GetBits()[0] = 200;   // bottom-left pixel
    EXPECT_EQ(GetPixel(picture.GetSafeHdc(), 0, 1), RGB(200, 200, 200));
}

TEST(MemBitmapTest, SameSizeKeepsThePictureAndItsFirstDepth)
{
    CMemBitmap picture;
    picture.Create(3, 2, 32);
    ASSERT_NE(picture.GetBits(), nullptr);
    picture.GetBits()[5] = 0x7F;
    BYTE* bits = picture.GetBits();
    picture.Create(3, 2, 32);
    EXPECT_EQ(picture.GetBits(), bits);
    EXPECT_EQ(picture.GetBits()[5], 0x7F);

    picture.Create(3, 2, 8);
    EXPECT_EQ(picture.GetBits(), bits);
    EXPECT_EQ(picture.GetBitsPerPixel(), 32);
    EXPECT_EQ(picture.GetImageSize(), 24u);
    EXPECT_EQ(picture.GetBitmapInfo()->bmiHeader.biBitCount, 32);

    // A new size takes the depth asked for; the same size then keeps that one in turn.
    picture.Create(6, 2, 8);
    EXPECT_EQ(picture.GetBitsPerPixel(), 8);
    EXPECT_EQ(picture.GetImageSize(), 16u);
    picture.Create(6, 2, 32);
    EXPECT_EQ(picture.GetBitsPerPixel(), 8);
    EXPECT_EQ(picture.GetImageSize(), 16u);
}

TEST(MemBitmapTest, AFailedBitmapIsRetriedByTheNextCreate)
{
    CMemBitmap picture;
    picture.Create(8, 8, 32);
    ASSERT_NE(picture.GetBits(), nullptr);

    picture.Create(9, 8, 7);   // no such depth: the DIB section cannot be made
    EXPECT_EQ(picture.GetBits(), nullptr);
    EXPECT_NE(picture.GetSafeHdc(), nullptr);
    EXPECT_EQ(picture.GetWidth(), 0);
    EXPECT_EQ(picture.GetHeight(), 0);
    EXPECT_EQ(picture.GetImageSize(), 0u);

    picture.Create(8, 8, 32);
    ASSERT_NE(picture.GetBits(), nullptr);
    EXPECT_EQ(picture.GetImageSize(), 256u);

    if (sizeof(void*) == 4) {   // the program is 32-bit; a 64-bit test build could map it
        picture.Create(30000, 30000, 32);   // 3.6 GB: more than a 32-bit process can map
        EXPECT_EQ(picture.GetBits(), nullptr);
    }
    picture.Create(2, 2, 32);
    EXPECT_NE(picture.GetBits(), nullptr);
}

TEST(MemBitmapTest, ContextCanBlitBetweenPictures)
{
    CMemBitmap source, target;
    source.Create(2, 2);
    target.Create(2, 2);
    ASSERT_NE(source.GetBits(), nullptr);
    ASSERT_NE(target.GetBits(), nullptr);
    source.GetDC().PatBlt(0, 0, 2, 2, WHITENESS);
    EXPECT_TRUE(target.GetDC().BitBlt(0, 0, 2, 2, &source.GetDC(), 0, 0, SRCCOPY));
    GdiFlush();
    EXPECT_EQ(target.GetBits()[0], 0xFF);
    EXPECT_EQ(target.GetBits()[14], 0xFF);
}

} // namespace
