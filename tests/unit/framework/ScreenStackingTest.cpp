#include "framework/ScreenStacking.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

// The windows answer a restack's request as the framework's windows do.
LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_AFX_BRING_FORWARD ? AfxOnBringForward(wParam, lParam)
                                           : DefWindowProcW(window, message, wParam, lParam);
}

HWND MakePopup(DWORD exStyle, bool visible, HWND owner = nullptr)
{
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &TestWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LumoraStackingTestWindow";
        return RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    // Shown without being activated: Wine leaves such a plain popup to itself on X, and an X
    // window manager (there is none) is not waited for when it goes.
    HWND window = CreateWindowExW(exStyle | WS_EX_NOACTIVATE, L"LumoraStackingTestWindow", L"", WS_POPUP, 10,
                                  10, 200, 100, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window && visible)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

// The windows as the z-order has them, front first.
std::vector<HWND> InZOrder(std::initializer_list<HWND> windows)
{
    std::vector<HWND> order;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        for (HWND wanted : windows)
            if (window == wanted)
                order.push_back(window);
    return order;
}

void PlaceInFront(HWND window)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

struct Windows {
    std::vector<HWND> all;
    ~Windows()
    {
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            DestroyWindow(*it);
    }
    HWND Add(HWND window)
    {
        all.push_back(window);
        return window;
    }
};

// The pointer rests on the window until its tooltip comes up, as a teacher's does.
bool HoverUntilTipShows(HWND window, HWND tooltip)
{
    RECT rect;
    GetWindowRect(window, &rect);
    const POINT at = {rect.left + 20, rect.top + 20};
    POINT before = {};
    GetCursorPos(&before);  // given back: the other tests of the run share the screen
    SetCursorPos(at.x, at.y);
    // One move: every relayed move starts the tooltip's wait anew.
    MSG move = {};
    move.hwnd = window;
    move.message = WM_MOUSEMOVE;
    move.lParam = MAKELPARAM(20, 20);
    move.pt = at;
    SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
    for (int tries = 0; tries < 300 && !IsWindowVisible(tooltip); ++tries) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(10);
    }
    SetCursorPos(before.x, before.y);
    return IsWindowVisible(tooltip) != FALSE;
}

// Wine's screen: it moves a window to the front of X only when a move or show leaves it the
// first visible one in the z-order. Each such move of this thread's windows is played on the
// stacking the screen starts with.
std::vector<HWND>* t_screen = nullptr;

HWND FirstVisible()
{
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if (IsWindowVisible(window))
            return window;
    return nullptr;
}

