// bench_remote_frame [rounds]: what showing a student's screen in a remote session costs beyond
// the bare decoding. Floor: GDI+ decoding the same JPEG from a memory stream, drawing it into a
// DIB and copying that into a back buffer (the platform calls alone). Measured: the session's
// decoder taking the type-12 packet (block read, tiles placed into the frame bitmap under the
// slot's lock) and the frame bitmap copied into a back buffer as the window paints it.
#include "foundation/MemBitmap.h"
#include "foundation/Packet.h"
#include "sessions/PCInfo.h"
#include "sessions/ScreenDecoder.h"
#include "ui/ImageEncoders.h"

#include <objbase.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kTileWidth = 120;
constexpr int kTileHeight = 135;

// A strip of count tiles, each a flat colour with a stripe, as a JPEG.
std::vector<BYTE> StripJpeg(int count)
{
    CMemBitmap strip;
    strip.Create(count * kTileWidth, kTileHeight, 32);
    for (int i = 0; i < count; ++i) {
        HBRUSH brush = ::CreateSolidBrush(RGB(i * 37 % 256, i * 91 % 256, i * 53 % 256));
        RECT tile = {i * kTileWidth, 0, (i + 1) * kTileWidth, kTileHeight};
        ::FillRect(strip.GetSafeHdc(), &tile, brush);
        ::DeleteObject(brush);
        ::PatBlt(strip.GetSafeHdc(), i * kTileWidth + 10, 20, 60, 8, WHITENESS);
    }
    Gdiplus::Bitmap bitmap(strip.GetBitmap(), nullptr);
    return EncodeImageBytes(bitmap, L"image/jpeg");
}

std::vector<BYTE> TileBlock(const std::vector<BYTE>& jpeg, int count)
{
    std::vector<uint32_t> words = {0, static_cast<uint32_t>(count)};
    for (int i = 0; i < count; ++i)
        words.push_back(static_cast<uint32_t>(count == 128 ? i : i * 33));
    words.push_back(static_cast<uint32_t>(jpeg.size()));
    std::vector<BYTE> block(words.size() * 4);
    std::memcpy(block.data(), words.data(), block.size());
    block.insert(block.end(), jpeg.begin(), jpeg.end());
    return block;
}

// The floor: decode, draw into a DIB, copy into the back buffer.
bool Floor(const std::vector<BYTE>& jpeg, CMemBitmap& picture, CMemBitmap& back)
{
    IStream* stream = ::SHCreateMemStream(jpeg.data(), static_cast<UINT>(jpeg.size()));
    if (!stream)
        return false;
    bool ok = false;
    {
        Gdiplus::Bitmap decoded(stream);
        Gdiplus::Graphics graphics(picture.GetSafeHdc());
        ok = decoded.GetLastStatus() == Gdiplus::Ok &&
             graphics.DrawImage(&decoded, 0, 0, decoded.GetWidth(), decoded.GetHeight()) == Gdiplus::Ok;
    }
    stream->Release();
    return ok && ::BitBlt(back.GetSafeHdc(), 0, 0, kWidth, kHeight, picture.GetSafeHdc(), 0, 0, SRCCOPY);
}

bool Session(CScreenDecoder& decoder, CPCInfo& slot, const std::vector<BYTE>& block, UINT sequence, CMemBitmap& back)
{
    CPacket packet(block.data(), static_cast<UINT>(block.size()), static_cast<UINT>(block.size()), sequence);
    uint32_t last = 0;
    uint32_t acknowledge = 0;
    if (!decoder.DecodeTiles(slot, packet, last, acknowledge))
        return false;
    CCriticalSectionLock lock(slot.GetLock());
    return ::BitBlt(back.GetSafeHdc(), 0, 0, kWidth, kHeight, slot.m_thumbnail.GetSafeHdc(), 0, 0, SRCCOPY);
}

void Measure(const char* what, int tiles, int rounds, CScreenDecoder& decoder, CPCInfo& slot, CMemBitmap& back)
{
    const std::vector<BYTE> jpeg = StripJpeg(tiles);
    const std::vector<BYTE> block = TileBlock(jpeg, tiles);
    CMemBitmap picture;
    picture.Create(tiles * kTileWidth, kTileHeight, 32);
    double floorSeconds = 0;
    double sessionSeconds = 0;
    for (int round = 0; round < rounds; ++round) {
        Clock::time_point start = Clock::now();
        if (!Floor(jpeg, picture, back))
            std::exit(1);
        floorSeconds += Seconds(start);
        start = Clock::now();
        if (!Session(decoder, slot, block, static_cast<UINT>(round + 1), back))
            std::exit(1);
        sessionSeconds += Seconds(start);
    }
    std::printf("%s (%d tiles, JPEG %zu bytes): floor %.2f ms, session %.2f ms = %.2f x floor\n", what, tiles,
                jpeg.size(), 1000 * floorSeconds / rounds, 1000 * sessionSeconds / rounds,
                sessionSeconds / floorSeconds);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    {
        CPCInfo slot;
        slot.m_clientKind = 1;
        slot.m_screenWidth = kWidth;
        slot.m_screenHeight = kHeight;
        slot.m_frameWidth = kTileWidth;
        slot.m_frameHeight = kTileHeight;
        CScreenDecoder decoder;
        CMemBitmap back;
        back.Create(kWidth, kHeight, 32);
        if (!decoder.Open() || !CScreenDecoder::EnsureFrameBitmap(slot))
            return 1;
        std::printf("%d rounds, screen %d x %d, tiles %d x %d\n", rounds, kWidth, kHeight, kTileWidth, kTileHeight);
        Measure("full frame", 128, rounds, decoder, slot, back);
        Measure("4-tile update", 4, rounds, decoder, slot, back);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
