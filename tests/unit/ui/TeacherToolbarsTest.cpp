// The toolbars a full-screen remote window puts away: only those that were shown come back, and
// a toolbar on another thread is hidden without waiting for that thread.
#include "framework/Wnd.h"
#include "ui/TeacherToolbars.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

HWND MakePopup(bool visible)
{
    return ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 20, 20,
                             nullptr, nullptr, nullptr, nullptr);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

} // namespace

TEST(TeacherToolbarsTest, ARemoteWindowGivesBackOnlyTheToolbarsThatWereShown)
{
    HWND toolbar = MakePopup(true);
    HWND backLayer = MakePopup(false);   // collapsed and inactive: its back layer is away
    HWND penToolbar = MakePopup(true);
    SetTeacherToolbarWindows(toolbar, backLayer);
    SetPenToolbarWindow(penToolbar);

    const HiddenToolbars hidden = HideTeacherToolbars();
    Pump();
    EXPECT_FALSE(::IsWindowVisible(toolbar));
    EXPECT_FALSE(::IsWindowVisible(penToolbar));
    ShowHiddenToolbars(hidden);
    Pump();
    EXPECT_TRUE(::IsWindowVisible(toolbar));
    EXPECT_TRUE(::IsWindowVisible(penToolbar));
    EXPECT_FALSE(::IsWindowVisible(backLayer));

    // The view's dialogs bring the toolbar and its back layer back whatever they were.
    ShowTeacherToolbar(false);
    ShowTeacherToolbar(true);
    EXPECT_TRUE(::IsWindowVisible(backLayer));

    SetPenToolbarWindow(nullptr);
    SetTeacherToolbarWindows(nullptr, nullptr);
    for (HWND window : {toolbar, backLayer, penToolbar})
        ::DestroyWindow(window);
}

TEST(TeacherToolbarsTest, AToolbarOfABusyThreadIsHiddenWithoutWaitingForIt)
{
    HWND toolbar = MakePopup(true);
    SetTeacherToolbarWindows(toolbar, nullptr);
    // The remote window's thread hides the toolbar while this (the toolbar's) thread is not
    // pumping: a waiting call would never return.
    std::thread remote([] { ShowHiddenToolbars(HideTeacherToolbars()); });
    remote.join();
    Pump();
    EXPECT_TRUE(::IsWindowVisible(toolbar));
    SetTeacherToolbarWindows(nullptr, nullptr);
    ::DestroyWindow(toolbar);
}
