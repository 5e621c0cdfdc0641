#include "foundation/core/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

TEST(SettingsEncodingTest, SniffsEachKindOfSettingsFile)
{
    struct Case {
        const char* name;
        std::string bytes;
        TextFileEncoding expected;
    } cases[] = {
        {"marked UTF-16LE", std::string("\xFF\xFE[\0", 4), TextFileEncoding::Utf16LeMarked},
        {"mark alone", std::string("\xFF\xFE", 2), TextFileEncoding::Utf16LeMarked},
        {"marked UTF-16BE", std::string("\xFE\xFF\0[", 4), TextFileEncoding::Utf16BigEndian},
        {"UTF-8 with mark", "\xEF\xBB\xBF[default]\r\n", TextFileEncoding::Utf8},
        {"UTF-8 without mark", "[default]\r\nname=\xED\x95\x9C\r\n", TextFileEncoding::Utf8},
        {"four-byte UTF-8", "a=\xF0\x9F\x98\x80", TextFileEncoding::Utf8},
        {"pure ASCII", "[default]\r\nkey=value\r\n", TextFileEncoding::Ansi},
        {"empty", "", TextFileEncoding::Ansi},
        {"one byte", "a", TextFileEncoding::Ansi},
        {"Korean ANSI (CP949)", "[default]\r\nname=\xC7\xD1\xB1\xDB\r\n", TextFileEncoding::Ansi},
        {"lone continuation byte", "a=\x80", TextFileEncoding::Ansi},
        {"overlong lead C0", "a=\xC0\x80", TextFileEncoding::Ansi},
        {"lead F5", "a=\xF5\x80\x80\x80", TextFileEncoding::Ansi},
        {"UTF-16LE without mark", std::string("[\0d\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 20), TextFileEncoding::Utf16LeUnmarked},
        {"UTF-16BE without mark", std::string("\0[\0d\0]\0\r\0\n\0k", 12), TextFileEncoding::Utf16BigEndian},
        {"UTF-16 without line breaks", std::string("k\0=\0v\0", 6), TextFileEncoding::Ansi},
        {"both byte orders of line breaks", std::string("\r\0\0\n", 4), TextFileEncoding::Ansi},
    };
    for (const Case& c : cases) EXPECT_EQ(SniffTextFileEncoding(Bytes(c.bytes)), c.expected) << c.name;
}

TEST(SettingsEncodingTest, Utf8ValidityStopsAtTheFirstZeroAndToleratesACutOffTail)
{
    // Valid UTF-8 before a zero byte decides, whatever follows it.
    EXPECT_EQ(SniffTextFileEncoding(Bytes(std::string("\xC3\xA9\0\xFF\xFF", 5))), TextFileEncoding::Utf8);
    // A sequence cut off by the end counts only after a complete one.
    EXPECT_TRUE(LooksLikeUtf8(reinterpret_cast<const uint8_t*>("\xC3\xA9\xE2\x82"), 4));
    EXPECT_FALSE(LooksLikeUtf8(reinterpret_cast<const uint8_t*>("ab\xE2\x82"), 4));
    // A cut-off sequence in the middle is no cut-off at all.
    EXPECT_FALSE(LooksLikeUtf8(reinterpret_cast<const uint8_t*>("\xC3\xA9\xE2\x82z"), 5));
    EXPECT_FALSE(LooksLikeUtf8(nullptr, 0));
}

TEST(SettingsEncodingTest, UnmarkedUtf16BecomesMarkedLittleEndian)
{
    std::vector<uint8_t> little = Bytes(std::string("a\0\r\0\n\0", 6));
    EXPECT_EQ(ToMarkedUtf16Le(little, TextFileEncoding::Utf16LeUnmarked),
              Bytes(std::string("\xFF\xFE" "a\0\r\0\n\0", 8)));

    std::vector<uint8_t> big = Bytes(std::string("\0a\xD5\x5C\0\r\0\n", 8));
    EXPECT_EQ(ToMarkedUtf16Le(big, TextFileEncoding::Utf16BigEndian),
              Bytes(std::string("\xFF\xFE" "a\0\x5C\xD5\r\0\n\0", 10)));

    // A big-endian mark turns into the little-endian one, never into two marks.
    std::vector<uint8_t> markedBig = Bytes(std::string("\xFE\xFF\0a", 4));
    EXPECT_EQ(ToMarkedUtf16Le(markedBig, TextFileEncoding::Utf16BigEndian), Bytes(std::string("\xFF\xFE" "a\0", 4)));

    // A dangling odd byte is not half a character.
    EXPECT_EQ(ToMarkedUtf16Le(Bytes(std::string("a\0\r\0\n\0x", 7)), TextFileEncoding::Utf16LeUnmarked),
              Bytes(std::string("\xFF\xFE" "a\0\r\0\n\0", 8)));
}

TEST(SettingsEncodingTest, BackupNamesKeepTheExtensionAtTheEnd)
{
    EXPECT_EQ(MakeBackupFileName(L"C:\\prog\\config.ini", L"20240517", 1), L"C:\\prog\\config_2024051701.ini");
    EXPECT_EQ(MakeBackupFileName(L"C:\\prog\\config.ini", L"20240517", 99), L"C:\\prog\\config_2024051799.ini");
    EXPECT_EQ(MakeBackupFileName(L"C:\\my.dir\\settings", L"20240101", 7), L"C:\\my.dir\\settings_2024010107");
    EXPECT_EQ(MakeBackupFileName(L"a.b.ini", L"20240101", 12), L"a.b_2024010112.ini");
}

} // namespace
