// The remote-controller app's input worker, stopped while it plays a long run of pointer moves:
// the pointer stands still from then on, and input added afterwards is played again.
#include "view/RemoconInput.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

MouseEntry MoveTo(int x, int y)
{
    MouseEntry move;
    move.message = 0x200;
    move.x = x;
    move.y = y;
    return move;
}

POINT Pointer()
{
    POINT point{};
    ::GetCursorPos(&point);
    return point;
}

bool PointerReaches(int x, int y, DWORD timeoutMs = 10000)
{
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < timeoutMs; ::Sleep(1)) {
        const POINT now = Pointer();
        // The absolute coordinates the moves are played with round to a pixel either way.
        if (std::abs(now.x - x) <= 2 && std::abs(now.y - y) <= 2)
            return true;
    }
    const POINT now = Pointer();
    ADD_FAILURE() << "the pointer is at " << now.x << "," << now.y << ", not " << x << "," << y;
    return false;
}

} // namespace

TEST(RemoconInputTest, AStopEndsTheRunInPlayAtOnceAndLaterInputIsPlayedAgain)
{
    POINT before{};
    ::GetCursorPos(&before);   // given back: the other tests of the run share the screen
    CRemoconInput input;
    // One packet of moves to and fro between two points near the screen's corner, longer to
    // play than any wait for a worker would be (several seconds here).
    std::vector<MouseEntry> moves;
    for (int i = 0; i < 2000000; ++i)
        moves.push_back(MoveTo(i % 2 ? 40 : 20, 20));
    input.AddMice(moves);
    moves.clear();
    ASSERT_TRUE(PointerReaches(40, 20)) << "the moves were never played";

    input.Stop();
    // Moves still played would put the pointer back on one of their two points within
    // milliseconds: a third of a second away from them is none left playing.
    ::SetCursorPos(100, 80);
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 300; ::Sleep(1)) {
        const POINT now = Pointer();
        ASSERT_FALSE(std::abs(now.y - 20) <= 2 && (std::abs(now.x - 20) <= 2 || std::abs(now.x - 40) <= 2))
            << "the pointer moved after the stop";
    }

    input.AddMice({MoveTo(60, 30)});
    EXPECT_TRUE(PointerReaches(60, 30)) << "input after the stop is not played";
    input.Stop();
    ::SetCursorPos(before.x, before.y);
}
