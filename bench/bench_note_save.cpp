// bench_note_save [rounds]: what saving the pen tool's whiteboard costs beyond the encoding.
// Floor: GDI+ encoding of an equal white picture to a JPEG file at quality 100 (the bare
// platform calls). Measured: the surface's save after pages 0 to 3 and back to 1 with 60
// strokes drawn, which switches to page 3, composes the canvas, encodes and switches back.
#include "activities/pentool/NoteJpeg.h"
#include "activities/pentool/NoteToolWnd.h"
#include "activities/pentool/core/NoteGeometry.h"
#include "foundation/MemBitmap.h"

#include <objidl.h>
#include <gdiplus.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

bool EncodeFloor(CMemBitmap& picture, const wchar_t* path)
{
    Gdiplus::Bitmap* bitmap = Gdiplus::Bitmap::FromBITMAPINFO(picture.GetBitmapInfo(), picture.GetBits());
    CLSID encoder;
    ULONG quality = 100;
    Gdiplus::EncoderParameters parameters;
    parameters.Count = 1;
    parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Value = &quality;
    const bool ok = bitmap && GetJpegEncoderClsid(&encoder) >= 0 && bitmap->Save(path, &encoder, &parameters) == Gdiplus::Ok;
    delete bitmap;
    return ok;
}

void Draw(HWND window, int x, int y)
{
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    for (int i = 1; i < 20; ++i) ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 9 * i, y + (i % 5) * 7));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x + 171, y));
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);

    auto* surface = new CNoteToolWnd;
    if (!surface->CreateSurface(CNoteToolWnd::WhiteboardMode)) return 1;
    surface->SetTool(note::kPenKind);
    surface->SetWidthIndex(2);
    for (int page = 0; page <= 3; ++page) {
        surface->SetPage(page);
        for (int i = 0; i < 15; ++i) Draw(surface->GetSafeHwnd(), page * (width / 2) + 100 + (i % 5) * 300, 100 + (i / 5) * 250);
    }
    surface->SetPage(1);

    CMemBitmap floorPicture;
    floorPicture.Create(note::CanvasForPage(width, 3).width, height, 32);
    ::PatBlt(floorPicture.GetSafeHdc(), 0, 0, floorPicture.GetWidth(), floorPicture.GetHeight(), WHITENESS);
    const CString floorPath = CNoteToolWnd::GetNoteFolder() + L"\\bench_floor.jpg";

    double floorSeconds = 0, saveSeconds = 0;
    for (int round = 0; round < rounds; ++round) {
        Clock::time_point start = Clock::now();
        if (!EncodeFloor(floorPicture, floorPath)) return 1;
        floorSeconds += Seconds(start);
        start = Clock::now();
        if (!surface->SaveToFile(3, 1)) return 1;
        saveSeconds += Seconds(start);
        ::DeleteFileW(surface->GetSavedPath());
    }
    ::DeleteFileW(floorPath);
    std::printf("canvas %d x %d, %d rounds\n", floorPicture.GetWidth(), height, rounds);
    std::printf("floor (GDI+ JPEG encode): %.1f ms\n", 1000 * floorSeconds / rounds);
    std::printf("whiteboard save (page 3 canvas, 60 strokes): %.1f ms = %.2f x floor\n", 1000 * saveSeconds / rounds,
                saveSeconds / floorSeconds);
    surface->CloseSurface();
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
