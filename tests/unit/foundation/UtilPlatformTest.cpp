#include "SettingsTestFiles.h"
#include "foundation/Util.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace {

bool IsMacText(const CString& text)
{
    if (text.GetLength() != 17) return false;
    for (int i = 0; i < 17; ++i) {
        wchar_t ch = text[i];
        bool ok = i % 3 == 2 ? ch == L':' : (iswdigit(ch) || (ch >= L'A' && ch <= L'F'));
        if (!ok) return false;
    }
    return true;
}

CString ReadLayerValue(const wchar_t* exePath)
{
    wchar_t text[512] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, kAppCompatLayersKey, exePath, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return text;
}

void DeleteLayerValue(const wchar_t* exePath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kAppCompatLayersKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, exePath);
    RegCloseKey(key);
}

TEST(UtilPlatformTest, SetAppCompatLayerTwiceLeavesOneFlag)
{
    const wchar_t kExe[] = L"C:\\Program Files\\Lumora Test\\Lumora Teacher.exe";
    DeleteLayerValue(kExe);
    EXPECT_TRUE(SetAppCompatLayer(kExe, L"HIGHDPIAWARE"));
    EXPECT_TRUE(SetAppCompatLayer(kExe, L"HIGHDPIAWARE"));
    EXPECT_EQ(ReadLayerValue(kExe), L"HIGHDPIAWARE");

    const wchar_t kOther[] = L"C:\\Program Files\\Lumora Test\\other.exe";
    DeleteLayerValue(kOther);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kAppCompatLayersKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t kExisting[] = L"~ RUNASADMIN";
    RegSetValueExW(key, kOther, 0, REG_SZ, reinterpret_cast<const BYTE*>(kExisting), sizeof(kExisting));
    RegCloseKey(key);
    EXPECT_TRUE(SetAppCompatLayer(kOther, L"HIGHDPIAWARE"));
    EXPECT_TRUE(SetAppCompatLayer(kOther, L"HIGHDPIAWARE"));
    EXPECT_EQ(ReadLayerValue(kOther), L"~ RUNASADMIN HIGHDPIAWARE");

    DeleteLayerValue(kExe);
    DeleteLayerValue(kOther);
}

TEST(UtilPlatformTest, FirewallCommandDoublesThePathsBackslashes)
{
    EXPECT_EQ(MakeFirewallCommand(L"C:\\Program Files\\Lumora\\Lumora Teacher.exe", L"Lumora Teacher"),
              L"netsh firewall add allowedprogram \"C:\\\\Program Files\\\\Lumora\\\\Lumora Teacher.exe\" "
              L"\"Lumora Teacher\" ENABLE");
    EXPECT_EQ(MakeFirewallCommand(L"\\\\server\\share\\a.exe", L"A"),
              L"netsh firewall add allowedprogram \"\\\\\\\\server\\\\share\\\\a.exe\" \"A\" ENABLE");
    // Wine's netsh does not implement the firewall context; the call only has to start it.
    EXPECT_TRUE(AddFirewallException(GetModulePath(), L"Lumora Foundation Test"));
}

TEST(UtilPlatformTest, MakeDirectoriesCreatesEveryMissingFolder)
{
    CTempFolder folder;
    CString target = folder.Path() + L"/a/./b/../c\\d";
    EXPECT_TRUE(MakeDirectories(target));
    EXPECT_TRUE(PathExists(folder.File(L"a\\c\\d")));
    EXPECT_FALSE(PathExists(folder.File(L"a\\b")));
    EXPECT_TRUE(MakeDirectories(folder.File(L"a\\c\\d")));   // already there

    ASSERT_TRUE(WriteBytes(folder.File(L"file"), "x"));
    EXPECT_FALSE(MakeDirectories(folder.File(L"file\\sub")));
    EXPECT_FALSE(MakeDirectories(L""));
}

TEST(UtilPlatformTest, FileVersionFallsBackWithoutAVersionBlock)
{
    EXPECT_EQ(GetExeFileVersion(), L"1.0.0.0");   // the test program carries no version resource
    EXPECT_EQ(GetFileVersionText(L"C:\\no\\such\\file.exe"), L"1.0.0.0");

    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    CString version = GetFileVersionText(CString(system) + L"\\kernel32.dll");
    EXPECT_NE(version, L"1.0.0.0");
    EXPECT_NE(version, L"Unable to get Version Info");
    EXPECT_NE(version.Find(L'.'), -1) << version.GetString();
}

