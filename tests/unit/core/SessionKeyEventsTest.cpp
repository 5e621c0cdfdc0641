#include "sessions/core/KeyEvents.h"
#include "sessions/core/RemoteKeyRules.h"

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

// The teacher's keys in a remote window, as the student receives them.
struct Sent {
    uint16_t message;
    uint32_t key;
    uint32_t repeat;
    uint32_t flags;
    bool operator==(const Sent& other) const
    {
        return message == other.message && key == other.key && repeat == other.repeat && flags == other.flags;
    }
};

std::vector<Sent> Records(const std::vector<KeyEntry>& entries)
{
    std::vector<Sent> sent;
    for (const KeyEntry& entry : entries) sent.push_back({entry.message, entry.virtualKey, entry.repeatCount, entry.flags});
    return sent;
}

TEST(SessionKeyEventsTest, SystemKeysReachTheStudentWithTheFlagsItExpects)
{
    const HeldKeys none;
    const HeldKeys shift{true, false};
    const HeldKeys alt{false, true};
    const HeldKeys shiftAlt{true, true};
    const bool single = false;
    // Alt alone, and Alt let go whatever else is held.
    EXPECT_EQ(Records(RemoteSystemKeyRecords(true, 0x12, 3, 0x2038, none, single).records),
              (std::vector<Sent>{{0x100, 0x12, 1, 38}}));
    EXPECT_EQ(Records(RemoteSystemKeyRecords(false, 0x12, 1, 0xC038, none, single).records),
              (std::vector<Sent>{{0x101, 0x12, 1, 0xC026}}));
    EXPECT_EQ(Records(RemoteSystemKeyRecords(false, 0x12, 1, 0xC038, shift, single).records),
              (std::vector<Sent>{{0x101, 0x12, 1, 0xC026}}));
    // Alt pressed with Shift held is an ordinary key-down.
    EXPECT_EQ(Records(RemoteSystemKeyRecords(true, 0x12, 1, 0x2038, shift, single).records),
              (std::vector<Sent>{{0x100, 0x12, 1, 0x2038}}));
    // F10 alone has flags of its own; with Alt or Shift it is an ordinary key.
    EXPECT_EQ(Records(RemoteSystemKeyRecords(true, 0x79, 1, 0x0044, none, single).records),
              (std::vector<Sent>{{0x100, 0x79, 1, 68}}));
    EXPECT_EQ(Records(RemoteSystemKeyRecords(false, 0x79, 1, 0xC044, none, single).records),
              (std::vector<Sent>{{0x101, 0x79, 1, 0xC044}}));
    EXPECT_EQ(Records(RemoteSystemKeyRecords(false, 0x79, 2, 0xE044, shiftAlt, single).records),
              (std::vector<Sent>{{0x101, 0x79, 2, 0xE044}}));
    // Print screen released as a system key: its key-down first.
    EXPECT_EQ(Records(RemoteSystemKeyRecords(false, 0x2C, 1, 0xC137, alt, single).records),
              (std::vector<Sent>{{0x100, 0x2C, 1, 0xC137}, {0x101, 0x2C, 1, 0xC137}}));
    // Alt+F4: never the student's; the single window swallows the press, the combined one closes.
    const SystemKeyOutcome singleF4 = RemoteSystemKeyRecords(true, 0x73, 1, 0x203E, alt, false);
    EXPECT_TRUE(singleF4.consumed);
    EXPECT_TRUE(singleF4.records.empty());
    const SystemKeyOutcome combinedF4 = RemoteSystemKeyRecords(true, 0x73, 1, 0x203E, alt, true);
    EXPECT_FALSE(combinedF4.consumed);
    EXPECT_TRUE(combinedF4.records.empty());
    EXPECT_FALSE(RemoteSystemKeyRecords(false, 0x73, 1, 0xE03E, alt, false).consumed);
}

TEST(SessionKeyEventsTest, InputMethodKeysAndKeysBeyondTheTableStayWithTheTeacher)
{
    EXPECT_TRUE(RemoteKeyDownRecords(0xE5, 1, 0).empty());    // VK_PROCESSKEY
    EXPECT_TRUE(RemoteKeyDownRecords(0x15, 1, 0).empty());    // VK_HANGUL
    EXPECT_TRUE(RemoteKeyDownRecords(256, 1, 0).empty());
    EXPECT_TRUE(RemoteKeyUpRecords(256, 1, 0).empty());
    EXPECT_EQ(Records(RemoteKeyDownRecords(0x41, 2, 0x1E)), (std::vector<Sent>{{0x100, 0x41, 2, 0x1E}}));
    EXPECT_EQ(Records(RemoteKeyUpRecords(0x2C, 1, 0xC137)),
              (std::vector<Sent>{{0x100, 0x2C, 1, 0xC137}, {0x101, 0x2C, 1, 0xC137}}));
}

} // namespace
