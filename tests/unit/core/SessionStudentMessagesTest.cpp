#include "sessions/core/ChatLineRules.h"
#include "sessions/core/PadScreenState.h"
#include "sessions/core/StudentMessages.h"

#include <gtest/gtest.h>

namespace {

TEST(SessionStudentMessagesTest, HelloNeedsExactlyEightFields)
{
    StudentHello hello;
    ASSERT_TRUE(ReadHello(u"5,,10,20,30,40,true,x", hello));
    EXPECT_EQ(hello.seatText, u"5");
    EXPECT_EQ(hello.name, u" ");
    // The slot keeps fields 3, 2, 5, 4 in that order.
    EXPECT_EQ(hello.captureRegion[0], 20);
    EXPECT_EQ(hello.captureRegion[1], 10);
    EXPECT_EQ(hello.captureRegion[2], 40);
    EXPECT_EQ(hello.captureRegion[3], 30);
    EXPECT_TRUE(hello.captureRegionActive);
    ASSERT_TRUE(ReadHello(u"7,kim,0,0,0,0,TRUE,", hello));
    EXPECT_FALSE(hello.captureRegionActive);

    EXPECT_FALSE(ReadHello(u"5,kim,0,0,0,0,true", hello));        // seven fields: closed silently
    EXPECT_FALSE(ReadHello(u"5,kim,0,0,0,0,true,x,y", hello));
}

TEST(SessionStudentMessagesTest, ScreenSizeHalvesTheFrameWhileEvenAndAtLeast200)
{
    ScreenSizeReport size;
    ASSERT_TRUE(ReadScreenSize(u"1920,1080", size));
    EXPECT_EQ(size.width, 1920);
    EXPECT_EQ(size.frameWidth, 120);
    EXPECT_EQ(size.frameHeight, 135);
    EXPECT_EQ(HalveFrameSide(1600), 100);    // 200 is still halved
    EXPECT_EQ(HalveFrameSide(1366), 683);    // odd: stops
    EXPECT_FALSE(ReadScreenSize(u"1920,1080,32", size));
    // Sides that window sizes are worked out from: none beyond the largest screen, none negative.
    EXPECT_FALSE(ReadScreenSize(u"2147483647,1080", size));
    EXPECT_FALSE(ReadScreenSize(u"1920,-1", size));
    EXPECT_EQ(size.width, 1920);
    ASSERT_TRUE(ReadScreenSize(u"8192,0", size));
}

TEST(SessionStudentMessagesTest, FieldCountsOfTheOtherMessages)
{
    ClientAnnouncement info;
    EXPECT_FALSE(ReadClientAnnouncement(u"1,a", info));
    EXPECT_FALSE(ReadClientAnnouncement(u"1,a,b,c,d,e", info));
    ASSERT_TRUE(ReadClientAnnouncement(u"3,a,b", info));
    EXPECT_EQ(info.clientKind, 3);
    EXPECT_FALSE(info.hasThirdText);
    ASSERT_TRUE(ReadClientAnnouncement(u"1,a,b,c,ignored", info));
    EXPECT_EQ(info.texts[2], u"c");

    std::u16string text;
    ASSERT_TRUE(ReadChatLine(u"a&comma;b,x", text));
    EXPECT_EQ(text, u"a,b");
    EXPECT_FALSE(ReadChatLine(u"a,b,x", text));

    int format = 0;
    ASSERT_TRUE(ReadClipboardText(u"1,a,b", format, text));
    EXPECT_EQ(format, 13);
    EXPECT_EQ(text, u"a,b");
    EXPECT_FALSE(ReadClipboardText(u"1", format, text));

    PadAppEvent event;
    ASSERT_TRUE(ReadPadAppEvent(u"com.game,_NONE_,x", event));
    EXPECT_EQ(event.appText, u"com.game");
    ASSERT_TRUE(ReadPadAppEvent(u"com.game,Game,x", event));
    EXPECT_EQ(event.appText, u"Game(com.game)");
    EXPECT_FALSE(ReadPadAppEvent(u"com.game,Game", event));

    int value = 0;
    EXPECT_FALSE(ReadSingleNumber(u"1,2", value));    // "[AN00006]" with two fields posts nothing
}

TEST(SessionStudentMessagesTest, LongChatLinesNamesAndAppNamesAreCutWithoutSplittingACharacter)
{
    std::u16string text;
    ASSERT_TRUE(ReadChatLine(std::u16string(1000000, u'a') + u",x", text));
    EXPECT_EQ(text.size(), kChatLineMaxChars);
    // A pair that would be split at the cut is left out whole.
    const std::u16string pairAtCut = std::u16string(kChatLineMaxChars - 1, u'a') + u"\xD83D\xDE00" + u"tail";
    ASSERT_TRUE(ReadChatLine(pairAtCut + u",x", text));
    EXPECT_EQ(text, std::u16string(kChatLineMaxChars - 1, u'a'));
    // Escaped commas count as the commas they stand for.
    std::u16string escaped;
    for (size_t i = 0; i < kChatLineMaxChars; ++i)
        escaped += u"&comma;";
    ASSERT_TRUE(ReadChatLine(escaped + u",x", text));
    EXPECT_EQ(text, std::u16string(kChatLineMaxChars, u','));

    const std::u16string name = DisplayNameFrom(std::u16string(10000, u'\\') + u"..\\name");
    EXPECT_EQ(name.size(), kMaxDisplayNameChars);
    EXPECT_EQ(DisplayNameFrom(u""), u" ");
    // Each row of the pad log keeps its app names: a flood of long ones holds little.
    PadAppEvent event;
    ASSERT_TRUE(ReadPadAppEvent(std::u16string(300000, u'p') + u"," + std::u16string(300000, u'l') + u",x", event));
    EXPECT_EQ(event.appText.size(), 2 * kMaxAppNameChars + 2);

    // What a connection says of itself before it has a seat is kept as short as after.
    EXPECT_EQ(AgentVersionFrom(std::u16string(1000, u'9')).size(), kMaxShortTextChars);
    ClientAnnouncement announcement;
    const std::u16string longText(1000, u'r');
    ASSERT_TRUE(ReadClientAnnouncement(u"2," + longText + u"," + longText + u"," + longText, announcement));
    for (const std::u16string& kept : announcement.texts)
        EXPECT_EQ(kept.size(), kMaxShortTextChars);
    // A student's clipboard goes on the teacher's up to a bound.
    int format = 0;
    ASSERT_TRUE(ReadClipboardText(u"13," + std::u16string(kMaxClipboardTextChars + 5000, u'c'), format, text));
    EXPECT_EQ(text.size(), kMaxClipboardTextChars);
}

void Apply(PadScreenState& state, const std::u16string& arguments)
{
    PadStateReport report;
    ASSERT_TRUE(ReadPadStateReport(arguments, report)) << "needs more than three fields";
    ApplyPadStateReport(state, report);
}

TEST(SessionStudentMessagesTest, PadStateWordsUpdateTheScreenState)
{
    PadStateReport report;
    EXPECT_FALSE(ReadPadStateReport(u"app,drmon,x", report));
    PadScreenState state;
    Apply(state, u"com.video,drmon,,");
    EXPECT_TRUE(state.drmOn);
    EXPECT_EQ(state.foregroundApp, u"com.video");
    Apply(state, u"com.other,lockon,,");
    EXPECT_TRUE(state.locked);
    EXPECT_EQ(state.foregroundApp, u"com.video");    // only DRM words carry the app
    Apply(state, u"com.kakao.talk,drmoff,,");
    EXPECT_FALSE(state.drmOn);
    EXPECT_TRUE(IsMessengerApp(state.foregroundApp));
}

TEST(SessionStudentMessagesTest, SeventhReportWhileTheScreenIsOffTurnsItOn)
{
    PadScreenState state;
    Apply(state, u"a,screenoff,,");
    for (int report = 1; report <= 6; ++report) {
        Apply(state, report % 2 ? u"a,drmon,," : u"a,lockon,,");
        EXPECT_FALSE(state.screenOn) << "report " << report;
    }
    Apply(state, u"a,drmoff,,");
    EXPECT_TRUE(state.screenOn);
    EXPECT_EQ(state.screenOffReports, 0);

    // "lockoff" is not counted, and "screenoff" starts the count again.
    Apply(state, u"a,screenoff,,");
    for (int i = 0; i < 10; ++i) Apply(state, u"a,lockoff,,");
    for (int i = 0; i < 5; ++i) Apply(state, u"a,lockon,,");
    Apply(state, u"a,screenoff,,");
    EXPECT_EQ(state.screenOffReports, 0);
    EXPECT_FALSE(state.screenOn);
}

} // namespace
