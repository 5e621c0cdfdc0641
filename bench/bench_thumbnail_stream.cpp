// bench_thumbnail_stream [rounds]: what the stream a student's thread decodes its thumbnails
// through costs. A thumbnail-sized JPEG (230 x 171, the size the load run's class sends) is
// written into the stream, decoded by GDI+ and drawn into a DIB, as the thread does, through
//   - a stream of a temporary compound file (what the thread uses),
//   - an HGLOBAL stream with the same behaviour (rewound, written, sized to the part),
//   - the floor: a fresh read-only memory stream over the bytes (SHCreateMemStream).
// Then the drawing alone, over the same memory stream: through the target's device context, and
// through a GDI+ bitmap over the target's pixels (what the thread does for 32-bit thumbnails).
// Also the memory each kind holds per student: 200 streams made and written once, as 200
// students' threads hold them, measured as the process's working set.
#include "bench/ThumbnailPicture.h"
#include "foundation/MemBitmap.h"

#include <objbase.h>
#include <gdiplus.h>
#include <psapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

constexpr int kWidth = 230;
constexpr int kHeight = 171;
constexpr int kStudents = 200;

std::vector<BYTE> ThumbnailJpeg()
{
    return BandedThumbnailJpeg(kWidth, kHeight, L"thumbnail");
}

bool Rewind(IStream* stream)
{
    LARGE_INTEGER zero = {};
    return SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, nullptr));
}

// The thread's steps: rewind, write the part, size the stream to it, rewind.
bool Load(IStream* stream, const std::vector<BYTE>& jpeg)
{
    ULONG written = 0;
    ULARGE_INTEGER size;
    size.QuadPart = jpeg.size();
    return Rewind(stream) && SUCCEEDED(stream->Write(jpeg.data(), static_cast<ULONG>(jpeg.size()), &written)) &&
           SUCCEEDED(stream->SetSize(size)) && Rewind(stream);
}

bool Decode(IStream* stream, CMemBitmap& target)
{
    Gdiplus::Bitmap picture(stream);
    if (picture.GetLastStatus() != Gdiplus::Ok)
        return false;
    Gdiplus::Graphics graphics(target.GetSafeHdc());
    return graphics.DrawImage(&picture, 0, 0, kWidth, kHeight) == Gdiplus::Ok;
}

bool DecodeOverPixels(IStream* stream, CMemBitmap& target)
{
    Gdiplus::Bitmap picture(stream);
    if (picture.GetLastStatus() != Gdiplus::Ok)
        return false;
    const INT stride = target.GetWidth() * 4;
    Gdiplus::Bitmap pixels(target.GetWidth(), target.GetHeight(), -stride, PixelFormat32bppRGB,
                           target.GetBits() + static_cast<size_t>(target.GetHeight() - 1) * stride);
    Gdiplus::Graphics graphics(&pixels);
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    return graphics.DrawImage(&picture, 0, 0, kWidth, kHeight) == Gdiplus::Ok;
}

struct CompoundStream {
    IStorage* storage = nullptr;
    IStream* stream = nullptr;
    bool Open()
    {
        const DWORD mode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE;
        return SUCCEEDED(::StgCreateDocfile(nullptr, mode, 0, &storage)) &&
               SUCCEEDED(storage->CreateStream(L"StreamImage1", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                               0, 0, &stream));
    }
    void Close()
    {
        if (stream)
            stream->Release();
        if (storage)
            storage->Release();
        stream = nullptr;
        storage = nullptr;
    }
};

IStream* HGlobalStream()
{
    IStream* stream = nullptr;
    return SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ? stream : nullptr;
}

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters));
    return counters.WorkingSetSize;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    const std::vector<BYTE> jpeg = ThumbnailJpeg();
    CMemBitmap target;
    target.Create(kWidth, kHeight, 32);
    CompoundStream compound;
    IStream* global = HGlobalStream();
    if (jpeg.empty() || !compound.Open() || !global)
        return 1;

    double compoundLoad = 0, compoundDecode = 0, globalLoad = 0, globalDecode = 0, floor = 0;
    for (int round = 0; round < rounds; ++round) {
        auto start = Clock::now();
        Load(compound.stream, jpeg);
        compoundLoad += Seconds(start);
        start = Clock::now();
        Decode(compound.stream, target);
        compoundDecode += Seconds(start);

        start = Clock::now();
        Load(global, jpeg);
        globalLoad += Seconds(start);
        start = Clock::now();
        Decode(global, target);
        globalDecode += Seconds(start);

        start = Clock::now();
        IStream* memory = ::SHCreateMemStream(jpeg.data(), static_cast<UINT>(jpeg.size()));
        Decode(memory, target);
        memory->Release();
        floor += Seconds(start);
    }
    const double ms = 1000.0 / rounds;
    std::printf("JPEG %zu bytes, %d rounds, per part in ms:\n", jpeg.size(), rounds);
    std::printf("compound file: write %.3f + decode %.3f = %.3f (%.2f x floor)\n", compoundLoad * ms,
                compoundDecode * ms, (compoundLoad + compoundDecode) * ms, (compoundLoad + compoundDecode) / floor);
    std::printf("HGLOBAL:       write %.3f + decode %.3f = %.3f (%.2f x floor)\n", globalLoad * ms, globalDecode * ms,
                (globalLoad + globalDecode) * ms, (globalLoad + globalDecode) / floor);
    std::printf("floor (memory stream, decode): %.3f\n", floor * ms);

    double throughDc = 0, overPixels = 0;
    for (int round = 0; round < rounds; ++round) {
        IStream* memory = ::SHCreateMemStream(jpeg.data(), static_cast<UINT>(jpeg.size()));
        auto start = Clock::now();
        Decode(memory, target);
        throughDc += Seconds(start);
        Rewind(memory);
        start = Clock::now();
        DecodeOverPixels(memory, target);
        overPixels += Seconds(start);
        memory->Release();
    }
    std::printf("decode and draw through the DC %.3f, over the pixels %.3f (%.2f x)\n", throughDc * ms,
                overPixels * ms, overPixels / throughDc);

    compound.Close();
    global->Release();
    double openCompound = 0;
    SIZE_T before = PrivateBytes();
    std::vector<CompoundStream> compounds(kStudents);
    auto start = Clock::now();
    for (CompoundStream& each : compounds)
        if (!each.Open() || !Load(each.stream, jpeg))
            return 1;
    openCompound = Seconds(start);
    const double compoundKib = static_cast<double>(PrivateBytes() - before) / 1024 / kStudents;
    before = PrivateBytes();
    std::vector<IStream*> globals(kStudents);
    start = Clock::now();
    for (IStream*& each : globals)
        if (!(each = HGlobalStream()) || !Load(each, jpeg))
            return 1;
    const double openGlobal = Seconds(start);
    const double globalKib = static_cast<double>(PrivateBytes() - before) / 1024 / kStudents;
    std::printf("per student, made and written once: compound file %.2f ms, %.0f KiB; HGLOBAL %.3f ms, %.0f KiB\n",
                openCompound * 1000 / kStudents, compoundKib, openGlobal * 1000 / kStudents, globalKib);
    for (CompoundStream& each : compounds)
        each.Close();
    for (IStream* each : globals)
        each->Release();
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
