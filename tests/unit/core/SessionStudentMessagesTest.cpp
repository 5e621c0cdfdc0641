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
    EXPECT_EQ(hello.name, u"kim");
    EXPECT_FALSE(hello.captureRegionActive);

    EXPECT_FALSE(ReadHello(u"5,kim,0,0,0,0,true", hello));        // seven fields: closed silently
    EXPECT_FALSE(ReadHello(u"5,kim,0,0,0,0,true,x,y", hello));
    EXPECT_FALSE(ReadHello(u"", hello));
}

TEST(SessionStudentMessagesTest, ScreenSizeHalvesTheFrameWhileEvenAndAtLeast200)
{
    ScreenSizeReport size;
    ASSERT_TRUE(ReadScreenSize(u"1920,1080", size));
    EXPECT_EQ(size.width, 1920);
    EXPECT_EQ(size.height, 1080);
    EXPECT_EQ(size.frameWidth, 120);
    EXPECT_EQ(size.frameHeight, 135);
    EXPECT_EQ(HalveFrameSide(1600), 100);
    EXPECT_EQ(HalveFrameSide(1200), 150);
    EXPECT_EQ(HalveFrameSide(1366), 683);
    EXPECT_EQ(HalveFrameSide(768), 192);
    EXPECT_EQ(HalveFrameSide(200), 100);
    EXPECT_EQ(HalveFrameSide(199), 199);
    EXPECT_EQ(HalveFrameSide(-400), -400);
    EXPECT_FALSE(ReadScreenSize(u"1920", size));
    EXPECT_FALSE(ReadScreenSize(u"1920,1080,32", size));
}

TEST(SessionStudentMessagesTest, ClientAnnouncementTakesThreeToFiveFields)
{
    ClientAnnouncement info;
    EXPECT_FALSE(ReadClientAnnouncement(u"1,a", info));
    EXPECT_FALSE(ReadClientAnnouncement(u"1,a,b,c,d,e", info));
    ASSERT_TRUE(ReadClientAnnouncement(u"3,a,b", info));
    EXPECT_EQ(info.clientKind, 3);
    EXPECT_EQ(info.texts[0], u"a");
    EXPECT_EQ(info.texts[1], u"b");
    EXPECT_FALSE(info.hasThirdText);
    ASSERT_TRUE(ReadClientAnnouncement(u"1,a,b,c,ignored", info));
    EXPECT_TRUE(info.hasThirdText);
    EXPECT_EQ(info.texts[2], u"c");
}

TEST(SessionStudentMessagesTest, ChatClipboardAndAppEventTexts)
{
    std::u16string text;
    ASSERT_TRUE(ReadChatLine(u"a&comma;b,x", text));
    EXPECT_EQ(text, u"a,b");
    EXPECT_FALSE(ReadChatLine(u"a,b,x", text));
    EXPECT_FALSE(ReadChatLine(u"plain", text));

    int format = 0;
    ASSERT_TRUE(ReadClipboardText(u"1,a,b", format, text));
    EXPECT_EQ(format, 13);
    EXPECT_EQ(text, u"a,b");
    ASSERT_TRUE(ReadClipboardText(u"7,", format, text));
    EXPECT_EQ(format, 7);
    EXPECT_EQ(text, u"");
    EXPECT_FALSE(ReadClipboardText(u"1", format, text));

    PadAppEvent event;
    ASSERT_TRUE(ReadPadAppEvent(u"com.game,_NONE_,x", event));
    EXPECT_EQ(event.appText, u"com.game");
    ASSERT_TRUE(ReadPadAppEvent(u"com.game,Game,x", event));
    EXPECT_EQ(event.appText, u"Game(com.game)");
    EXPECT_FALSE(ReadPadAppEvent(u"com.game,Game", event));

    EXPECT_EQ(DisplayNameFrom(u""), u" ");
    EXPECT_EQ(ReadSoundAnswer(u"success"), SoundAnswer::Success);
    EXPECT_EQ(ReadSoundAnswer(u"fail"), SoundAnswer::Fail);
    EXPECT_EQ(ReadSoundAnswer(u"Success"), SoundAnswer::Other);

    int value = 0;
    EXPECT_TRUE(ReadSingleNumber(u"12", value));
    EXPECT_EQ(value, 12);
    EXPECT_FALSE(ReadSingleNumber(u"1,2", value));
}

PadStateReport Report(const std::u16string& arguments)
{
    PadStateReport report;
    EXPECT_TRUE(ReadPadStateReport(arguments, report)) << "needs more than three fields";
    return report;
}

TEST(SessionStudentMessagesTest, PadStateNeedsMoreThanThreeFields)
{
    PadStateReport report;
    EXPECT_FALSE(ReadPadStateReport(u"app,drmon,x", report));
    ASSERT_TRUE(ReadPadStateReport(u"com.video,drmon,x,y", report));
    EXPECT_EQ(report.foregroundApp, u"com.video");
    EXPECT_EQ(report.word, PadStateWord::DrmOn);
    EXPECT_EQ(Report(u"a,sleep,x,y").word, PadStateWord::Other);
}

TEST(SessionStudentMessagesTest, PadStateWordsUpdateTheScreenState)
{
    PadScreenState state;
    ApplyPadStateReport(state, Report(u"com.video,drmon,,"));
    EXPECT_TRUE(state.drmOn);
    EXPECT_EQ(state.foregroundApp, u"com.video");
    ApplyPadStateReport(state, Report(u"com.other,lockon,,"));
    EXPECT_TRUE(state.locked);
    EXPECT_EQ(state.foregroundApp, u"com.video");    // only DRM words carry the app
    ApplyPadStateReport(state, Report(u"x,lockoff,,"));
    EXPECT_FALSE(state.locked);
    ApplyPadStateReport(state, Report(u"com.kakao.talk,drmoff,,"));
    EXPECT_FALSE(state.drmOn);
    EXPECT_TRUE(IsMessengerApp(state.foregroundApp));
    EXPECT_FALSE(IsMessengerApp(u"com.kakao.talk2"));
}

TEST(SessionStudentMessagesTest, SeventhReportWhileTheScreenIsOffTurnsItOn)
{
    PadScreenState state;
    ApplyPadStateReport(state, Report(u"a,screenoff,,"));
    for (int report = 1; report <= 6; ++report) {
        ApplyPadStateReport(state, Report(report % 2 ? u"a,drmon,," : u"a,lockon,,"));
        EXPECT_FALSE(state.screenOn) << "report " << report;
    }
    ApplyPadStateReport(state, Report(u"a,drmoff,,"));
    EXPECT_TRUE(state.screenOn);
    EXPECT_EQ(state.screenOffReports, 0);

    // "lockoff" is not counted, and "screenon"/"screenoff" start the count again.
    ApplyPadStateReport(state, Report(u"a,screenoff,,"));
    for (int i = 0; i < 10; ++i) ApplyPadStateReport(state, Report(u"a,lockoff,,"));
    EXPECT_FALSE(state.screenOn);
    for (int i = 0; i < 5; ++i) ApplyPadStateReport(state, Report(u"a,lockon,,"));
    ApplyPadStateReport(state, Report(u"a,screenoff,,"));
    EXPECT_EQ(state.screenOffReports, 0);
}

} // namespace
