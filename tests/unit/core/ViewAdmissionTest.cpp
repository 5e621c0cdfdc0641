#include "sessions/core/CommandText.h"
#include "sessions/core/TeacherCommands.h"
#include "view/core/AddressReport.h"
#include "view/core/AdmissionCommands.h"
#include "view/core/ConnectionIdCounter.h"
#include "view/core/SeatAdmission.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using Texts = std::vector<std::u16string>;

TEST(ViewAdmissionTest, SeatCheckAdmitsRefusesTakenAndRefusesWhatNamesNoSeat)
{
    const std::vector<bool> online = {false, true, false, false, true};
    EXPECT_EQ(FreeSeatList(online), u"1,3,4");
    size_t index = 99;
    EXPECT_EQ(CheckSeat(u"3", online, index), SeatVerdict::Admit);
    EXPECT_EQ(index, 2u);
    EXPECT_EQ(CheckSeat(u"2", online, index), SeatVerdict::SeatTaken);
    for (const char16_t* noSeat : {u"6", u"0", u"-1", u"", u"abc", u"1x", u" 1", u"99999999999"})
        EXPECT_EQ(CheckSeat(noSeat, online, index), SeatVerdict::BeyondSeats);
}

TEST(ViewAdmissionTest, GreetingDigestIsTheMd5OfTheThirteenCharacterPhrase)
{
    EXPECT_EQ(GreetingPhrase().size(), 13u);
    EXPECT_EQ(GreetingCommand(10001, 200, 150, 1000, 40, GreetingDigest()),
              u"[KW00001]10001,200,150,1000,40,9ba31bf778beb98febac04afc974169c");
}

TEST(ViewAdmissionTest, ConnectionIdsCountUpAndNeverGiveZeroOrMinusOne)
{
    CConnectionIdCounter counter;
    EXPECT_EQ(counter.Next(), 10001);
    EXPECT_EQ(counter.Next(), 10002);
    // Past the largest int it goes on through the negative ids, and starts over at 10000 where
    // it would reach -1 or 0.
    CConnectionIdCounter high(INT_MAX);
    EXPECT_EQ(high.Next(), INT_MIN);
    CConnectionIdCounter low(-2);
    EXPECT_EQ(low.Next(), 10000);
    EXPECT_EQ(low.Next(), 10001);
    EXPECT_EQ(CConnectionIdCounter(-1).Next(), 10000);
}

TEST(ViewAdmissionTest, AdmissionStateGoesOutInOrder)
{
    AdmissionState state;
    state.scrollPosition = 90;
    state.restrictions.forbidKeyboard = true;
    state.restrictions.forbidUsbStorage = true;
    state.padProgramList = u"game.exe,com.game";
    Texts expected = {u"[KW00200]90",    u"[KW00071]true",  u"[KW00082]false", u"[KW00050]true",
                      u"[KW00051]false", u"[KW00052]false", u"[KW00070]false", u"[KW00060]false",
                      u"[KW00061]false", u"[KW00097]true",  u"[KW00074]false", u"[KW00075]game.exe,com.game"};
    EXPECT_EQ(AdmissionStateCommands(state), expected);

    state.screenSharing = true;
    state.share = ShareSettings{1280, 800, false, true};
    expected.push_back(u"[KW00103]1280,800,window,resize");
    expected.push_back(u"[KW00102]start");
    EXPECT_EQ(AdmissionStateCommands(state), expected);
}

TEST(ViewAdmissionTest, AddressReportsOfTheSameNetworkReplaceOrAppend)
{
    StudentAddressList list;
    EXPECT_TRUE(ApplyAddressReport(u"pc1,192.168.0.21,AA-BB,x", u"192.168.0.5", 1, list));
    EXPECT_TRUE(ApplyAddressReport(u"pc2,192.168.0.22,CC-DD,x", u"192.168.0.5", 2, list));
    EXPECT_TRUE(ApplyAddressReport(u"pc1,192.168.0.31,AA-BB,y", u"192.168.0.5", 1, list));
    EXPECT_EQ(list.entries, (Texts{u"pc1,192.168.0.31,AA-BB,y", u"pc2,192.168.0.22,CC-DD,x"}));
    EXPECT_FALSE(ApplyAddressReport(u"pc3,10.0.0.3,EE,x", u"192.168.0.5", 3, list));     // other network
    EXPECT_FALSE(ApplyAddressReport(u"pc3,192.168.0.3,EE", u"192.168.0.5", 3, list));    // three fields
    EXPECT_FALSE(ApplyAddressReport(u"pc3,nodots,EE,x", u"nodots", 3, list));
    // An empty key is contained in every entry; it must not overwrite another student's entry.
    EXPECT_TRUE(ApplyAddressReport(u"pc4,192.168.0.4,,x", u"192.168.0.5", 4, list));
    EXPECT_EQ(list.entries.size(), 3u);
    EXPECT_EQ(list.entries[0], u"pc1,192.168.0.31,AA-BB,y");
}

