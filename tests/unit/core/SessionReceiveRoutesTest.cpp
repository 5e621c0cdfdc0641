#include "sessions/core/ReceiveRoutes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(SessionReceiveRoutesTest, EveryTagIsANineCharacterTagListedOnce)
{
    std::set<std::u16string> tags;
    for (size_t i = 0; i < kTextRouteCount; ++i) {
        const std::u16string tag = kTextRoutes[i].tag;
        EXPECT_EQ(tag.size(), 9u);
        EXPECT_TRUE(tag.rfind(u"[PC", 0) == 0 || tag.rfind(u"[AN", 0) == 0);
        EXPECT_TRUE(tags.insert(tag).second) << "duplicate tag";
        EXPECT_NE(kTextRoutes[i].receivers, 0);
    }
}

TEST(SessionReceiveRoutesTest, EachReceiverTakesOnlyItsOwnTags)
{
    EXPECT_EQ(RouteStudentText(u"[PC00003]x", kRemoteSession), TextRoute::KeepAlive);
    EXPECT_EQ(RouteStudentText(u"[PC00003]", kPendingConnection), TextRoute::Ignore);

    EXPECT_EQ(RouteStudentText(u"[PC00002]1,,0,0,0,0,false,", kPendingConnection), TextRoute::Hello);
    EXPECT_EQ(RouteStudentText(u"[PC00002]1,,0,0,0,0,false,", kThumbnailSession), TextRoute::Ignore);
    EXPECT_EQ(RouteStudentText(u"[PC00017]1.0", kPendingConnection), TextRoute::AgentVersion);
    // The pending connection ignores the permission status; the student thread handles it.
    EXPECT_EQ(RouteStudentText(u"[PC00172]{}", kPendingConnection), TextRoute::Ignore);
    EXPECT_EQ(RouteStudentText(u"[PC00172]{}", kThumbnailSession), TextRoute::PadPermissions);

    EXPECT_EQ(RouteStudentText(u"[PC00013]success", kRemoteSession), TextRoute::SoundAnswer);
    EXPECT_EQ(RouteStudentText(u"[PC00013]success", kThumbnailSession), TextRoute::Ignore);
    EXPECT_EQ(RouteStudentText(u"[AN00010]1,2", kRemoteSession), TextRoute::Ignore);
}

TEST(SessionReceiveRoutesTest, ShortUnknownAndNearMissTextsAreIgnored)
{
    EXPECT_EQ(RouteStudentText(u"[PC00003", kThumbnailSession), TextRoute::Ignore);
    EXPECT_EQ(RouteStudentText(u"[pc00003]", kThumbnailSession), TextRoute::Ignore);
    EXPECT_EQ(RouteStudentText(u"[PC99999]", kThumbnailSession), TextRoute::Ignore);
    EXPECT_EQ(RouteStudentText(u"[KW10002]", kThumbnailSession), TextRoute::Ignore);
}

TEST(SessionReceiveRoutesTest, PacketTypesAndTheValuePairAnswer)
{
    EXPECT_EQ(RouteStudentPacket(9), PacketRoute::FilePiece);
    for (uint8_t dropped : {0, 3, 6, 8, 11, 12, 13, 255}) EXPECT_EQ(RouteStudentPacket(dropped), PacketRoute::Drop);

    // A second value of 0 is answered "[KW00002]" even with an active region.
    EXPECT_EQ(AnswerValuePair(0, true), ValuePairAnswer::ScreenFormatAnswer);
    EXPECT_EQ(AnswerValuePair(5, true), ValuePairAnswer::CaptureRegion);
    EXPECT_EQ(AnswerValuePair(5, false), ValuePairAnswer::None);
}

} // namespace