LRESULT CALLBACK RaiseOnScreen(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && t_screen && call->message == WM_WINDOWPOSCHANGED) {
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags;
        auto on = std::find(t_screen->begin(), t_screen->end(), call->hwnd);
        if (on != t_screen->end() && (!(flags & SWP_NOZORDER) || (flags & SWP_SHOWWINDOW)) &&
            FirstVisible() == call->hwnd) {
            t_screen->erase(on);
            t_screen->insert(t_screen->begin(), call->hwnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

// A toolbar, its back layer just behind it and its hidden tooltips just in front of it stand
// over an ordinary window that took the focus: bringing them forward again leaves every one
// where it was, the tooltips still in front of the toolbar that owns them.
TEST(ScreenStackingTest, BringingForwardKeepsTheOrderOfTheWindowsInFront)
{
    Windows windows;
    HWND frame = windows.Add(MakePopup(0, true));
    HWND backLayer = windows.Add(MakePopup(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, true));
    HWND toolbar = windows.Add(MakePopup(WS_EX_TOPMOST, true));
    HWND tooltip = windows.Add(MakePopup(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, false, toolbar));
    ASSERT_TRUE(frame && backLayer && toolbar && tooltip);
    PlaceInFront(backLayer);
    PlaceInFront(toolbar);
    PlaceInFront(tooltip);
    const std::vector<HWND> before = InZOrder({tooltip, toolbar, backLayer, frame});
    ASSERT_EQ(before, (std::vector<HWND>{tooltip, toolbar, backLayer, frame}));

    AfxRestackWindowsInFrontOf(frame);
    EXPECT_EQ(InZOrder({tooltip, toolbar, backLayer, frame}), before);
    AfxRestackWindowsInFrontOf(backLayer);
    EXPECT_EQ(InZOrder({tooltip, toolbar, backLayer, frame}), before);
    EXPECT_TRUE(GetWindowLongPtrW(toolbar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrW(backLayer, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// The one top-most window in front leaves its band for a moment and comes back to it; an
// ordinary window in front of another stays ordinary and in front.
TEST(ScreenStackingTest, ALoneWindowInFrontComesBackToItsPlaceAndBand)
{
    Windows windows;
    HWND view = windows.Add(MakePopup(0, true));
    HWND panel = windows.Add(MakePopup(WS_EX_TOPMOST, true));
    ASSERT_TRUE(view && panel);
    PlaceInFront(panel);

    AfxRestackWindowsInFrontOf(view);
    EXPECT_EQ(InZOrder({panel, view}), (std::vector<HWND>{panel, view}));
    EXPECT_TRUE(GetWindowLongPtrW(panel, GWL_EXSTYLE) & WS_EX_TOPMOST);

    ShowWindow(panel, SW_HIDE);
    HWND dialog = windows.Add(MakePopup(0, true));
    AfxRestackWindowsInFrontOf(view);
    EXPECT_EQ(InZOrder({dialog, view}), (std::vector<HWND>{dialog, view}));
    EXPECT_FALSE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// A tooltip up in front of its toolbar (the pointer rests on a button) would stay the first
// shown window, and Wine would never raise the toolbar on the screen: it goes.
TEST(ScreenStackingTest, AShownTooltipGoesSoThatItsOwnerComesFirst)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    Windows windows;
    HWND frame = windows.Add(MakePopup(0, true));
    HWND toolbar = windows.Add(MakePopup(WS_EX_TOPMOST, true));
    HWND tooltip = windows.Add(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                               0, 0, 0, 0, toolbar, nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(frame && toolbar && tooltip);
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = toolbar;
    tool.uId = reinterpret_cast<UINT_PTR>(toolbar);
    tool.lpszText = const_cast<wchar_t*>(L"Share");
    ASSERT_TRUE(SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
    PlaceInFront(toolbar);
    ASSERT_TRUE(HoverUntilTipShows(toolbar, tooltip));
    PlaceInFront(tooltip);

    AfxRestackWindowsInFrontOf(frame);
    EXPECT_FALSE(IsWindowVisible(tooltip));
    EXPECT_EQ(InZOrder({toolbar, frame}), (std::vector<HWND>{toolbar, frame}));
}

// An owned dialog left behind its owner is brought back in front of it.
TEST(ScreenStackingTest, AnOwnedWindowBehindItsOwnerComesInFrontOfIt)
{
    Windows windows;
    HWND frame = windows.Add(MakePopup(0, true));
    HWND dialog = windows.Add(MakePopup(0, true));
    ASSERT_TRUE(frame && dialog);
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrW(dialog, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(frame));
    ASSERT_EQ(InZOrder({frame, dialog}), (std::vector<HWND>{frame, dialog}));

    AfxRestackWindowsInFrontOf(dialog);
    EXPECT_EQ(InZOrder({frame, dialog}), (std::vector<HWND>{dialog, frame}));
}

// While a restack moves another thread's windows, that thread takes in no input: between any two
// of its messages, where it would take in a press and find its window by the z-order, it never
// sees the windows out of their order, even with a window of this thread between two of its own
// (moved from outside, a toolbar's click reached the surface behind it).
TEST(ScreenStackingTest, AnotherThreadNeverSeesTheWindowsOutOfOrderDuringARestack)
{
    Windows windows;
    HWND view = windows.Add(MakePopup(0, true));
    HWND layer = windows.Add(MakePopup(WS_EX_TOPMOST, true));
    ASSERT_TRUE(view && layer);
    std::atomic<HWND> front{nullptr}, back{nullptr};
    std::atomic<bool> ready{false}, placed{false}, restacking{false}, stop{false};
    std::atomic<int> outOfOrder{0};
    std::thread owner([&] {
        HWND surface = MakePopup(WS_EX_TOPMOST, true);
        HWND toolbar = MakePopup(WS_EX_TOPMOST, true);
        PlaceInFront(surface);
        PlaceInFront(toolbar);
        back = surface;
        front = toolbar;
        for (bool settled = false; !stop;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            if (restacking && InZOrder({toolbar, surface}) != std::vector<HWND>{toolbar, surface})
                ++outOfOrder;
            if (!settled && placed) {   // what Wine has to do for windows just shown is done first
                Sleep(200);
                settled = ready = true;
            }
        }
        DestroyWindow(toolbar);
        DestroyWindow(surface);
    });
    while (!front)
        Sleep(1);
    SetWindowPos(layer, front, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    placed = true;
    while (!ready)
        Sleep(1);

    restacking = true;
    AfxRestackWindowsInFrontOf(view);
    restacking = false;
    stop = true;
    owner.join();
    EXPECT_EQ(outOfOrder, 0);
}

// A bar and its back layer, ordinary windows, stand over their view while a top-most window of
// the console is shown elsewhere, and the screen shows the back layer over the bar: after the
// restack the screen stacks them as the z-order does, the bands as they were.
TEST(ScreenStackingTest, OrdinaryWindowsUnderATopMostOneComeToTheScreenInTheirOrder)
{
    Windows windows;
    HWND view = windows.Add(MakePopup(0, true));
    HWND backLayer = windows.Add(MakePopup(WS_EX_TOOLWINDOW, true));
    HWND bar = windows.Add(MakePopup(0, true));
    HWND notice = windows.Add(MakePopup(WS_EX_TOPMOST, true));
    ASSERT_TRUE(view && backLayer && bar && notice);
    const std::vector<HWND> order = InZOrder({notice, bar, backLayer, view});
    ASSERT_EQ(order, (std::vector<HWND>{notice, bar, backLayer, view}));

    std::vector<HWND> screen{notice, backLayer, bar, view};
    t_screen = &screen;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, &RaiseOnScreen, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    AfxRestackWindowsInFrontOf(view);
    UnhookWindowsHookEx(hook);
    t_screen = nullptr;

    EXPECT_EQ(screen, order);
    EXPECT_EQ(InZOrder({notice, bar, backLayer, view}), order);
    EXPECT_TRUE(GetWindowLongPtrW(notice, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(backLayer, GWL_EXSTYLE) & WS_EX_TOPMOST);
}
