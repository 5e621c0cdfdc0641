#include "sessions/core/KeyEvents.h"

#include <gtest/gtest.h>

namespace {

TEST(SessionKeyEventsTest, ScanCodePairsPlayPressReleaseAndExtendedKeys)
{
    auto events = ReadScanCodeText(u"1E9e", kMaxStudentScanKeys);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].virtualKey, 0);
    EXPECT_EQ(events[0].scanCode, 0x1E);
    EXPECT_EQ(events[0].flags, kKeyEventScanCode);
    EXPECT_EQ(events[1].scanCode, 0x9E);
    EXPECT_EQ(events[1].flags, kKeyEventScanCode | kKeyEventKeyUp);

    events = ReadScanCodeText(u"E04BE0CB1C", kMaxStudentScanKeys);    // E0 marks only the next key
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].flags, kKeyEventScanCode | kKeyEventExtended);
    EXPECT_EQ(events[1].scanCode, 0xCB);
    EXPECT_EQ(events[1].flags, kKeyEventScanCode | kKeyEventExtended | kKeyEventKeyUp);
    EXPECT_EQ(events[2].flags, kKeyEventScanCode);
}

TEST(SessionKeyEventsTest, BrokenPairsAndADanglingE0PlayNothing)
{
    EXPECT_TRUE(ReadScanCodeText(u"E0", kMaxStudentScanKeys).empty());
    EXPECT_TRUE(ReadScanCodeText(u"1", kMaxStudentScanKeys).empty());
    EXPECT_TRUE(ReadScanCodeText(u"zz- 0x", kMaxStudentScanKeys).empty());
    auto events = ReadScanCodeText(u"1EzzE0G11C3", kMaxStudentScanKeys);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].scanCode, 0x1C);
    EXPECT_EQ(events[1].flags, kKeyEventScanCode | kKeyEventExtended);    // "G1" skipped, E0 still pending
}

TEST(SessionKeyEventsTest, LongTextsRepeatsAndRecordListsAreCut)
{
    std::u16string text;
    for (int i = 0; i < 500; ++i) text += u"1E";
    EXPECT_EQ(ReadScanCodeText(text, kMaxStudentScanKeys).size(), 128u);
    EXPECT_EQ(ReadScanCodeText(text, kMaxRemoteAppScanKeys).size(), 127u);

    KeyEntry flood;
    flood.message = 0x100;
    flood.repeatCount = 0xFFFFFFFF;
    EXPECT_EQ(KeyRecordEvents(flood).size(), kMaxKeyRepeat);
    flood.repeatCount = 0;
    EXPECT_TRUE(KeyRecordEvents(flood).empty());
    EXPECT_EQ(KeyRecordsToPlay(5), 5u);
    EXPECT_EQ(KeyRecordsToPlay(2000000), kMaxKeyRecordsPerPacket);
}

TEST(SessionKeyEventsTest, KeyRecordExtendedBitIsKfExtendedNotPartOfTheScanCode)
{
    // F10 travels with flags 0x44 (its scan code) and 0xC044 on release: not an extended key.
    KeyEntry f10;
    f10.message = 0x101;
    f10.virtualKey = 0x79;
    f10.repeatCount = 2;
    f10.flags = 0xC044;
    auto events = KeyRecordEvents(f10);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].virtualKey, 0x79);
    EXPECT_EQ(events[1].scanCode, 0x44);
    EXPECT_EQ(events[1].flags, kKeyEventKeyUp);

    KeyEntry right = f10;
    right.message = 0x100;
    right.flags = 0x014D;    // right arrow: scan code 4D with KF_EXTENDED
    events = KeyRecordEvents(right);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0].flags, kKeyEventExtended);
}

} // namespace
