#include "SettingsTestApp.h"
#include "SettingsTestFiles.h"
#include "foundation/ConfigProfile.h"
#include "foundation/IniFile.h"
#include "foundation/IniSettings.h"
#include "foundation/Registry.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kScratchKey[] = L"Software\\LumoraFoundationTest";

class SettingsProfileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(AfxGetApp(), &SettingsTestApp()); }
};

TEST_F(SettingsProfileTest, ConfigValuesLiveUnderTheApplicationsProfileKey)
{
    EXPECT_EQ(GetConfigString(L"config", L"teacherid", L"none"), L"none");
    EXPECT_EQ(GetConfigInt(L"config", L"perrow", 5), 5);

    EXPECT_TRUE(SetConfigString(L"config", L"teacherid", L"\uAE40\uC120\uC0DD"));
    EXPECT_TRUE(SetConfigInt(L"config", L"perrow", -7));
    EXPECT_EQ(GetConfigString(L"config", L"teacherid", L"none"), L"\uAE40\uC120\uC0DD");
    EXPECT_EQ(GetConfigInt(L"config", L"perrow", 5), -7);

    CString section = CString(kTestProfileKey) + L"\\config";
    DWORD type = 0, value = 0, size = sizeof(value);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, section, L"perrow", RRF_RT_ANY, &type, &value, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, static_cast<DWORD>(-7));
    wchar_t text[64];
    size = sizeof(text);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, section, L"teacherid", RRF_RT_REG_SZ, &type, text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, L"\uAE40\uC120\uC0DD");
}

TEST_F(SettingsProfileTest, ProfileStringsWithoutTerminatorReadBackExactly)
{
    HKEY key = SettingsTestApp().GetSectionKey(L"raw");
    ASSERT_NE(key, nullptr);
    const wchar_t kText[] = L"abc";
    RegSetValueExW(key, L"unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>(kText), 3 * sizeof(wchar_t));
    RegSetValueExW(key, L"odd", 0, REG_SZ, reinterpret_cast<const BYTE*>(kText), 5);
    DWORD number = 3;
    RegSetValueExW(key, L"number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    RegCloseKey(key);

    EXPECT_EQ(GetConfigString(L"raw", L"unterminated", L""), L"abc");
    EXPECT_EQ(GetConfigString(L"raw", L"odd", L"").Left(2), L"ab");
    EXPECT_EQ(GetConfigString(L"raw", L"number", L"dflt"), L"dflt");   // not a string
    EXPECT_EQ(GetConfigInt(L"raw", L"unterminated", 9), 9);            // not a number
}

TEST(SettingsConfigIniTest, AMissingConfigIniGivesEveryDefault)
{
    CTempFolder folder;
    CString path = folder.File(L"config.ini");
    ASSERT_TRUE(EnsureUnicodeIniFile(path));
    EXPECT_EQ(ReadBytes(path), MarkedUtf16Le(L"[default]\r\n"));
    EXPECT_EQ(GetPrivateIpSetting(path), L"");
    EXPECT_EQ(GetSelectDisplayIp(path), 0);
    EXPECT_EQ(GetAndroidCaptureType(path), 1);
    EXPECT_FALSE(IsScreenShareButtonEnabled(path));
    EXPECT_EQ(GetEtcProgramList(path), L"");
}

TEST(SettingsConfigIniTest, ReadingRulesOfTheSharedKeys)
{
    CTempFolder folder;
    CString path = folder.File(L"config.ini");
    ASSERT_TRUE(EnsureUnicodeIniFile(path));

    struct IntCase {
        const wchar_t* key;
        const wchar_t* stored;
        int expected;
    } ints[] = {
        {L"androidcapturetype", L"0", 1},  {L"androidcapturetype", L"-3", 1}, {L"androidcapturetype", L"2", 2},
        {L"androidcapturetype", L"x", 1},  {L"selectdisplayip", L"", 0},      {L"selectdisplayip", L"3", 3},
        {L"selectdisplayip", L"2abc", 2},
    };
    for (const IntCase& c : ints) {
        ASSERT_TRUE(IniSetString(path, L"default", c.key, c.stored));
        int read = CString(c.key) == L"androidcapturetype" ? GetAndroidCaptureType(path) : GetSelectDisplayIp(path);
        EXPECT_EQ(read, c.expected) << CString(c.key).GetString() << "=" << CString(c.stored).GetString();
    }

    struct BoolCase {
        const wchar_t* stored;
        bool expected;
    } bools[] = {{L"true", true}, {L"TRUE", false}, {L"True", false}, {L"1", false}, {L"false", false}};
    for (const BoolCase& c : bools) {
        ASSERT_TRUE(IniSetString(path, L"default", L"screensharebtnenable", c.stored));
        EXPECT_EQ(IsScreenShareButtonEnabled(path), c.expected) << CString(c.stored).GetString();
    }

    ASSERT_TRUE(IniSetString(path, L"default", L"privateip", L"192.168.0.10"));
    EXPECT_EQ(GetPrivateIpSetting(path), L"192.168.0.10");
    EXPECT_TRUE(SetEtcProgramList(path, L"game.exe|\uAC8C\uC784.exe"));
    EXPECT_EQ(GetEtcProgramList(path), L"game.exe|\uAC8C\uC784.exe");
}

TEST(SettingsGroupTest, GroupListJoinsNamesWithDollars)
{
    CTempFolder folder;
    CString path = folder.File(L"groupinfo.ini");
    ASSERT_TRUE(CreateUnicodeIniFile(path));

    auto names = [](std::initializer_list<const wchar_t*> list) {
        CStringArray array;
        for (const wchar_t* name : list) array.Add(name);
        return array;
    };
    EXPECT_TRUE(SaveGroupList(path, names({L"A", L"B", L"C"})));
    EXPECT_EQ(GetGroupList(path), L"A$B$C");
    EXPECT_TRUE(SaveGroupList(path, names({})));
    EXPECT_EQ(GetGroupList(path), L"");
    EXPECT_EQ(JoinGroupNames(names({L"", L"A", L"B"})), L"A$B");
    EXPECT_EQ(JoinGroupNames(names({L"\uBC18", L"B"})), L"\uBC18$B");
    EXPECT_TRUE(SetGroupList(path, L"x$y"));
    EXPECT_EQ(GetGroupList(path), L"x$y");
}

TEST(SettingsGroupTest, EachGroupKeepsItsKeysInItsOwnSection)
{
    CTempFolder folder;
    CString path = folder.File(L"groupinfo.ini");
    ASSERT_TRUE(CreateUnicodeIniFile(path));

    EXPECT_TRUE(SetGroupSlots(path, L"\uBC18 1", L"1,2,5"));
    EXPECT_TRUE(SetGroupPartRect(path, L"\uBC18 1", L"0,0,800,600"));
    EXPECT_TRUE(SetGroupPerRow(path, L"\uBC18 1", L"4"));
    EXPECT_TRUE(SetGroupSlots(path, L"B", L"7"));

    EXPECT_EQ(GetGroupSlots(path, L"\uBC18 1"), L"1,2,5");
    EXPECT_EQ(GetGroupPartRect(path, L"\uBC18 1"), L"0,0,800,600");
    EXPECT_EQ(GetGroupPerRow(path, L"\uBC18 1"), L"4");
    EXPECT_EQ(GetGroupSlots(path, L"B"), L"7");
    EXPECT_EQ(GetGroupPerRow(path, L"B"), L"");
    EXPECT_EQ(GetGroupSlots(path, L"C"), L"");
    EXPECT_EQ(GetGroupSlots(path, L""), L"");
    EXPECT_FALSE(SetGroupSlots(path, L"", L"1"));
}

class SettingsRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey); }
};

