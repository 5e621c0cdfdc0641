// The remote-controller app's input as the console plays it on the teacher PC: one packet of
// pointer records is cut as a student's is, so a packet full of them cannot keep the worker
// moving the teacher's pointer for minutes nor hold their copies; and a stop ends the packet in
// play at once, the worker joined, with later input played again.
#include "view/RemoconInput.h"

#include "sessions/InputInjection.h"
#include "sessions/core/KeyEvents.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

std::atomic<size_t> g_pointerInputs{0};
std::atomic<size_t> g_keyInputs{0};
HANDLE g_keyPlayed = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);

UINT RecordInputs(UINT count, INPUT* inputs)
{
    for (UINT i = 0; i < count; ++i) {
        if (inputs[i].type == INPUT_MOUSE)
            ++g_pointerInputs;
        else
            ++g_keyInputs, ::SetEvent(g_keyPlayed);
    }
    return count;
}

} // namespace

TEST(RemoconInputTest, OnePacketPlaysAtMostAsManyPointerRecordsAsAStudentsDoes)
{
    SetInputSender(RecordInputs);
    {
        CRemoconInput input;
        input.AddMice(std::vector<MouseEntry>(100000, MouseEntry{0x200, 0, 5, 5, 0}));
        input.AddCharacter('x');   // played after the pointer records: a key down and up
        EXPECT_EQ(::WaitForSingleObject(g_keyPlayed, 60000), WAIT_OBJECT_0);
        EXPECT_EQ(g_pointerInputs.load(), kMaxMouseRecordsPerPacket);
    }
    SetInputSender(nullptr);
}

TEST(RemoconInputTest, AStopEndsThePacketInPlayAtItsNextRecordAndLaterInputIsPlayed)
{
    const auto keysReach = [](size_t count) {
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 60000; ::Sleep(1))
            if (g_keyInputs.load() >= count)
                return true;
        return false;
    };
    SetInputSender(RecordInputs);
    {
        CRemoconInput input;
        // Packets of key records, each followed by its pause: seconds of typing.
        const size_t before = g_keyInputs.load();
        const std::vector<KeyEntry> keys(kMaxKeyRecordsPerPacket, KeyEntry{0x100, VK_F24, 1, 0});
        for (int i = 0; i < 10; ++i)
            input.AddKeys(keys);
        ASSERT_TRUE(keysReach(before + 1)) << "the keys were never played";
        const size_t atStop = g_keyInputs.load();
        input.Stop();
        EXPECT_LE(g_keyInputs.load() - atStop, 1u) << "the packet in play went on after the stop";

        const size_t stopped = g_keyInputs.load();
        input.AddKeys({KeyEntry{0x101, VK_F24, 1, 0}});
        EXPECT_TRUE(keysReach(stopped + 1)) << "input after the stop is not played";
    }
    SetInputSender(nullptr);
}
