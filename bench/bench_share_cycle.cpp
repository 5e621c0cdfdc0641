// bench_share_cycle [cycles]: one cycle of the class screen share, split into capture, compare,
// encode, zlib and fan-out, for a still screen, a moving window and a full-screen change, with
// the bytes per cycle and the cycles per second it allows to 1, 10 and 60 students.
// Floor: the JPEG encoding of the same changed tiles alone (one GDI+ save of a strip that wide),
// measured in the same run; the cycle is reported as a ratio to it.
#include "activities/screenshare/ShareBlockEncoder.h"
#include "activities/screenshare/ShareScreenCapture.h"
#include "activities/screenshare/StripJpegEncoder.h"
#include "activities/screenshare/core/ShareCycle.h"
#include "foundation/Packet.h"

#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int kCanvasWidth = 1280, kCanvasHeight = 720;

double Ticks()
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart);
}

double NowMs()
{
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart * 1000.0 / Ticks();
}

// The student threads' side of the fan-out: each takes its copies and frees them.
struct Students {
    std::vector<std::thread> threads;
    std::vector<DWORD> ids;
    explicit Students(int count)
    {
        for (int i = 0; i < count; ++i) {
            HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
            DWORD id = 0;
            threads.emplace_back([ready, &id] {
                MSG msg;
                ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
                id = ::GetCurrentThreadId();
                ::SetEvent(ready);
                while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
                    delete reinterpret_cast<CPacket*>(msg.wParam);   // null for the floor's posts
            });
            ::WaitForSingleObject(ready, INFINITE);
            ::CloseHandle(ready);
            ids.push_back(id);
        }
    }
    ~Students()
    {
        for (DWORD id : ids) ::PostThreadMessageW(id, WM_QUIT, 0, 0);
        for (auto& t : threads) t.join();
    }
};

