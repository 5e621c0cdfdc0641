#include "sessions/core/ActivityCommands.h"
#include "sessions/core/TeacherCommands.h"

#include <gtest/gtest.h>

namespace {

TEST(SessionCommandsTest, CommandsWithArgumentsKeepTheirWireFormat)
{
    EXPECT_EQ(GreetingCommand(10001, 115, 85, 1000, 40, u"0123abcd"), u"[KW00001]10001,115,85,1000,40,0123abcd");
    EXPECT_EQ(ConsoleVersionCommand(), u"[KW00094]2.0.1.1047");
    EXPECT_EQ(RefusalCommand(kRefusalSeatTaken, u""), u"[KW10000]2,");
    EXPECT_EQ(CombinedSessionCommand(1024, 768), u"[KW00004]3,1024,768");
    EXPECT_EQ(CaptureRegionCommand(-1, 2, 3, 4), u"[KW00008]-1,2,3,4");
    EXPECT_EQ(ForbidKeyboardCommand(false), u"[KW00050]false");
    EXPECT_EQ(ShareSettingsCommand(1280, 720, false, false), u"[KW00103]1280,720,window,center");
    EXPECT_EQ(ShareSettingsCommand(1920, 1080, true, true), u"[KW00103]1920,1080,full,resize");
    EXPECT_EQ(DestinationFolderCommand(u""), u"[KW00030]default");
    EXPECT_EQ(DestinationFolderCommand(u"D:\\in"), u"[KW00030]D:\\in");
    EXPECT_EQ(QuestionStartCommand(QuestionKind::Select5), u"[KW00405]select5");
    EXPECT_EQ(TakeOverLoginCommand(u"tid", u"site", u"10.0.0.5", 7000),
              u"[KW10003]0,tid,site,0,0,10.0.0.5,7000,10.0.0.5,7000");
}

TEST(SessionCommandsTest, ChatLinesAndProgramTokens)
{
    EXPECT_EQ(ChatLineCommand(u"hi, you", u"2.0.1.1046"), u"[KW00072]hi&comma; you,5000");
    EXPECT_EQ(ChatLineCommand(u"hi, you", u"2.0.1.1000"), u"[KW00072]hi  you,5000");
    // The token is MD5 over UTF-16LE: "a" is the bytes 61 00.
    EXPECT_EQ(ProgramToken(u"a"), u"4144e195f46de78a3623da7364d04f11");
    EXPECT_EQ(RunProgramCommand(u"t", u"C:\\x.exe", u""), u"[KW00084]t,C:\\x.exe,");
}

TEST(SessionCommandsTest, InternalTextsReadBack)
{
    char16_t flag = 0;
    std::u16string path;
    ASSERT_TRUE(ReadStartFileSend(StartFileSendCommand(true, u"C:\\a\\b.txt"), flag, path));
    EXPECT_EQ(flag, u'1');
    EXPECT_EQ(path, u"C:\\a\\b.txt");
    EXPECT_EQ(FileHeaderCommand(flag), u"[KW00013]1");
    EXPECT_FALSE(ReadStartFileSend(u"[KW00010]1", flag, path));
    EXPECT_FALSE(ReadStartFileSend(u"[KW00011]1|x", flag, path));

    EXPECT_EQ(RemoteSessionMode(RemoteSessionCommand(683, 192)), u'1');
    EXPECT_EQ(RemoteSessionMode(u"[KW00004]"), char16_t(0));
    EXPECT_EQ(CommandNumber(FileSendResultCommand(-2)), -2);
    EXPECT_EQ(CommandNumber(ScrollPositionCommand(340)), 340);
}

} // namespace
