// bench_student_thread [students] [stack size]: what each piece of a student's thread costs in
// memory and time. A class of threads is started as the console starts them (_beginthreadex, the
// default stack unless a size is given, a message queue), then every thread is given, one piece
// at a time and one thread after the other, what a student's thread holds:
//   - COM (apartment) and Winsock, as the thread's start makes them,
//   - the socket notification window (message-only, untitled: the bare floor of a window),
//   - the thread's own window titled "PC Thread", message-only,
//   - the same window as a hidden top-level one (caption and system menu), as it was made before,
//   - the thumbnail decoder's image stream (a temporary compound file, written with one part),
//   - the decoder's kept DIB with one thumbnail decoded and drawn into it through GDI+.
// For each piece: the time to make it (median and mean over the class) and the growth of the
// process's working set per student once the whole class holds it.
#include "bench/ThumbnailPicture.h"
#include "foundation/MemBitmap.h"

#include <objbase.h>
#include <gdiplus.h>
#include <process.h>
#include <psapi.h>
#include <shlwapi.h>
#include <winsock2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 230;
constexpr int kHeight = 171;
constexpr UINT WM_STEP = WM_APP + 1;
constexpr wchar_t kClassName[] = L"BenchStudentWindow";

enum Step {
    kComAndSockets, kNotifyWindow, kMessageOnlyWindow, kTopLevelWindow, kImageStream, kDecodedBitmap, kSteps
};

const char* const kStepNames[kSteps] = {
    "COM + Winsock", "notification window (message-only, bare)", "\"PC Thread\" window, message-only",
    "\"PC Thread\" window, hidden top-level", "image stream (compound file)", "decoder DIB + one GDI+ decode",
};

std::vector<BYTE> g_jpeg;

std::vector<BYTE> ThumbnailJpeg()
{
    return BandedThumbnailJpeg(kWidth, kHeight);
}

SIZE_T WorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize;
}

struct Student {
    HANDLE thread = nullptr;
    unsigned id = 0;
    HANDLE done = nullptr;
    double seconds[kSteps] = {};
    bool ok[kSteps] = {};
    HWND windows[3] = {};
    IStorage* storage = nullptr;
    IStream* stream = nullptr;
    CMemBitmap picture;
};

HWND MakeWindow(LPCWSTR title, DWORD style, HWND parent, int size)
{
    return ::CreateWindowExW(0, kClassName, title, style, 0, 0, size, size, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

bool WriteStream(IStream* stream)
{
    ULONG written = 0;
    ULARGE_INTEGER size;
    size.QuadPart = g_jpeg.size();
    LARGE_INTEGER zero = {};
    return SUCCEEDED(stream->Write(g_jpeg.data(), static_cast<ULONG>(g_jpeg.size()), &written)) &&
           SUCCEEDED(stream->SetSize(size)) && SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, nullptr));
}

bool MakeImageStream(Student& student)
{
    const DWORD mode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE;
    return SUCCEEDED(::StgCreateDocfile(nullptr, mode, 0, &student.storage)) &&
           SUCCEEDED(student.storage->CreateStream(L"StreamImage1", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                                   0, 0, &student.stream)) &&
           WriteStream(student.stream);
}

bool DecodeIntoBitmap(Student& student)
{
    student.picture.Create(kWidth, kHeight, 32);
    IStream* stream = ::SHCreateMemStream(g_jpeg.data(), static_cast<UINT>(g_jpeg.size()));
    if (!stream || !student.picture.GetBits())
        return false;
    bool drawn = false;
    {
        Gdiplus::Bitmap picture(stream);
        Gdiplus::Graphics graphics(student.picture.GetSafeHdc());
        drawn = picture.GetLastStatus() == Gdiplus::Ok && graphics.DrawImage(&picture, 0, 0) == Gdiplus::Ok;
    }
    stream->Release();
    return drawn;
}