// Draws what the scenario shows in this cycle into the canvas.
void Change(HDC canvas, int scenario, int cycle)
{
    if (scenario == 1) {        // a 400 x 300 window moving 24 pixels a cycle
        RECT old = {(cycle - 1) * 24 % 880, 200, (cycle - 1) * 24 % 880 + 400, 500};
        ::FillRect(canvas, &old, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        HBRUSH brush = ::CreateSolidBrush(RGB(200, 120, 40));
        RECT now = {cycle * 24 % 880, 200, cycle * 24 % 880 + 400, 500};
        ::FillRect(canvas, &now, brush);
        ::DeleteObject(brush);
    } else if (scenario == 2) { // every pixel changes: a gradient shifted each cycle
        for (int y = 0; y < kCanvasHeight; y += 8)
            for (int x = 0; x < kCanvasWidth; x += 8) {
                HBRUSH brush = ::CreateSolidBrush(RGB((x + cycle * 7) & 255, (y + cycle * 3) & 255, (x + y) & 255));
                RECT cell = {x, y, x + 8, y + 8};
                ::FillRect(canvas, &cell, brush);
                ::DeleteObject(brush);
            }
    }
}

void RunScenario(const char* name, int scenario, int cycles)
{
    CShareScreenCapture capture;
    CShareBlockEncoder encoder;
    CStripJpegEncoder floorEncoder;
    CMemBitmap canvas, floorStrip;
    canvas.Create(kCanvasWidth, kCanvasHeight, 32);
    if (!capture.Setup(ShareRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)},
                       kCanvasWidth, kCanvasHeight) ||
        !encoder.Setup(kCanvasWidth, kCanvasHeight, kBroadcastTileFloor) || !floorEncoder.Open()) {
        std::printf("%s: set-up failed\n", name);
        return;
    }
    Students students(60);
    std::vector<uint8_t> jpeg;
    double captureMs = 0, compareMs = 0, encodeMs = 0, zlibMs = 0, fanMs[3] = {}, floorMs = 0, postFloorMs = 0;
    size_t bytes = 0;
    int encodedCycles = 0;
    const int fanCounts[3] = {1, 10, 60};
    CShareCycle cycle;
    for (int i = 0; i <= cycles; ++i) {
        const bool full = cycle.Begin();
        double t = NowMs();
        capture.Capture();
        const double captured = NowMs() - t;
        Change(canvas.GetSafeHdc(), scenario, i);
        ShareStageTimes times;
        bool changed = false;
        const std::vector<size_t> strip = encoder.Collect(canvas.GetSafeHdc(), full, changed, &times);
        std::vector<std::unique_ptr<CPacket>> blocks;
        if (!strip.empty()) {
            const int quality = ChooseShareQuality(static_cast<int>(strip.size()), static_cast<int>(encoder.TileCount()), full, 70);
            encoder.Encode(strip, quality, [&](const uint8_t* data, uint32_t raw, uint32_t length) {
                // The fan-out: one copy per student, posted to its thread.
                CPacket packet(data, raw, length, static_cast<UINT>(i));
                // The fan-out's floor: the bare posts to the 60 threads, carrying nothing.
                const double bareStart = NowMs();
                for (int s = 0; s < 60; ++s)
                    ::PostThreadMessageW(students.ids[static_cast<size_t>(s)], WM_APP, 0, 0);
                if (i > 0) postFloorMs += NowMs() - bareStart;
                for (int f = 0; f < 3; ++f) {
                    const double start = NowMs();
                    for (int s = 0; s < fanCounts[f]; ++s)
                        ::PostThreadMessageW(students.ids[static_cast<size_t>(s)], WM_APP, reinterpret_cast<WPARAM>(new CPacket(packet)), 0);
                    if (i > 0) fanMs[f] += NowMs() - start;
                }
            }, &times);
            // The floor: the same tiles' pixels in one strip, saved once.
            const ShareTileGrid& grid = encoder.Grid();
            floorStrip.Create(static_cast<int>(strip.size()) * grid.tileWidth, grid.tileHeight, 32);
            for (size_t k = 0; k < strip.size(); ++k) {
                const int column = static_cast<int>(strip[k]) % grid.columns, row = static_cast<int>(strip[k]) / grid.columns;
                ::BitBlt(floorStrip.GetSafeHdc(), static_cast<int>(k) * grid.tileWidth, 0, grid.tileWidth, grid.tileHeight,
                         canvas.GetSafeHdc(), column * grid.tileWidth, row * grid.tileHeight, SRCCOPY);
            }
            ::GdiFlush();
            t = NowMs();
            floorEncoder.Encode(floorStrip, floorStrip.GetWidth(), quality, jpeg);
            if (i > 0) floorMs += NowMs() - t;
        }
        if (i == 0) continue;   // the first cycle sends everything in every scenario
        const double tick = Ticks() / 1000.0;
        captureMs += captured;
        compareMs += times.compare / tick;
        encodeMs += times.encode / tick;
        zlibMs += times.compress / tick;
        bytes += times.blockBytes;
        if (!strip.empty()) ++encodedCycles;
    }
    const double n = cycles;
    const double cycleMs = (captureMs + compareMs + encodeMs + zlibMs + fanMs[2]) / n;
    const double ownMs = captureMs + compareMs + encodeMs + zlibMs;     // everything but the fan-out
    std::printf("%-14s capture %6.2f  compare %6.2f  encode %6.2f  zlib %6.2f  fan-out 1/10/60 %5.3f/%5.3f/%5.3f ms"
                "  bytes/cycle %8.0f  cycle %6.2f ms (%4.1f/%4.1f/%4.1f per s to 1/10/60)  floor %6.2f ms  ratio %5.2fx  (cycle-capture)/floor %5.2fx"
                "  fan-out60 %4.1f%% (bare posts %5.3f ms, %.2fx)\n",
                name, captureMs / n, compareMs / n, encodeMs / n, zlibMs / n, fanMs[0] / n, fanMs[1] / n, fanMs[2] / n,
                bytes / n, cycleMs, 1000.0 * n / (ownMs + fanMs[0]), 1000.0 * n / (ownMs + fanMs[1]), 1000.0 / cycleMs,
                floorMs / n,
                floorMs > 0 ? (captureMs + compareMs + encodeMs + zlibMs + fanMs[2]) / floorMs : 0.0,
                floorMs > 0 ? (compareMs + encodeMs + zlibMs + fanMs[2]) / floorMs : 0.0,
                100.0 * fanMs[2] / n / cycleMs, postFloorMs / n, postFloorMs > 0 ? fanMs[2] / postFloorMs : 0.0);
    (void)encodedCycles;
}

// The bare platform copy of the screen (no fit into the canvas), for the capture's ratio.
void CaptureFloor(int rounds)
{
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    CMemBitmap copy;
    copy.Create(w, h, 32);
    CShareScreenCapture capture;
    capture.Setup(ShareRect{0, 0, w, h}, kCanvasWidth, kCanvasHeight);
    double bare = 0, ours = 0;
    for (int i = 0; i < rounds; ++i) {
        double t = NowMs();
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(copy.GetSafeHdc(), 0, 0, w, h, screen, 0, 0, SRCCOPY | CAPTUREBLT);
        ::ReleaseDC(nullptr, screen);
        ::GdiFlush();
        bare += NowMs() - t;
        t = NowMs();
        capture.Capture();
        ours += NowMs() - t;
    }
    std::printf("capture %dx%d: bare BitBlt %6.2f ms, HALFTONE copy into %dx%d %6.2f ms (%.2fx)\n", w, h,
                bare / rounds, kCanvasWidth, kCanvasHeight, ours / rounds, ours / bare);
}

} // namespace

int main(int argc, char** argv)
{
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 60;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    CaptureFloor(30);
    RunScenario("still screen", 0, cycles);
    RunScenario("moving window", 1, cycles);
    RunScenario("full change", 2, cycles);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
