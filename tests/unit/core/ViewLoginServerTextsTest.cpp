#include "view/core/LocalAddressChoice.h"
#include "view/core/LoginServerTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewLoginServerTextsTest, OnlyTheFiveServerTagsAreRecognised)
{
    EXPECT_EQ(ClassifyLoginServerText(u"[UR00000]"), LoginServerText::Alive);
    EXPECT_EQ(ClassifyLoginServerText(u"[UR00001]0,"), LoginServerText::LoginResult);
    EXPECT_EQ(ClassifyLoginServerText(u"[UR00002]1,0,30,0,0"), LoginServerText::SeatsGranted);
    EXPECT_EQ(ClassifyLoginServerText(u"[UR00020]1,kim,10.0.0.1,0"), LoginServerText::DuplicateLogin);
    EXPECT_EQ(ClassifyLoginServerText(u"[UR00021]1,10.0.0.1,0"), LoginServerText::LoggedOutElsewhere);
    for (const char16_t* other : {u"[UR00003]", u"[ur00000]", u"[KW10001]KW_END", u"[UR0000", u""})
        EXPECT_EQ(ClassifyLoginServerText(other), LoginServerText::Other);
}

TEST(ViewLoginServerTextsTest, LoginResultHasTwoOrSixFields)
{
    LoginResult answer;
    ASSERT_TRUE(ReadLoginResult(u"0,", answer));
    EXPECT_TRUE(answer.MayLogIn());
    ASSERT_TRUE(ReadLoginResult(u"3,gone,a,b,c,d", answer));
    EXPECT_FALSE(answer.MayLogIn());
    EXPECT_TRUE(answer.EndsReconnect());
    EXPECT_EQ(answer.message, u"gone");
    // A result of " 0" or "00" is a refusal: only exactly "0" lets the console log in.
    ASSERT_TRUE(ReadLoginResult(u"00,x", answer));
    EXPECT_FALSE(answer.MayLogIn());
    for (const char16_t* malformed : {u"", u"0", u"0,a,b", u"0,a,b,c,d", u"0,a,b,c,d,e,f"})
        EXPECT_FALSE(ReadLoginResult(malformed, answer));
}

TEST(ViewLoginServerTextsTest, SeatGrantNeedsFiveFieldsAndASeatCountOfZeroToAThousand)
{
    int seats = -5;
    ASSERT_TRUE(ReadSeatsGranted(u"1,0,30,0,0", seats));
    EXPECT_EQ(seats, 30);
    ASSERT_TRUE(ReadSeatsGranted(u",,1,,", seats));
    EXPECT_EQ(seats, 1);
    ASSERT_TRUE(ReadSeatsGranted(u"a,b,1000,c,d", seats));
    EXPECT_EQ(seats, 1000);
    ASSERT_TRUE(ReadSeatsGranted(u"1,0,0,0,0", seats));   // an empty class
    EXPECT_EQ(seats, 0);
    seats = 7;
    for (const char16_t* malformed : {u"1,0,30,0", u"1,0,30,0,0,0", u"1,0,1001,0,0", u"1,0,-3,0,0",
                                      u"1,0,,0,0", u"1,0,3x,0,0", u"1,0, 30,0,0", u"1,0,99999999999,0,0"})
        EXPECT_FALSE(ReadSeatsGranted(malformed, seats));
    EXPECT_EQ(seats, 7);   // untouched by a refused grant
}

TEST(ViewLoginServerTextsTest, DuplicateAndLoggedOutNoticesHaveExactFieldCounts)
{
    DuplicateLoginNotice duplicate;
    ASSERT_TRUE(ReadDuplicateLogin(u"1,kim,10.1.2.3,0", duplicate));
    EXPECT_TRUE(duplicate.described);
    EXPECT_EQ(duplicate.teacherId, u"kim");
    EXPECT_EQ(duplicate.address, u"10.1.2.3");
    ASSERT_TRUE(ReadDuplicateLogin(u"2,kim,10.1.2.3,0", duplicate));
    EXPECT_FALSE(duplicate.described);
    EXPECT_FALSE(ReadDuplicateLogin(u"1,kim,10.1.2.3", duplicate));
    EXPECT_FALSE(ReadDuplicateLogin(u"1,kim,10.1.2.3,0,0", duplicate));

    LoggedOutNotice loggedOut;
    ASSERT_TRUE(ReadLoggedOutElsewhere(u"1,10.0.0.9,0", loggedOut));
    EXPECT_TRUE(loggedOut.endsProgram);
    EXPECT_EQ(loggedOut.address, u"10.0.0.9");
    ASSERT_TRUE(ReadLoggedOutElsewhere(u"0,10.0.0.9,0", loggedOut));
    EXPECT_FALSE(loggedOut.endsProgram);
    EXPECT_FALSE(ReadLoggedOutElsewhere(u"1,10.0.0.9", loggedOut));
    EXPECT_FALSE(ReadLoggedOutElsewhere(u"1,10.0.0.9,0,0", loggedOut));
}

