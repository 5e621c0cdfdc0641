// The remote-controller app's input as the console plays it on the teacher PC: one packet of
// pointer records is cut as a student's is, so a packet full of them cannot keep the worker
// moving the teacher's pointer for minutes nor hold their copies.
#include "view/RemoconInput.h"

#include "sessions/InputInjection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

std::atomic<size_t> g_pointerInputs{0};
HANDLE g_keyPlayed = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);

UINT RecordInputs(UINT count, INPUT* inputs)
{
    for (UINT i = 0; i < count; ++i) {
        if (inputs[i].type == INPUT_MOUSE)
            ++g_pointerInputs;
        else
            ::SetEvent(g_keyPlayed);
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
