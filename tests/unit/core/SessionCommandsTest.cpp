#include "sessions/core/ActivityCommands.h"
#include "sessions/core/TeacherCommands.h"

#include <gtest/gtest.h>

namespace {

TEST(SessionCommandsTest, AdmissionAndThumbnailCommandsKeepTheirWireFormat)
{
    EXPECT_EQ(GreetingCommand(10001, 115, 85, 1000, 40, u"0123abcd"), u"[KW00001]10001,115,85,1000,40,0123abcd");
    EXPECT_EQ(ConsoleVersionCommand(), u"[KW00094]2.0.1.1047");
    EXPECT_EQ(FreeSeatsCommand(u"1,3"), u"[KW00007]1,3");
    EXPECT_EQ(RefusalCommand(kRefusalBeyondSeats, u"late"), u"[KW10000]3,late");
    EXPECT_EQ(RefusalCommand(kRefusalSeatTaken, u""), u"[KW10000]2,");
    EXPECT_EQ(EndSessionCommand(), u"[KW10001]KW_END");
    EXPECT_EQ(ThumbnailSizeCommand(115, 85), u"[KW00003]115,85");
    EXPECT_EQ(RemoteSessionCommand(683, 192), u"[KW00004]1,683,192");
    EXPECT_EQ(CombinedSessionCommand(1024, 768), u"[KW00004]3,1024,768");
    EXPECT_EQ(CaptureRegionCommand(0, 0, 0, 0), u"[KW00008]0,0,0,0");
    EXPECT_EQ(CaptureRegionCommand(-1, 2, 3, 4), u"[KW00008]-1,2,3,4");
    EXPECT_EQ(RefreshDelayCommand(10000), u"[KW00006]10000");
    EXPECT_EQ(ScrollPositionCommand(0), u"[KW00200]0");
    EXPECT_EQ(RetryNextDayCommand(), u"[KW00249]0");
}

TEST(SessionCommandsTest, FlagsAreTrueOrFalseWords)
{
    EXPECT_EQ(ForbidKeyboardCommand(false), u"[KW00050]false");
    EXPECT_EQ(ForbidMouseCommand(true), u"[KW00051]true");
    EXPECT_EQ(ForbidUsbStorageCommand(true), u"[KW00097]true");
    EXPECT_EQ(LightRemotePcCommand(false), u"[KW00082]false");
    EXPECT_EQ(ScreenControlRightCommand(true), u"[KW00107]true");
    EXPECT_EQ(ViewerFullScreenCommand(false), u"[KW00080]false");
    EXPECT_EQ(ScreenShareCommand(false), u"[KW00102]stop");
    EXPECT_EQ(ShareSettingsCommand(1280, 720, false, false), u"[KW00103]1280,720,window,center");
    EXPECT_EQ(ShareSettingsCommand(1920, 1080, true, true), u"[KW00103]1920,1080,full,resize");
}

TEST(SessionCommandsTest, ChatAndProgramCommands)
{
    EXPECT_EQ(ChatLineCommand(u"hi, you", u"2.0.1.1046"), u"[KW00072]hi&comma; you,5000");
    EXPECT_EQ(ChatLineCommand(u"hi, you", u"2.0.1.1000"), u"[KW00072]hi  you,5000");
    // The token is MD5 over UTF-16LE: "a" is the bytes 61 00.
    EXPECT_EQ(ProgramToken(u"a"), u"4144e195f46de78a3623da7364d04f11");
    EXPECT_EQ(RunProgramCommand(u"t", u"C:\\x.exe", u""), u"[KW00084]t,C:\\x.exe,");
    EXPECT_EQ(EndProcessCommand(u"t", u"x.exe"), u"[KW00085]t,x.exe");
    EXPECT_EQ(RestartPcCommand(), u"[KW00100]1");
    EXPECT_EQ(ShutDownPcCommand(), u"[KW00100]2");
}

TEST(SessionCommandsTest, SessionFileQuizAndLoginCommands)
{
    EXPECT_EQ(StudentSoundCommand(true), u"[KW00029]on");
    EXPECT_EQ(ViewerRegionCommand(1, 2, 3, 4), u"[KW00076]1,2,3,4");
    EXPECT_EQ(ViewerFullScreenToggleCommand(), u"[KW00078]true");
    EXPECT_EQ(ClipboardTextCommand(13, u"a,b"), u"[KW00086]13,a,b");
    EXPECT_EQ(PadKeyCommand(false), u"[KW00108]back");
    EXPECT_EQ(DestinationFolderCommand(u""), u"[KW00030]default");
    EXPECT_EQ(DestinationFolderCommand(u"D:\\in"), u"[KW00030]D:\\in");
    EXPECT_EQ(StartFileSendCommand(true, u"C:\\a\\b.txt"), u"[KW00010]1|C:\\a\\b.txt");
    EXPECT_EQ(FileHeaderCommand(u'1'), u"[KW00013]1");
    EXPECT_EQ(FileSendResultCommand(-3), u"[KW00011]-3");
    EXPECT_EQ(FilePieceAnswerCommand(false), u"[KW00105]0");
    EXPECT_EQ(QuestionStartCommand(QuestionKind::Select5), u"[KW00405]select5");
    EXPECT_EQ(QuestionEndCommand(), u"[KW00406]ox");
    EXPECT_EQ(TakeOverLoginCommand(u"tid", u"site", u"10.0.0.5", 7000),
              u"[KW10003]0,tid,site,0,0,10.0.0.5,7000,10.0.0.5,7000");
    EXPECT_EQ(PadScreenSizeCommand(1920, 1080), u"[AN00001]1920,1080");
}

TEST(SessionCommandsTest, InternalTextsReadBack)
{
    char16_t flag = 0;
    std::u16string path;
    ASSERT_TRUE(ReadStartFileSend(StartFileSendCommand(true, u"C:\\a\\b.txt"), flag, path));
    EXPECT_EQ(flag, u'1');
    EXPECT_EQ(path, u"C:\\a\\b.txt");
    EXPECT_FALSE(ReadStartFileSend(u"[KW00010]1", flag, path));
    EXPECT_FALSE(ReadStartFileSend(u"[KW00011]1|x", flag, path));

    EXPECT_EQ(RemoteSessionMode(u"[KW00004]1,10,20"), u'1');
    EXPECT_EQ(RemoteSessionMode(u"[KW00004]"), char16_t(0));
    EXPECT_EQ(CommandNumber(FileSendResultCommand(-2)), -2);
    EXPECT_EQ(CommandNumber(ScrollPositionCommand(340)), 340);
}

} // namespace
