#include "activities/screenshare/ScreenStreamThread.h"

#include "activities/screenshare/ShareBlockEncoder.h"
#include "activities/screenshare/ShareScreenCapture.h"
#include "foundation/Packet.h"
#include "framework/AfxTrace.h"
#include "framework/ExceptionGuard.h"
#include "activities/screenshare/core/StreamFlow.h"

#include <process.h>

#include <memory>

std::atomic<int> g_remoteAppStreaming{0};
std::atomic<int> g_remoteAppFrameSeq{1};
std::atomic<int> g_padShareFrameSeq{1};

namespace {

struct WorkerStart {
    ScreenStreamInput input;
    HANDLE stop = nullptr;
    CScreenStreamThread* owner = nullptr;   // outlives its workers (its end waits for them)
    unsigned generation = 0;
};

ShareRect VirtualScreen()
{
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

class CStreamWorker {
public:
    explicit CStreamWorker(const ScreenStreamInput& input) : m_input(input) {}

    bool Setup()
    {
        return m_capture.SetupStretched(VirtualScreen(), m_input.canvasWidth, m_input.canvasHeight) &&
               m_encoder.Setup(m_input.canvasWidth, m_input.canvasHeight, kStreamTileFloor);
    }

    void Cycle()
    {
        ++m_idleCycles;
        if (!MayCaptureStreamFrame(m_input.sequence->load(), m_input.acknowledged->load()))
            return;
        m_capture.Capture();
        bool changed = false;
        std::vector<size_t> strip = m_encoder.Collect(m_capture.GetCanvasDC(), false, changed);
        // A still screen keeps the receiver's picture fresh one tile at a time.
        if (m_idleCycles > kStreamIdleCycles && (strip.empty() || strip.front() != 0))
            strip.insert(strip.begin(), 0);
        if (strip.empty())
            return;
        m_idleCycles = 0;
        m_encoder.Encode(strip, m_input.quality, [&](const uint8_t* data, uint32_t rawSize, uint32_t length) {
            const UINT sequence = static_cast<UINT>(m_input.sequence->fetch_add(1));
            CPacket packet(data, rawSize, length, sequence);
            HWND target = m_input.target ? m_input.target() : nullptr;
            // Synchronous: the packet lives here until the receiver has sent it.
            if (target)
                ::SendMessageW(target, m_input.message, reinterpret_cast<WPARAM>(&packet), 0);
        });
    }

private:
    ScreenStreamInput m_input;
    CShareScreenCapture m_capture;
    CShareBlockEncoder m_encoder;
    int m_idleCycles = 0;
};

void RunStream(const ScreenStreamInput& input, HANDLE stop)
{
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        CStreamWorker worker(input);
        if (worker.Setup()) {
            while (input.running->load() && ::WaitForSingleObject(stop, 0) != WAIT_OBJECT_0) {
                const ULONGLONG t0 = ::GetTickCount64();
                worker.Cycle();
                const ULONGLONG spent = ::GetTickCount64() - t0;
                const DWORD pause = spent < CScreenStreamThread::kCyclePeriodMs
                                        ? static_cast<DWORD>(CScreenStreamThread::kCyclePeriodMs - spent) : 0;
                if (pause && ::WaitForSingleObject(stop, pause) == WAIT_OBJECT_0)
                    break;
            }
        } else {
            TRACE(L"screen stream: no capture into %dx%d\n", input.canvasWidth, input.canvasHeight);
        }
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
}

} // namespace

unsigned CScreenStreamThread::RunWorker(void* param)
{
    std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(param));
    AfxCallGuarded(L"a screen stream worker", [&] { RunStream(start->input, start->stop); });
    if (start->owner->EndWorker(start->generation, *start->input.sequence) && start->input.onEnd)
        start->input.onEnd(start->generation);
    ::CloseHandle(start->stop);
    return 0;
}

bool CScreenStreamThread::EndWorker(unsigned generation, std::atomic<int>& sequence)
{
    CCriticalSectionLock lock(m_generationLock);
    if (m_generation.load() != generation)
        return false;
    sequence.store(1);
    return true;
}

bool CScreenStreamThread::IsRunning() const
{
    return m_thread && ::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT;
}

bool CScreenStreamThread::MayStart()
{
    ForgetEndedLeftovers(0);
    return m_leftovers.size() < kMaxLeftoverWorkers;
}

bool CScreenStreamThread::Start(const ScreenStreamInput& input, unsigned(__stdcall* threadProc)(void*))
{
    if (!MayStart()) {
        TRACE(L"screen stream: %u workers still ending, no other started\n", static_cast<unsigned>(m_leftovers.size()));
        return false;
    }
    unsigned generation = 0;
    {
        CCriticalSectionLock lock(m_generationLock);
        generation = ++m_generation;
    }
    Stop();
    if (!input.running || !input.sequence || !input.acknowledged)
        return false;
    m_stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE workerStop = nullptr;
    if (!m_stop || !::DuplicateHandle(::GetCurrentProcess(), m_stop, ::GetCurrentProcess(), &workerStop, 0, FALSE,
                                      DUPLICATE_SAME_ACCESS)) {
        Stop();
        return false;
    }
    auto start = std::make_unique<WorkerStart>();
    start->input = input;
    start->stop = workerStop;
    start->owner = this;
    start->generation = generation;
    const uintptr_t thread = ::_beginthreadex(nullptr, 0, threadProc, start.get(), 0, nullptr);
    if (thread == 0) {
        ::CloseHandle(workerStop);
        Stop();
        return false;
    }
    start.release();
    m_thread = reinterpret_cast<HANDLE>(thread);
    return true;
}

namespace {

// True when the thread ended within waitMs.
bool WaitServingSentMessages(HANDLE thread, DWORD waitMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + waitMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = waitMs == INFINITE ? INFINITE
                           : (now >= deadline ? 0 : static_cast<DWORD>(deadline - now));
        // The worker may be inside SendMessage to a window of this thread: let those through.
        const DWORD result = ::MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_SENDMESSAGE);
        if (result != WAIT_OBJECT_0 + 1)
            return result == WAIT_OBJECT_0;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

void CScreenStreamThread::Stop(DWORD waitMs)
{
    if (m_stop)
        ::SetEvent(m_stop);
    if (m_thread) {
        // A worker still busy is kept: it uses what its starter gave it until it ends, so the
        // last, unbounded stop waits for it too.
        if (!WaitServingSentMessages(m_thread, waitMs))
            m_leftovers.push_back(m_thread);
        else
            ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    if (m_stop) {
        ::CloseHandle(m_stop);
        m_stop = nullptr;
    }
    ForgetEndedLeftovers(waitMs == INFINITE ? INFINITE : 0);
}

void CScreenStreamThread::ForgetEndedLeftovers(DWORD waitMs)
{
    for (auto it = m_leftovers.begin(); it != m_leftovers.end();) {
        if (WaitServingSentMessages(*it, waitMs)) {
            ::CloseHandle(*it);
            it = m_leftovers.erase(it);
        } else {
            ++it;
        }
    }
}
