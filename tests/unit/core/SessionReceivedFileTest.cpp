#include "sessions/core/ReceivedFileName.h"
#include "sessions/core/UploadPieceTracker.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(SessionReceivedFileTest, NamesAreCutToTheirLastComponentOrRefused)
{
    EXPECT_EQ(ReceivedFileName(u"C:\\Users\\kim\\report.docx"), u"report.docx");
    EXPECT_EQ(ReceivedFileName(u"../../Windows/win.ini"), u"win.ini");
    EXPECT_EQ(ReceivedFileName(u"\uD55C\uAE00 \uBB38\uC11C.hwp"), u"\uD55C\uAE00 \uBB38\uC11C.hwp");

    for (const char16_t* bad :
         {u"", u".", u"..", u"dir\\", u"dir/..", u"C:evil.txt", u"a?b", u"a*b", u"a<b", u"a>b", u"a|b", u"a\"b",
          u"tab\there", u"name.", u"name ", u"CON", u"con.txt", u"Nul", u"aux.tar.gz", u"PRN ", u"COM1",
          u"lpt9.log", u"COM\u00B9.txt", u"CON .txt"})
        EXPECT_EQ(ReceivedFileName(bad), u"") << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
    for (const char16_t* fine : {u"CONSOLE.txt", u"COM10", u"LPT", u"nul_data.bin", u"my con.txt"})
        EXPECT_EQ(ReceivedFileName(fine), fine);
    EXPECT_EQ(ReceivedFileName(std::u16string(255, u'a')), std::u16string(255, u'a'));
    EXPECT_EQ(ReceivedFileName(std::u16string(256, u'a')), u"");
}

TEST(SessionReceivedFileTest, ASecondUploadOfTheSameNameIsNumbered)
{
    EXPECT_EQ(NumberedFileName(u"a.tar.gz", 3), u"a.tar (3).gz");
    EXPECT_EQ(NumberedFileName(u"README", 2), u"README (2)");
    EXPECT_EQ(NumberedFileName(u".profile", 2), u".profile (2)");

    std::set<std::u16string> present;
    auto exists = [&present](const std::u16string& name) { return present.count(name) > 0; };
    EXPECT_EQ(FreeFileName(u"a.txt", exists), u"a.txt");
    present = {u"a.txt", u"a (2).txt"};
    EXPECT_EQ(FreeFileName(u"a.txt", exists), u"a (3).txt");

    // No number fits a name at the length limit.
    const std::u16string longest = std::u16string(251, u'n') + u".txt";
    present = {longest};
    EXPECT_EQ(FreeFileName(longest, exists), u"");
    auto everything = [](const std::u16string&) { return true; };
    EXPECT_EQ(FreeFileName(u"a.txt", everything), u"");
}

TEST(SessionReceivedFileTest, DayFolderAndUploadFolder)
{
    std::tm date = {};
    date.tm_year = 2024 - 1900;
    date.tm_mon = 4;
    date.tm_mday = 7;
    EXPECT_EQ(DayFolderName(date), u"2024-05-07");
    EXPECT_EQ(UploadFolder(u"C:\\Lumora", u"2024-05-07", u"3-2"), u"C:\\Lumora\\StudentFile\\2024-05-07\\3-2");
    EXPECT_EQ(UploadFolder(u"C:\\Lumora", u"2024-05-07", u"..\\..\\x"), u"C:\\Lumora\\StudentFile\\2024-05-07");
}

TEST(SessionReceivedFileTest, PiecesOpenAppendAndCloseInOrder)
{
    CUploadPieceTracker tracker;
    UploadDecision d = tracker.Accept(3, 2, 0, kFilePieceSize);
    EXPECT_EQ(d.step, UploadStep::Open);
    EXPECT_FALSE(d.closeAfter);
    d = tracker.Accept(3, 2, 1, 10);
    EXPECT_EQ(d.step, UploadStep::Append);
    EXPECT_FALSE(d.closeAfter);
    d = tracker.Accept(3, 2, 2, 0);
    EXPECT_EQ(d.step, UploadStep::Append);
    EXPECT_TRUE(d.closeAfter);
    EXPECT_FALSE(tracker.IsOpen());

    EXPECT_TRUE(tracker.Accept(3, 0, 0, 0).closeAfter);    // an empty file: one empty piece 0
    // Not an upload: no answer at all.
    EXPECT_EQ(tracker.Accept(2, 1, 0, 5).step, UploadStep::Ignore);
}

TEST(SessionReceivedFileTest, PiecesOutOfOrderOrTooLargeAreRefused)
{
    CUploadPieceTracker tracker;
    EXPECT_EQ(tracker.Accept(3, 5, 1, 10).step, UploadStep::Refuse);          // nothing open
    EXPECT_EQ(tracker.Accept(3, 5, 0, kFilePieceSize + 1).step, UploadStep::Refuse);
    EXPECT_EQ(tracker.Accept(3, 5, 6, 0).step, UploadStep::Refuse);           // past the count

    ASSERT_EQ(tracker.Accept(3, 5, 0, 10).step, UploadStep::Open);
    EXPECT_EQ(tracker.Accept(3, 5, 2, 10).step, UploadStep::Refuse);          // piece 1 skipped
    EXPECT_FALSE(tracker.IsOpen());

    ASSERT_EQ(tracker.Accept(3, 5, 0, 10).step, UploadStep::Open);
    ASSERT_EQ(tracker.Accept(3, 5, 1, 10).step, UploadStep::Append);
    EXPECT_EQ(tracker.Accept(3, 5, 1, 10).step, UploadStep::Refuse);          // repeated
    ASSERT_EQ(tracker.Accept(3, 5, 0, 10).step, UploadStep::Open);
    EXPECT_EQ(tracker.Accept(3, 9, 1, 10).step, UploadStep::Refuse);          // count changed

    // A new piece 0 starts over even while a file is open (the old one is closed first).
    ASSERT_EQ(tracker.Accept(3, 5, 0, 10).step, UploadStep::Open);
    EXPECT_EQ(tracker.Accept(3, 1, 0, 10).step, UploadStep::Open);
    tracker.Reset();
    EXPECT_EQ(tracker.Accept(3, 1, 1, 0).step, UploadStep::Refuse);
}

TEST(SessionReceivedFileTest, SendingSidePieceCountAndProgress)
{
    EXPECT_EQ(FilePieceCount(0), 0u);
    EXPECT_EQ(FilePieceCount(307200), 1u);
    EXPECT_EQ(FilePieceCount(307201), 2u);
    EXPECT_EQ(FilePieceCount(~uint64_t{0}), 0xFFFFFFFFu);
    EXPECT_EQ(FileSendPercent(0, 0), 0);
    EXPECT_EQ(FileSendPercent(1, 3), 33);
    EXPECT_EQ(FileSendPercent(0xFFFFFFFFu, 0xFFFFFFFFu), 100);
}

} // namespace
