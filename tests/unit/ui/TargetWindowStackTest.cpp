#include "ui/TargetWindowStack.h"

#include <gtest/gtest.h>

// Handles only: the stack never touches the windows, so made-up handles are enough.
TEST(TargetWindowStackTest, TheLastOpenedWindowIsCopiedUntilItCloses)
{
    const HWND surface = reinterpret_cast<HWND>(0x1010);
    const HWND remote = reinterpret_cast<HWND>(0x2020);
    ClearTargetWindows();
    EXPECT_EQ(TopTargetWindow(), nullptr);

    PushTargetWindow(surface);
    PushTargetWindow(remote);
    EXPECT_EQ(TopTargetWindow(), remote);
    PushTargetWindow(surface);          // pushed again: back on top, not twice on the stack
    EXPECT_EQ(TopTargetWindow(), surface);
    RemoveTargetWindow(surface);
    EXPECT_EQ(TopTargetWindow(), remote);
    RemoveTargetWindow(surface);        // no longer there: nothing changes
    EXPECT_EQ(TopTargetWindow(), remote);
    PushTargetWindow(nullptr);
    EXPECT_EQ(TopTargetWindow(), remote);

    ClearTargetWindows();
    EXPECT_EQ(TopTargetWindow(), nullptr);
}
