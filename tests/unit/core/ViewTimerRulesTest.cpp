#include "view/core/ShareFlowControl.h"
#include "view/core/ViewTimerRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ViewTimerRulesTest, SilenceIsMoreThanThirtySecondsAcrossTheTickWrap)
{
    EXPECT_FALSE(IsStudentSilent(130000, 100000));
    EXPECT_TRUE(IsStudentSilent(130001, 100000));
    // The tick wrapped between the keep-alive and now.
    EXPECT_FALSE(IsStudentSilent(5000, 0xFFFFFFFFu - 10000));
    EXPECT_TRUE(IsStudentSilent(25000, 0xFFFFFFFFu - 10000));
    EXPECT_TRUE(HasSessionChangingExpired(5000, 0xFFFFFFFFu - 56000));
    // A keep-alive stamped just after the timer read the tick is not 49 days old.
    EXPECT_FALSE(IsStudentSilent(100000, 100005));
    EXPECT_FALSE(IsLoginServerSilent(190000, 200, 100));
    EXPECT_EQ(TicksSince(0, 0x80000000u), INT32_MIN);
    EXPECT_EQ(TicksSince(0x7FFFFFFFu, 0), INT32_MAX);
}

TEST(ViewTimerRulesTest, ASilentStudentIsEndedWithinOneHeartbeatPeriod)
{
    const uint32_t lastHeard = 3000;    // heartbeats every 10 s from 0
    uint32_t endedAt = 0;
    for (uint32_t now = 0; now <= 60000 && endedAt == 0; now += kHeartbeatPeriodMs)
        if (IsStudentSilent(now, lastHeard)) endedAt = now;
    EXPECT_GT(endedAt - lastHeard, 30000u);
    EXPECT_LE(endedAt - lastHeard, 30000u + kHeartbeatPeriodMs);
}

// The keep-alive timer's ticks, as the session checks them: each is sent and then judged against
// the previous one. The first tick at which the session is given up, or 0.
uint32_t GivenUpAt(const std::vector<uint32_t>& keepAlives, uint32_t lastWord)
{
    uint32_t asked = 0;   // the login, at 0
    for (uint32_t now : keepAlives) {
        if (IsLoginServerSilent(now, lastWord, asked)) return now;
        asked = now;
    }
    return 0;
}

TEST(ViewTimerRulesTest, TheLoginServerIsGivenUpOnlyAfterLeavingKeepAlivesUnansweredFor183Seconds)
{
    // Timers on time and a server silent since the login: given up at the fourth keep-alive.
    EXPECT_EQ(GivenUpAt({60000, 120000, 180000, 240000, 300000}, 0), 240000u);
    // A busy UI thread held the timer back for three minutes after an answered keep-alive: the
    // server had nothing to answer meanwhile, so the session stays.
    EXPECT_EQ(GivenUpAt({60000, 250000}, 60010), 0u);
    // Silent from then on: given up at the next keep-alive, which finds the late one unanswered.
    EXPECT_EQ(GivenUpAt({60000, 250000, 310000, 370000}, 60010), 310000u);
    // An answer in the tick of its keep-alive is an answer.
    EXPECT_FALSE(IsLoginServerSilent(250000, 60000, 60000));
}

const ShareSlotState kServed{false, false, true};

TEST(ViewTimerRulesTest, ALaggingStudentGetsOneShareFramePerAcknowledgement)
{
    ShareFlowState flow;
    flow.StartSharing();
    int frame = 1;
    for (; frame <= 3; ++frame) EXPECT_TRUE(ShouldSendShareFrame(flow, kServed, frame, false));    // up to 3 ahead
    EXPECT_TRUE(ShouldSendShareFrame(flow, kServed, frame++, false));     // 3 ahead: the resync frame
    EXPECT_EQ(flow.resyncMarker, 0);
    EXPECT_FALSE(ShouldSendShareFrame(flow, kServed, frame++, false));
    EXPECT_TRUE(flow.missedFrame);
    flow.Acknowledge(1);
    EXPECT_TRUE(ShouldSendShareFrame(flow, kServed, frame++, false));     // one more per acknowledgement
    EXPECT_FALSE(ShouldSendShareFrame(flow, kServed, frame++, false));
    // A catch-up frame goes only to students that missed one, and clears the mark.
    flow.Acknowledge(5);
    EXPECT_TRUE(ShouldSendShareFrame(flow, kServed, frame++, true));
    EXPECT_FALSE(ShouldSendShareFrame(flow, kServed, frame++, true));
}

TEST(ViewTimerRulesTest, AStaleStudentGetsAShareFrameEvenWithoutAcknowledgements)
{
    ShareFlowState flow;
    flow.sent = 100;
    flow.resyncMarker = 0;
    EXPECT_FALSE(ShouldSendShareFrame(flow, kServed, 130, false));
    EXPECT_TRUE(ShouldSendShareFrame(flow, kServed, 131, false));
    // A hostile acknowledgement overflows nothing: far behind, so one resync frame and no more.
    flow.Acknowledge(INT32_MIN);
    flow.sent = INT32_MAX;
    EXPECT_TRUE(ShouldSendShareFrame(flow, kServed, INT32_MAX, false));
    EXPECT_FALSE(ShouldSendShareFrame(flow, kServed, INT32_MAX, false));
}

TEST(ViewTimerRulesTest, SessionsAndThePresenterMissShareFramesStudentsWithoutThreadsAreSkipped)
{
    ShareFlowState flow;
    EXPECT_FALSE(ShouldSendShareFrame(flow, ShareSlotState{true, false, true}, 1, false));
    EXPECT_TRUE(flow.missedFrame);
    ShareFlowState offline;
    EXPECT_FALSE(ShouldSendShareFrame(offline, ShareSlotState{false, false, false}, 1, false));
    EXPECT_FALSE(offline.missedFrame);
}

} // namespace