TEST(UtilPlatformTest, ModulePathsAndRunningProcesses)
{
    CString path = GetModulePath();
    CString folder = GetModuleDirectory();
    ASSERT_FALSE(folder.IsEmpty());
    EXPECT_EQ(path.Left(folder.GetLength() + 1), folder + L"\\");
    CString name = path.Mid(folder.GetLength() + 1);
    EXPECT_EQ(name.Find(L'\\'), -1);

    EXPECT_TRUE(IsProcessRunning(name));
    EXPECT_TRUE(IsProcessRunning(CString(name).MakeUpper()));
    EXPECT_FALSE(IsProcessRunning(L"Lumora Login Server.exe"));
    EXPECT_FALSE(IsProcessRunning(L""));
}

TEST(UtilPlatformTest, ClipboardTakesPlainAndUnicodeTextOnlyAndKeepsItsOwner)
{
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    ASSERT_TRUE(CopyTextToClipboard(owner, CF_UNICODETEXT, L"\uC548\uB155 clip"));
    EXPECT_EQ(GetClipboardOwner(), owner);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(data)), L"\uC548\uB155 clip");
    GlobalUnlock(data);
    CloseClipboard();

    ASSERT_TRUE(CopyTextToClipboard(owner, CF_TEXT, L"plain"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "plain");
    GlobalUnlock(data);
    CloseClipboard();

    EXPECT_FALSE(CopyTextToClipboard(owner, CF_BITMAP, L"x"));
    EXPECT_FALSE(CopyTextToClipboard(owner, CF_UNICODETEXT, nullptr));
    ::DestroyWindow(owner);
}

TEST(UtilPlatformTest, OsVersionAndNetworkAdapters)
{
    GetOSVersion();
    EXPECT_EQ(g_osPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(g_osMajorVersion, 5u);

    CStringArray addresses;
    addresses.Add(L"stale");
    CString first = GetLocalIPList(addresses);
    for (int i = 0; i < addresses.GetSize(); ++i) {
        EXPECT_FALSE(addresses[i].IsEmpty());
        EXPECT_NE(addresses[i], L"0.0.0.0");
    }
    EXPECT_EQ(first, addresses.IsEmpty() ? CString(L"0.0.0.0") : addresses[0]);

    CStringArray macs;
    int count = GetMacAddresses(macs);
    EXPECT_EQ(count, macs.GetSize());
    for (int i = 0; i < macs.GetSize(); ++i) EXPECT_TRUE(IsMacText(macs[i])) << macs[i].GetString();
    if (!addresses.IsEmpty()) {
        EXPECT_EQ(GetMacAddresses(macs, addresses[0]), 1);
    }
    EXPECT_EQ(GetMacAddresses(macs, L"203.0.113.77"), 0);
    EXPECT_TRUE(macs.IsEmpty());
}

TEST(UtilPlatformTest, SessionUserAndDesktopFallBackToTheCurrentUser)
{
    wchar_t user[256];
    DWORD length = 256;
    ASSERT_TRUE(GetUserNameW(user, &length));
    // Wine lists no terminal sessions and runs no explorer.exe: the current session's user and
    // the current user's Desktop value are the fallbacks taken.
    EXPECT_EQ(GetActiveSessionUserName().CompareNoCase(user), 0) << GetActiveSessionUserName().GetString();
    CString sid = GetExplorerUserSid();
    if (!sid.IsEmpty()) {
        EXPECT_EQ(sid.Left(4), L"S-1-") << sid.GetString();
    }

    CString desktop = GetUserDesktopPath();
    wchar_t shellValue[MAX_PATH] = {};
    DWORD size = sizeof(shellValue);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                           L"Desktop", RRF_RT_REG_SZ, nullptr, shellValue, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(desktop, shellValue);
}

TEST(UtilPlatformTest, MonitorsAreListedAndFoundByPoint)
{
    std::vector<RECT> rects;
    POINT origin{0, 0};
    int index = GetMonitorRects(rects, origin);
    ASSERT_FALSE(rects.empty());
    ASSERT_GE(index, 0);
    EXPECT_TRUE(PtInRect(&rects[static_cast<size_t>(index)], origin));
    EXPECT_EQ(GetMonitorRects(rects, POINT{-100000, -100000}), -1);
}

TEST(UtilPlatformTest, StringHelpersOverFrameworkTypes)
{
    CStringArray pieces;
    pieces.Add(L"stale");
    SplitString(L"\"a\",b,", L",", pieces);
    ASSERT_EQ(pieces.GetSize(), 3);
    EXPECT_EQ(pieces[0], L"a");
    EXPECT_EQ(pieces[2], L"");

    EXPECT_EQ(Utf8ToWide("\xED\x95\x9C"), L"\uD55C");
    if (GetACP() == 1252) {
        EXPECT_EQ(AnsiToWide("caf\xE9"), L"caf\u00E9");
        EXPECT_EQ(WideToAnsi(L"caf\u00E9 \uD55C"), "caf\xE9 ?");
    }
}

} // namespace
