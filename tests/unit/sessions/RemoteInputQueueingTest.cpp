// The teacher's input as the session window queues it for the student, and the student's screen
// as the session queues it for its packet thread.
#include "sessions/CommunicationWnd.h"

#include "foundation/AppMessages.h"
#include "foundation/Packet.h"
#include "framework/PumpUntil.h"
#include "sessions/PCInfo.h"
#include "sessions/SessionReceiver.h"
#include "sessions/core/RemoteScreen.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

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

namespace {

std::atomic<int> g_roomNotices{0};

LRESULT CALLBACK CountRoomNotices(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SESSION_QUEUE_ROOM)
        ++g_roomNotices;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

// A student sending pictures of a megabyte faster than they are shown: the queue takes what it
// bounds in bytes (not a count of packets that may each be as large as any packet), the control
// thread is told to read no more, and told again once the packet thread has made room.
TEST(RemoteSessionQueueTest, AStudentThatOutrunsTheDecoderIsHeldAtABoundInBytes)
{
    std::vector<BYTE> picture(1024 * 1024, 0xAB);
    CPacket sent;
    sent.m_type = kPacketImage;
    sent.m_image = picture.data();
    sent.m_imageLength = static_cast<UINT>(picture.size());
    CPCInfo slot;
    auto receiver = std::make_shared<CSessionReceiver>(slot, RemoteSessionLinks{});
    size_t taken = 0;
    bool room = true;
    while (room && taken < 64) {
        room = receiver->Queue(std::make_unique<CPacket>(sent));
        ++taken;
    }
    EXPECT_FALSE(room);
    EXPECT_LE(taken * picture.size(), kMaxQueuedPacketBytes + picture.size());

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CountRoomNotices;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"LumoraQueueRoomTest";
    ::RegisterClassW(&windowClass);
    HWND session = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     nullptr, nullptr);
    receiver->SetSessionWindow(session);
    ASSERT_TRUE(receiver->Start(CSessionReceiver::CommPacketThreadProc));
    EXPECT_TRUE(PumpUntil([] { return g_roomNotices.load() == 1; }));
    EXPECT_TRUE(receiver->Stop(5000));
    PumpPending();
    EXPECT_EQ(g_roomNotices.load(), 1);   // once, until the queue is full again
    ::DestroyWindow(session);
}
