#include "ui/RotateImage.h"

#include "PictureTestSupport.h"

#include <gdiplus.h>

#include <memory>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

bool FindEncoder(const wchar_t* mime, CLSID& clsid)
{
    UINT count = 0;
    UINT size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (size == 0 || Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
        if (lstrcmpW(codecs[i].MimeType, mime) == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

IStream* NewStream(const Bytes& bytes)
{
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return nullptr;
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    return stream;
}

Bytes StreamBytes(IStream* stream)
{
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    Bytes bytes(stat.cbSize.LowPart);
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    bytes.resize(read);
    return bytes;
}

// A PNG of width x height: the left half red, the right half blue.
Bytes HalfRedPng(int width, int height)
{
    Gdiplus::Bitmap bitmap(width, height, PixelFormat24bppRGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, x < width / 2 ? Gdiplus::Color(255, 0, 0) : Gdiplus::Color(0, 0, 255));
    CLSID png;
    IStream* stream = nullptr;
    Bytes bytes;
    if (FindEncoder(L"image/png", png) && SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
        if (bitmap.Save(stream, &png, nullptr) == Gdiplus::Ok)
            bytes = StreamBytes(stream);
        stream->Release();
    }
    return bytes;
}

struct Decoded {
    UINT width = 0;
    UINT height = 0;
    Gdiplus::Color topLeft;
    Gdiplus::Color bottomRight;
};

bool Decode(IStream* stream, Decoded& out)
{
    Gdiplus::Bitmap bitmap(stream);
    if (bitmap.GetLastStatus() != Gdiplus::Ok)
        return false;
    out.width = bitmap.GetWidth();
    out.height = bitmap.GetHeight();
    bitmap.GetPixel(1, 1, &out.topLeft);
    bitmap.GetPixel(static_cast<INT>(out.width) - 2, static_cast<INT>(out.height) - 2, &out.bottomRight);
    return true;
}

bool IsReddish(const Gdiplus::Color& c) { return c.GetR() > 180 && c.GetB() < 80; }
bool IsBluish(const Gdiplus::Color& c) { return c.GetB() > 180 && c.GetR() < 80; }

TEST(PictureRotateTest, Orientation3TurnsAQuarterClockwiseIntoAJpegCutToItsLength)
{
    const Bytes png = HalfRedPng(4, 2);
    ASSERT_FALSE(png.empty());
    IStream* stream = NewStream(png);
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(RotateImageInStream(stream, 3));
    const Bytes jpeg = StreamBytes(stream);
    ASSERT_GE(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);   // nothing of the old picture after the end marker
    EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    Decoded decoded;
    ASSERT_TRUE(Decode(stream, decoded));
    EXPECT_EQ(decoded.width, 2u);
    EXPECT_EQ(decoded.height, 4u);
    stream->Release();
}

TEST(PictureRotateTest, EachOrientationTurnsTheRightWay)
{
    // 32 x 16, left half red: after a quarter turn clockwise red is on top; after a half turn
    // on the right; after three quarters at the bottom.
    struct Case { int orientation; UINT width; UINT height; bool redFirst; };
    const Case cases[] = {{3, 16, 32, true}, {1, 32, 16, false}, {2, 16, 32, false}};
    const Bytes png = HalfRedPng(32, 16);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        IStream* stream = NewStream(png);
        ASSERT_TRUE(RotateImageInStream(stream, c.orientation));
        Decoded decoded;
        ASSERT_TRUE(Decode(stream, decoded));
        EXPECT_EQ(decoded.width, c.width);
        EXPECT_EQ(decoded.height, c.height);
        EXPECT_EQ(IsReddish(decoded.topLeft), c.redFirst);
        EXPECT_EQ(IsBluish(decoded.topLeft), !c.redFirst);
        EXPECT_EQ(IsReddish(decoded.bottomRight), !c.redFirst);
        stream->Release();
    }
}

TEST(PictureRotateTest, OtherOrientationsAndUnreadableBytesLeaveTheStreamAlone)
{
    const Bytes png = HalfRedPng(4, 2);
    for (int orientation : {0, 4, -1, 99}) {
        IStream* stream = NewStream(png);
        EXPECT_TRUE(RotateImageInStream(stream, orientation));
        EXPECT_EQ(StreamBytes(stream), png);
        stream->Release();
    }
    Bytes corrupt = png;
    corrupt.resize(corrupt.size() / 2);
    const Bytes garbage(300, 0x5A);
    for (const Bytes& bytes : {corrupt, garbage, Bytes{}}) {
        IStream* stream = NewStream(bytes);
        EXPECT_FALSE(RotateImageInStream(stream, 3));
        EXPECT_EQ(StreamBytes(stream), bytes);
        stream->Release();
    }
    EXPECT_FALSE(RotateImageInStream(nullptr, 3));
}

} // namespace