TEST_F(SettingsRegistryTest, CreatesWritesAndReadsValues)
{
    CRegistry registry;
    ASSERT_TRUE(registry.CreateKey(CString(kScratchKey) + L"\\Pen\\"));
    EXPECT_EQ(registry.GetKeyPath(), CString(kScratchKey) + L"\\Pen");
    EXPECT_TRUE(registry.WriteString(L"name", L"Inkvane Pen"));
    EXPECT_EQ(registry.GetLastDataSize(), 12u * sizeof(wchar_t));   // the terminator counts
    EXPECT_EQ(registry.ReadString(L"name"), L"Inkvane Pen");
    EXPECT_EQ(registry.ReadDWORD(L"state", 42), 42u);

    DWORD state = 2;
    RegSetValueExW(registry.GetKey(), L"state", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&state), sizeof(state));
    EXPECT_EQ(registry.ReadDWORD(L"state", 42), 2u);
    EXPECT_EQ(registry.ReadDWORD(L"name", 42), 42u);   // a string is no DWORD
    EXPECT_EQ(registry.ReadString(L"state"), L"");
    EXPECT_EQ(registry.ReadString(L"missing"), L"");
    EXPECT_EQ(registry.GetLastResult(), ERROR_FILE_NOT_FOUND);

    const wchar_t kPath[] = L"C:\\Pen\\pen.exe";
    RegSetValueExW(registry.GetKey(), L"raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(kPath), 14 * sizeof(wchar_t));
    EXPECT_EQ(registry.ReadString(L"raw"), kPath);   // stored without its terminator
}

TEST_F(SettingsRegistryTest, ReadOnlyOpensForReadingAndRefusesChanges)
{
    {
        CRegistry writer;
        ASSERT_TRUE(writer.CreateKey(CString(kScratchKey) + L"\\Pen"));
        ASSERT_TRUE(writer.WriteString(L"path", L"C:\\pen.exe"));
    }
    CRegistry reader(HKEY_CURRENT_USER, true);
    EXPECT_FALSE(reader.CreateKey(CString(kScratchKey) + L"\\Other"));
    ASSERT_TRUE(reader.OpenKey(CString(kScratchKey) + L"\\Pen\\"));
    EXPECT_EQ(reader.ReadString(L"path"), L"C:\\pen.exe");
    EXPECT_FALSE(reader.WriteString(L"path", L"D:\\other.exe"));
    EXPECT_EQ(reader.ReadString(L"path"), L"C:\\pen.exe");

    // A failed open keeps the key that was open.
    EXPECT_FALSE(reader.OpenKey(L"NoSuchSubkey"));
    EXPECT_EQ(reader.ReadString(L"path"), L"C:\\pen.exe");
}

TEST_F(SettingsRegistryTest, ChainedOpensWalkDownFromTheCurrentKey)
{
    CRegistry registry;
    ASSERT_TRUE(registry.CreateKey(kScratchKey));
    ASSERT_TRUE(registry.CreateKey(L"a\\b"));
    ASSERT_TRUE(registry.WriteString(L"v", L"deep"));

    CRegistry walker(HKEY_CURRENT_USER, true);
    ASSERT_TRUE(walker.OpenKey(kScratchKey));
    ASSERT_TRUE(walker.OpenKey(L"a"));
    ASSERT_TRUE(walker.OpenKey(L"b"));
    EXPECT_EQ(walker.ReadString(L"v"), L"deep");
}

} // namespace