TEST(ViewAdmissionTest, AnAddressReportReplacesOnlyTheEntryWithThatVeryKey)
{
    struct Case {
        const char16_t* report;
        int seat;
        Texts after;
    };
    // Each report is applied to the list the cases before it left.
    const Case cases[] = {
        {u"pc12,10.0.0.12,10.0.0.12,x", 12, {u"pc12,10.0.0.12,10.0.0.12,x"}},
        // "10.0.0.1" is found inside "10.0.0.12", but it is another student's address.
        {u"pc1,10.0.0.1,10.0.0.1,x", 1, {u"pc12,10.0.0.12,10.0.0.12,x", u"pc1,10.0.0.1,10.0.0.1,x"}},
        {u"pc1b,10.0.0.3,10.0.0.1,y", 3, {u"pc12,10.0.0.12,10.0.0.12,x", u"pc1b,10.0.0.3,10.0.0.1,y"}},
        // A key equal to another field of an entry is no match either.
        {u"pc5,10.0.0.5,pc12,x", 5, {u"pc12,10.0.0.12,10.0.0.12,x", u"pc1b,10.0.0.3,10.0.0.1,y", u"pc5,10.0.0.5,pc12,x"}},
        {u"pc12,10.0.0.12,10.0.0.12,z", 12, {u"pc12,10.0.0.12,10.0.0.12,z", u"pc1b,10.0.0.3,10.0.0.1,y", u"pc5,10.0.0.5,pc12,x"}},
    };
    StudentAddressList list;
    for (const Case& c : cases) {
        EXPECT_TRUE(ApplyAddressReport(c.report, u"10.0.0.9", c.seat, list));
        EXPECT_EQ(list.entries, c.after) << c.seat;
    }
}

TEST(ViewAdmissionTest, AddressListAndEntriesAreBounded)
{
    StudentAddressList list;
    // One pupil sending thousands of distinct entries keeps one entry, the latest.
    for (int i = 0; i < 5000; ++i)
        ApplyAddressReport(u"pc,10.0.0.1,flood" + DecimalText(i) + u",x", u"10.0.0.9", 7, list);
    EXPECT_EQ(list.entries, (Texts{u"pc,10.0.0.1,flood4999,x"}));
    // Taking over another seat's entry by its key leaves the taker with that one entry only.
    EXPECT_TRUE(ApplyAddressReport(u"pc,10.0.0.2,mine,x", u"10.0.0.9", 8, list));
    EXPECT_TRUE(ApplyAddressReport(u"pc,10.0.0.2,flood4999,y", u"10.0.0.9", 8, list));
    EXPECT_EQ(list.entries, (Texts{u"pc,10.0.0.2,flood4999,y"}));
    EXPECT_EQ(list.seats, (std::vector<int>{8}));
    for (size_t i = 0; i < kMaxAddressEntries + 10; ++i)
        ApplyAddressReport(u"pc,10.0.0.1,key" + DecimalText(static_cast<long long>(i)) + u",x", u"10.0.0.9",
                           100 + static_cast<int>(i), list);
    EXPECT_EQ(list.entries.size(), kMaxAddressEntries);
    EXPECT_TRUE(ApplyAddressReport(u"new,10.0.0.2,key7,x", u"10.0.0.9", 3, list));    // a known key still replaces
    const std::u16string huge = u"pc,10.0.0.1,k," + std::u16string(kMaxAddressEntryLength, u'x');
    EXPECT_FALSE(ApplyAddressReport(huge, u"10.0.0.9", 3, list));
}

} // namespace
