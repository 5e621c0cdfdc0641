// The stream of the teacher's screen to one receiver, restarted while its worker is held up in
// a block's hand-over: the worker that outlives the restart's bounded wait must not end the new
// stream (its end is reported only for the stream that is current).
#include "activities/screenshare/ScreenStreamThread.h"

#include "framework/CriticalSection.h"
#include "framework/PumpUntil.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr UINT kBlock = WM_APP + 110;
constexpr wchar_t kSinkClass[] = L"LumoraStreamSinkTest";

// A window that counts the blocks handed to it; a held one keeps its first block (and so the
// worker that sent it) until it is released.
struct Sink {
    std::atomic<int> blocks{0};
    HANDLE arrived = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);
    ~Sink()
    {
        ::CloseHandle(arrived);
        ::CloseHandle(release);
    }
};

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kBlock)
        return ::DefWindowProcW(window, message, wParam, lParam);
    auto* sink = reinterpret_cast<Sink*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    ++sink->blocks;
    ::SetEvent(sink->arrived);
    ::WaitForSingleObject(sink->release, INFINITE);
    return 0;
}

HWND MakeSinkWindow(Sink& sink)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = SinkProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kSinkClass;
    ::RegisterClassW(&windowClass);   // again for the second window: already there
    HWND window = ::CreateWindowExW(0, kSinkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&sink));
    return window;
}

// A stream onto a small canvas, its blocks sent as kBlock.
ScreenStreamInput SmallStream(std::atomic<int>& running, std::atomic<int>& sequence, std::atomic<int>& acknowledged)
{
    ScreenStreamInput input;
    input.message = kBlock;
    input.canvasWidth = 256;
    input.canvasHeight = 192;
    input.running = &running;
    input.sequence = &sequence;
    input.acknowledged = &acknowledged;
    return input;
}

class ScreenStreamTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&s_token, &input, nullptr), Gdiplus::Ok);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_token); }

    static ULONG_PTR s_token;
};

ULONG_PTR ScreenStreamTest::s_token = 0;

TEST_F(ScreenStreamTest, AWorkerThatOutlivesARestartDoesNotEndTheNewStream)
{
    // The first receiver lives on a thread of its own and holds the first block it gets.
    Sink held;
    ::ResetEvent(held.release);
    std::atomic<HWND> heldWindow{nullptr};
    std::atomic<DWORD> receiverId{0};
    HANDLE heldReady = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread receiver([&] {
        receiverId = ::GetCurrentThreadId();
        heldWindow = MakeSinkWindow(held);
        ::SetEvent(heldReady);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
        ::DestroyWindow(heldWindow);
    });
    ASSERT_EQ(::WaitForSingleObject(heldReady, 10000), WAIT_OBJECT_0);
    Sink current;
    HWND currentWindow = MakeSinkWindow(current);

    std::atomic<int> running{1};
    std::atomic<int> sequence{1};
    std::atomic<int> acknowledged{0};
    CCriticalSection endedLock;
    std::vector<unsigned> ended;
    ScreenStreamInput input = SmallStream(running, sequence, acknowledged);
    input.onEnd = [&](unsigned generation) {
        CCriticalSectionLock lock(endedLock);
        ended.push_back(generation);
    };
    HWND first = heldWindow.load();
    input.target = [first] { return first; };

    CScreenStreamThread stream;
    ASSERT_TRUE(stream.Start(input, CScreenStreamThread::CaptureScreenThreadProc));
    ASSERT_EQ(::WaitForSingleObject(held.arrived, 20000), WAIT_OBJECT_0);
    stream.Stop(50);   // the restart's bounded wait runs out: the worker is still in its hand-over

    sequence = 1;
    acknowledged = 0;
    input.target = [currentWindow] { return currentWindow; };
    ASSERT_TRUE(stream.Start(input, CScreenStreamThread::CaptureScreenThreadProc));
    const unsigned restarted = stream.Generation();
    ASSERT_TRUE(PumpUntil([&] { return current.blocks.load() >= 2; }));

    ::SetEvent(held.release);   // the old worker's block goes through; it ends on its own
    stream.Stop(INFINITE);      // and the new one is stopped: only its end is reported
    {
        CCriticalSectionLock lock(endedLock);
        EXPECT_EQ(ended, std::vector<unsigned>{restarted});
    }
    EXPECT_EQ(held.blocks.load(), 1);
    EXPECT_EQ(sequence.load(), 1);

    ::PostThreadMessageW(receiverId.load(), WM_QUIT, 0, 0);
    receiver.join();
    ::DestroyWindow(currentWindow);
    ::CloseHandle(heldReady);
}

// A receiver that takes no block, and restart after restart asked for meanwhile: each worker is
// left holding its capture canvas, and only so many are started before the earlier ones end.
TEST_F(ScreenStreamTest, WorkersStuckInAHandOverAreBoundedBeforeAnotherIsStarted)
{
    HANDLE entered = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> running{1};
    std::atomic<int> sequence{1};
    std::atomic<int> acknowledged{0};
    ScreenStreamInput input = SmallStream(running, sequence, acknowledged);
    // Each worker's first block waits here, as in a hand-over to a thread that does not answer.
    input.target = [entered, release]() -> HWND {
        ::SetEvent(entered);
        ::WaitForSingleObject(release, INFINITE);
        return nullptr;
    };

    CScreenStreamThread stream;
    size_t started = 0;
    while (started < CScreenStreamThread::kMaxLeftoverWorkers + 3 &&
           stream.Start(input, CScreenStreamThread::CaptureScreenThreadProc)) {
        ++started;
        ASSERT_EQ(::WaitForSingleObject(entered, 20000), WAIT_OBJECT_0);
        stream.Stop(50);   // the restart's bounded wait runs out
    }
    EXPECT_EQ(started, CScreenStreamThread::kMaxLeftoverWorkers);
    EXPECT_FALSE(stream.MayStart());

    ::SetEvent(release);   // the hand-overs end: so do the workers
    EXPECT_TRUE(PumpUntil([&] { return stream.MayStart(); }));
    EXPECT_TRUE(stream.Start(input, CScreenStreamThread::CaptureScreenThreadProc));
    stream.Stop(INFINITE);
    ::CloseHandle(entered);
    ::CloseHandle(release);
}

} // namespace
