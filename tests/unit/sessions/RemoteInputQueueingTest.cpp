// The teacher's input as the session window queues it for the student.
#include "sessions/CommunicationWnd.h"

#include <gtest/gtest.h>

TEST(RemoteInputQueueingTest, KeysAndMouseGoInAsTheStudentMustPlayThem)
{
    CRemoteInputQueue input;
    CCommunicationWnd::QueueKeyUp(input, 'A', 1, 0);
    EXPECT_TRUE(input.TakeKeys().empty());   // not forwarded

    input.SetForwarding(true);
    CCommunicationWnd::QueueKeyUp(input, VK_SNAPSHOT, 1, 0x37);
    CCommunicationWnd::QueueKeyUp(input, 300, 1, 0);   // no such key on the student's side
    const std::vector<KeyEntry> keys = input.TakeKeys();
    ASSERT_EQ(keys.size(), 2u);   // the teacher's system kept print screen's key-down
    EXPECT_EQ(keys[0].message, WM_KEYDOWN);
    EXPECT_EQ(keys[1].message, WM_KEYUP);
    EXPECT_EQ(keys[1].virtualKey, static_cast<uint32_t>(VK_SNAPSHOT));
    EXPECT_EQ(keys[1].flags, 0x37u);

    CCommunicationWnd::QueueLButtonDown(input, MK_LBUTTON, CPoint(7013, 4021));
    CCommunicationWnd::QueueMouseMove(input, MK_LBUTTON, CPoint(7014, 4022));
    CCommunicationWnd::QueueMouseMove(input, MK_LBUTTON, CPoint(7014, 4022));   // no move: nothing
    CCommunicationWnd::QueueRButtonDblClk(input, 0, CPoint(7014, 4022));
    CCommunicationWnd::QueueMouseWheel(input, 0, CPoint(7014, 4022), -120);
    const std::vector<MouseEntry> mice = input.TakeMice();
    ASSERT_EQ(mice.size(), 4u);
    EXPECT_EQ(mice[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(mice[0].x, 7013);
    EXPECT_EQ(mice[0].y, 4021);
    EXPECT_EQ(mice[1].message, WM_MOUSEMOVE);
    EXPECT_EQ(mice[1].keyFlags, static_cast<uint32_t>(MK_LBUTTON));
    EXPECT_EQ(mice[2].message, WM_RBUTTONDBLCLK);
    EXPECT_EQ(mice[3].message, WM_MOUSEWHEEL);
    EXPECT_EQ(mice[3].wheelDelta, -120);
    EXPECT_TRUE(input.IsEmpty());
}
