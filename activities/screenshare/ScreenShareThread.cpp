#include "activities/screenshare/ScreenShareThread.h"

#include "activities/screenshare/ShareBlockEncoder.h"
#include "activities/screenshare/ShareGlobals.h"
#include "activities/screenshare/ShareScreenCapture.h"
#include "activities/screenshare/core/ShareCycle.h"
#include "foundation/AppMessages.h"
#include "foundation/Packet.h"
#include "framework/AfxTrace.h"
#include "framework/ExceptionGuard.h"

#include <gdiplus.h>
#include <process.h>

#include <memory>

namespace {

struct WorkerStart {
    ScreenShareInput input;
    HANDLE stop = nullptr;
};

class CGdiplusSession {
public:
    CGdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        m_ok = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~CGdiplusSession()
    {
        if (m_ok) Gdiplus::GdiplusShutdown(m_token);
    }
    bool Ok() const { return m_ok; }

private:
    ULONG_PTR m_token = 0;
    bool m_ok = false;
};

void SendBlock(HWND view, const uint8_t* data, uint32_t rawSize, uint32_t length, bool refreshOnly)
{
    const UINT sequence = static_cast<UINT>(g_shareFrameSeq.fetch_add(1));
    CPacket packet(data, rawSize, length, sequence);
    // Synchronous: the packet and its data live here until the view has copied it.
    ::SendMessageW(view, WM_BROADCAST_PACKET, reinterpret_cast<WPARAM>(&packet), refreshOnly ? 1 : 0);
}

// One cycle; true when the next one starts at once.
bool RunCycle(const ScreenShareInput& input, CShareScreenCapture& capture, CShareBlockEncoder& encoder,
              CShareCycle& cycle)
{
    const bool full = cycle.Begin();
    capture.Capture();      // a failed copy compares the last picture again
    bool changed = false;
    const std::vector<size_t> strip = encoder.Collect(capture.GetCanvasDC(), full, changed);
    if (changed)
        cycle.TileChanged();
    if (strip.empty())
        return false;
    const int quality = ChooseShareQuality(static_cast<int>(strip.size()),
                                           static_cast<int>(encoder.TileCount()), full, g_shareQuality.load());
    cycle.Encoded(quality);
    const ShareDelivery delivery = cycle.Deliver();
    const size_t sent = encoder.Encode(strip, quality, [&](const uint8_t* data, uint32_t rawSize, uint32_t length) {
        SendBlock(input.view, data, rawSize, length, delivery.refreshOnly);
    });
    if (sent < strip.size())
        cycle.TileChanged();    // what failed goes out with a later cycle, to everyone
    return delivery.skipPause && sent == strip.size();
}

unsigned __stdcall ScreenShareThreadProc(void* param)
{
    std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(param));
    AfxCallGuarded(L"the screen share worker", [&] { RunScreenShare(start->input, start->stop); });
    return 0;
}

} // namespace

void RunScreenShare(const ScreenShareInput& input, HANDLE stop)
{
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        CGdiplusSession gdiplus;
        CShareScreenCapture capture;
        CShareBlockEncoder encoder;
        if (gdiplus.Ok() && capture.Setup(input.capture, input.canvasWidth, input.canvasHeight) &&
            encoder.Setup(input.canvasWidth, input.canvasHeight, kBroadcastTileFloor)) {
            CShareCycle cycle;
            while (g_screenSharing.load() && ::WaitForSingleObject(stop, 0) != WAIT_OBJECT_0) {
                const ULONGLONG t0 = ::GetTickCount64();
                if (RunCycle(input, capture, encoder, cycle))
                    continue;
                const int pause = SharePauseMs(static_cast<int64_t>(::GetTickCount64() - t0));
                if (::WaitForSingleObject(stop, static_cast<DWORD>(pause)) == WAIT_OBJECT_0)
                    break;
            }
        } else {
            TRACE(L"screen share: no capture for %dx%d into %dx%d\n", input.capture.Width(),
                  input.capture.Height(), input.canvasWidth, input.canvasHeight);
        }
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
}

bool CScreenShareThread::IsRunning() const
{
    return m_thread && ::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT;
}

bool CScreenShareThread::Start(const ScreenShareInput& input)
{
    Stop();
    m_stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!m_stop)
        return false;
    auto start = std::make_unique<WorkerStart>();
    start->input = input;
    start->stop = m_stop;
    const uintptr_t thread = ::_beginthreadex(nullptr, 0, ScreenShareThreadProc, start.get(), 0, nullptr);
    if (thread == 0)
        return false;
    start.release();
    m_thread = reinterpret_cast<HANDLE>(thread);
    return true;
}

void CScreenShareThread::Stop()
{
    if (m_thread) {
        ::SetEvent(m_stop);
        // The worker may be inside SendMessage to a window of this thread: let those through.
        while (::MsgWaitForMultipleObjects(1, &m_thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    if (m_stop) {
        ::CloseHandle(m_stop);
        m_stop = nullptr;
    }
}