bool RunStep(Student& student, int step)
{
    WSADATA data;
    switch (step) {
    case kComAndSockets:
        return SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) &&
               ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    case kNotifyWindow:
        return (student.windows[0] = MakeWindow(L"", 0, HWND_MESSAGE, 0)) != nullptr;
    case kMessageOnlyWindow:
        return (student.windows[1] = MakeWindow(L"PC Thread", 0, HWND_MESSAGE, 0)) != nullptr;
    case kTopLevelWindow:
        return (student.windows[2] = MakeWindow(L"PC Thread", WS_CAPTION | WS_SYSMENU, nullptr, 200)) != nullptr;
    case kImageStream:
        return MakeImageStream(student);
    case kDecodedBitmap:
        return DecodeIntoBitmap(student);
    default:
        return false;
    }
}

unsigned __stdcall StudentThread(void* parameter)
{
    Student& student = *static_cast<Student*>(parameter);
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    ::SetEvent(student.done);
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd || msg.message != WM_STEP) {
            ::DispatchMessageW(&msg);
            continue;
        }
        const int step = static_cast<int>(msg.wParam);
        const auto start = Clock::now();
        student.ok[step] = RunStep(student, step);
        student.seconds[step] = std::chrono::duration<double>(Clock::now() - start).count();
        ::SetEvent(student.done);
    }
    for (HWND window : student.windows)
        if (window)
            ::DestroyWindow(window);
    if (student.stream)
        student.stream->Release();
    if (student.storage)
        student.storage->Release();
    ::WSACleanup();
    ::CoUninitialize();
    return 0;
}

void Report(const char* name, std::vector<double> times, SIZE_T before, SIZE_T after, int students, double floorMs)
{
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    const double median = times[times.size() / 2] * 1000;
    const double kib = (static_cast<double>(after) - static_cast<double>(before)) / 1024 / students;
    std::printf("%-42s %8.3f ms median %8.3f ms mean", name, median, sum * 1000 / times.size());
    if (floorMs > 0)
        std::printf(" (%5.1f x bare)", median / floorMs);
    std::printf(" %7.1f KiB/student\n", kib);
}

} // namespace

int main(int argc, char** argv)
{
    const int students = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const unsigned stackSize = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 0;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    g_jpeg = ThumbnailJpeg();
    WNDCLASSW wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    if (g_jpeg.empty() || !::RegisterClassW(&wc))
        return 1;

    std::vector<Student> class_(static_cast<size_t>(students));
    SIZE_T before = WorkingSet();
    std::vector<double> times;
    for (Student& student : class_) {
        student.done = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
        const auto start = Clock::now();
        student.thread = reinterpret_cast<HANDLE>(
            _beginthreadex(nullptr, stackSize, &StudentThread, &student, 0, &student.id));
        if (!student.thread)
            return 1;
        ::WaitForSingleObject(student.done, INFINITE);
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    SIZE_T after = WorkingSet();
    std::printf("%d students, JPEG %zu bytes; each piece made on one thread after the other:\n", students,
                g_jpeg.size());
    Report("thread with a message queue", times, before, after, students, 0);
    double bareMs = 0;
    for (int step = 0; step < kSteps; ++step) {
        before = after;
        times.clear();
        for (Student& student : class_) {
            ::PostThreadMessageW(student.id, WM_STEP, static_cast<WPARAM>(step), 0);
            ::WaitForSingleObject(student.done, INFINITE);
            if (!student.ok[step]) {
                std::printf("%s failed\n", kStepNames[step]);
                return 1;
            }
            times.push_back(student.seconds[step]);
        }
        after = WorkingSet();
        const bool window = step == kMessageOnlyWindow || step == kTopLevelWindow;
        Report(kStepNames[step], times, before, after, students, window ? bareMs : 0);
        if (step == kNotifyWindow) {
            std::sort(times.begin(), times.end());
            bareMs = times[times.size() / 2] * 1000;
        }
    }
    for (Student& student : class_)
        ::PostThreadMessageW(student.id, WM_QUIT, 0, 0);
    for (Student& student : class_) {
        ::WaitForSingleObject(student.thread, INFINITE);
        ::CloseHandle(student.thread);
        ::CloseHandle(student.done);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
