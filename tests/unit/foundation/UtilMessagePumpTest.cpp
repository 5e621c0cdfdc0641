#include "foundation/MessagePump.h"

#include <gtest/gtest.h>

namespace {

const UINT kPing = WM_APP + 77;

// A message-only window counting the pings it receives; with m_echo set, every ping posts the
// next one, so the queue is never empty.
class CPingWindow {
public:
    CPingWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"LumoraPumpTestWindow";
        RegisterClassW(&windowClass);
        m_hwnd = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, this);
    }
    ~CPingWindow() { DestroyWindow(m_hwnd); }

    HWND m_hwnd = nullptr;
    int m_count = 0;
    bool m_echo = false;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<CPingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == kPing && self) {
            ++self->m_count;
            if (self->m_echo) PostMessageW(hwnd, kPing, 0, 0);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
};

void DrainQueue()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST(UtilMessagePumpTest, ModeZeroDispatchesEverythingWaiting)
{
    CPingWindow window;
    ASSERT_NE(window.m_hwnd, nullptr);
    for (int i = 0; i < 50; ++i) PostMessageW(window.m_hwnd, kPing, 0, 0);
    PumpMessagesWait(0, 0);
    EXPECT_EQ(window.m_count, 50);
}

TEST(UtilMessagePumpTest, ModeOneTakesOneMessagePerPassAndStopsOnTime)
{
    CPingWindow window;
    ASSERT_NE(window.m_hwnd, nullptr);
    window.m_echo = true;
    PostMessageW(window.m_hwnd, kPing, 0, 0);

    DWORD start = GetTickCount();
    PumpMessagesWait(100, 1);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(window.m_count, 1);
    EXPECT_LE(window.m_count, 21);      // 100 / 5 + 1 passes at most, one message each
    EXPECT_LT(elapsed, 5000u);          // the endless messages did not keep it going
    window.m_echo = false;
    DrainQueue();
}

TEST(UtilMessagePumpTest, QuitMessageSurvivesTheWait)
{
    CPingWindow window;
    ASSERT_NE(window.m_hwnd, nullptr);
    PostMessageW(window.m_hwnd, kPing, 0, 0);
    PostQuitMessage(7);
    for (int mode = 0; mode <= 1; ++mode) {
        PumpMessagesWait(50, mode);
        MSG msg;
        ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "mode " << mode;
        EXPECT_EQ(msg.wParam, 7u);
    }
    EXPECT_EQ(window.m_count, 1);
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    DrainQueue();
}

} // namespace
