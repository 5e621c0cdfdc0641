#include "framework/ScreenStacking.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HWND MakePopup(DWORD exStyle, bool visible, HWND owner = nullptr)
{
    static const bool registered = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &DefWindowProcW;
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
