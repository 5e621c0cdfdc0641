#include "ShellTestFiles.h"
#include "foundation/AppGlobals.h"
#include "shell/InstanceCounter.h"
#include "shell/LanguageModule.h"
#include "shell/PenToolState.h"
#include "shell/SelfUpdate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ShellSelfUpdateTest, BatchIsWrittenInTheConsoleCodePageWithPercentsDoubled)
{
    ShellTempFolder temp;
    const CString folder = temp.File(L"50% \u00E9t\u00E9");   // é: one byte in the OEM pages
    ASSERT_TRUE(CreateDirectoryW(folder, nullptr));
    ASSERT_TRUE(WriteSelfUpdateBatch(folder));

    const std::string bytes = ReadFileBytes(folder + L"\\ZOZizadi.bat");
    char oemFolder[MAX_PATH * 2] = "";
    BOOL lossy = FALSE;
    CString doubled = folder;
    doubled.Replace(L"%", L"%%");
    ASSERT_GT(WideCharToMultiByte(CP_OEMCP, 0, doubled, -1, oemFolder, sizeof(oemFolder), nullptr, &lossy), 0);
    ASSERT_FALSE(lossy);
    EXPECT_NE(bytes.find(std::string("/D\"") + oemFolder + "\""), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find('\0'), std::string::npos);   // not UTF-16
    EXPECT_EQ(bytes.compare(0, 10, "@ECHO OFF\r"), 0);
}

TEST(ShellSelfUpdateTest, AFolderTheConsoleCannotSpellWritesNothing)
{
    ShellTempFolder temp;
    const CString folder = temp.File(L"\u0E01\u0E02");   // Thai: in neither the US nor the Korean OEM page
    ASSERT_TRUE(CreateDirectoryW(folder, nullptr));
    EXPECT_FALSE(WriteSelfUpdateBatch(folder));
    EXPECT_FALSE(FileExists(folder + L"\\ZOZizadi.bat"));
    EXPECT_FALSE(WriteSelfUpdateBatch(temp.File(L"no such folder")));
}

TEST(ShellInstanceCounterTest, AProcessCountsItselfOnceAndUncountsOnlyWhatItCounted)
{
    const LONG before = g_instanceCount;
    UncountThisInstance();                       // never counted: changes nothing
    EXPECT_EQ(g_instanceCount, before);
    EXPECT_EQ(CountThisInstance(), before + 1);
    EXPECT_EQ(CountThisInstance(), before + 1);   // a second call does not count again
    UncountThisInstance();
    UncountThisInstance();
    EXPECT_EQ(g_instanceCount, before);
}

TEST(ShellLanguageModuleTest, KoreanUsesTheProgramsOwnResources)
{
    CString language = L"Kor", path;
    EXPECT_EQ(LoadLanguageModuleFor(L"C:\\nowhere", language, path), AfxGetInstanceHandle());
    EXPECT_EQ(language, L"Kor");
}

TEST(ShellLanguageModuleTest, AMissingOrRefusedModuleFallsBackToKorean)
{
    ShellTempFolder temp;
    for (const wchar_t* code : {L"Eng", L"..\\..\\Eng", L"kor"}) {
        CString language = code, path;
        EXPECT_EQ(LoadLanguageModuleFor(temp.Path(), language, path), AfxGetInstanceHandle()) << code;
        EXPECT_EQ(language, L"Kor") << code;
    }
}

TEST(ShellLanguageModuleTest, AModuleInTheProgramsLanguageFolderIsLoadedWhateverTheCurrentFolder)
{
    ShellTempFolder temp;
    ASSERT_TRUE(CreateDirectoryW(temp.File(L"language"), nullptr));
    wchar_t system[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    // Any loadable library stands in for a resource module here.
    ASSERT_TRUE(CopyFileW(CString(system) + L"\\msimg32.dll", temp.File(L"language\\Lumora TeacherEng.dll"), FALSE));

    wchar_t previous[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(system);
    CString language = L"Eng", path;
    HINSTANCE module = LoadLanguageModuleFor(temp.Path(), language, path);
    SetCurrentDirectoryW(previous);

    ASSERT_NE(module, nullptr);
    EXPECT_NE(module, AfxGetInstanceHandle());
    EXPECT_EQ(language, L"Eng");
    EXPECT_EQ(path, temp.File(L"language\\Lumora TeacherEng.dll"));
    FreeLanguageModule(module);
}

class ShellPenToolTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kPenToolRegistryKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kPenToolRegistryKey); }

    static void Publish(const wchar_t* name, DWORD value)
    {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kPenToolRegistryKey, name, REG_DWORD, &value, sizeof(value)),
                  ERROR_SUCCESS);
    }
    static void Publish(const wchar_t* name, const wchar_t* text)
    {
        const DWORD size = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kPenToolRegistryKey, name, REG_SZ, text, size), ERROR_SUCCESS);
    }
};

TEST_F(ShellPenToolTest, WithoutTheKeyTheValuesStay)
{
    g_penToolWnd = reinterpret_cast<HWND>(0x1234);
    g_penToolState = 5;
    g_penToolPath = L"kept";
    ReadPenToolState();
    EXPECT_EQ(g_penToolWnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(g_penToolState, 5);
    EXPECT_EQ(g_penToolPath, L"kept");
}

TEST_F(ShellPenToolTest, PublishedValuesAreReadAndMissingOnesGetTheirDefaults)
{
    Publish(L"ProcessName", L"Inkvane.exe");
    ReadPenToolState();
    EXPECT_EQ(g_penToolWnd, NoPenToolWindow());
    EXPECT_EQ(g_penToolState, 0);
    EXPECT_EQ(g_penToolName, L"Inkvane.exe");
    EXPECT_EQ(g_penToolPath, L"");

    Publish(L"ProcessHWND", 0x10024u);
    Publish(L"ProcessState", 3u);
    Publish(L"ProcessPath", L"C:\\Inkvane\\Inkvane.exe");
    ReadPenToolState();
    EXPECT_EQ(g_penToolWnd, reinterpret_cast<HWND>(0x10024));
    EXPECT_EQ(g_penToolState, 3);
    EXPECT_EQ(g_penToolPath, L"C:\\Inkvane\\Inkvane.exe");
}

TEST_F(ShellPenToolTest, NothingStartsWithoutAnInstalledProgram)
{
    EXPECT_FALSE(StartPenTool());
    Publish(L"ProcessHWND", 0x10024u);
    Publish(L"ProcessPath", L"C:\\no such folder\\Inkvane.exe");
    EXPECT_FALSE(StartPenTool());
}

}  // namespace