TEST(ViewLoginServerTextsTest, RequestsCarryTheConsoleIdentityInWireOrder)
{
    ConsoleIdentity console;
    console.sessionTag = -123;   // a tick count past 2^31 goes out as a negative number
    console.teacherId = u"kim";
    console.localAddress = u"10.0.0.5";
    console.studentPort = u"5050";
    EXPECT_EQ(LoginRequestCommand(console), u"[UT00001]3,-123,kim,,10.0.0.5,5050,2.0.1.1047");
    EXPECT_EQ(TakeOverCommand(console), u"[KW10003]0,kim,,0,0,10.0.0.5,5050,10.0.0.5,5050");
    EXPECT_EQ(LoginKeepAliveCommand(30), u"[UT00002]30");
}

TEST(ViewLoginServerTextsTest, KoreanServerTextsAreRecognisedForTranslation)
{
    std::u16string name = u"stale";
    EXPECT_EQ(ClassifyServerMessage(u"일치하는 선생님 정보를 찾을 수 없습니다.", name), ServerMessage::NoSuchTeacher);
    EXPECT_EQ(name, u"");
    EXPECT_EQ(ClassifyServerMessage(u"로그인 정보를 찾는 동안 오류가 발생했습니다.", name), ServerMessage::LookupError);
    EXPECT_EQ(ClassifyServerMessage(u"로그인 서버와 Lumora 종류가 다릅니다.\n프로그램을 확인해 주세요.", name),
              ServerMessage::KindMismatch);
    EXPECT_EQ(ClassifyServerMessage(u"실행중인 3학년 2반가 없습니다.\n선생님 ID를 확인해주세요.", name),
              ServerMessage::NotRunning);
    EXPECT_EQ(name, u"3학년 2반");
    EXPECT_EQ(ClassifyServerMessage(u"closed for maintenance", name), ServerMessage::AsIs);
}

TEST(ViewLoginServerTextsTest, ConnectErrorsWithATextOfTheirOwn)
{
    EXPECT_EQ(ConnectErrorTextId(10048), 650u);
    EXPECT_EQ(ConnectErrorTextId(10060), 662u);
    EXPECT_EQ(ConnectErrorTextId(10014), 654u);
    EXPECT_EQ(ConnectErrorTextId(10061), 0u);   // refused: only the prepared failure text
    EXPECT_EQ(ConnectErrorTextId(0), 0u);
}

TEST(ViewLoginServerTextsTest, LocalAddressPrefersTheSettingThenTheChosenAdapter)
{
    const std::vector<std::u16string> three = {u"10.0.0.1", u"192.168.1.5", u"172.16.0.9"};
    EXPECT_EQ(ChooseLocalAddress(u" 10.9.8.7 ", three, 2), u"10.9.8.7");
    // "0.0.0.0" and blanks name no address: the adapters decide.
    EXPECT_EQ(ChooseLocalAddress(u"0.0.0.0", three, 2), u"192.168.1.5");
    EXPECT_EQ(ChooseLocalAddress(u"   ", three, 3), u"172.16.0.9");
    EXPECT_EQ(ChooseLocalAddress(u"", three, 0), u"10.0.0.1");
    EXPECT_EQ(ChooseLocalAddress(u"", three, 4), u"10.0.0.1");
    EXPECT_EQ(ChooseLocalAddress(u"", three, -1), u"10.0.0.1");
    EXPECT_EQ(ChooseLocalAddress(u"", {u"10.0.0.1"}, 5), u"10.0.0.1");
    EXPECT_EQ(ChooseLocalAddress(u"", {}, 1), u"");
}

} // namespace
