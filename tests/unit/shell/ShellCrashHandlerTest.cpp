#include "ShellTestFiles.h"
#include "foundation/FileUtil.h"
#include "shell/CrashHandler.h"

#include <gtest/gtest.h>

#include <exception>
#include <string>

namespace {

// Installs the handler for one test and puts the process's own handlers back afterwards, so a
// failing test elsewhere does not end in the crash message box.
class ShellCrashHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_filterBefore = SetUnhandledExceptionFilter(nullptr);
        m_terminateBefore = std::get_terminate();
        InstallCrashHandler();
        m_dumpPath = GetModuleDirectory() + L"\\LumoraDump.dmp";
        DeleteFileW(m_dumpPath);
    }
    void TearDown() override
    {
        SetUnhandledExceptionFilter(m_filterBefore);
        std::set_terminate(m_terminateBefore);
        DeleteFileW(m_dumpPath);
    }

    LPTOP_LEVEL_EXCEPTION_FILTER m_filterBefore = nullptr;
    std::terminate_handler m_terminateBefore = nullptr;
    CString m_dumpPath;
};

TEST_F(ShellCrashHandlerTest, InstallingTakesOverTheFilterAndTerminate)
{
    EXPECT_EQ(SetUnhandledExceptionFilter(CrashExceptionFilter), CrashExceptionFilter);
    EXPECT_NE(std::get_terminate(), m_terminateBefore);
}

TEST_F(ShellCrashHandlerTest, TheDumpIsAMinidumpInTheProgramFolder)
{
    ASSERT_TRUE(WriteCrashDump(nullptr));
    const std::string bytes = ReadFileBytes(m_dumpPath);
    ASSERT_GT(bytes.size(), 32u);
    EXPECT_EQ(bytes.substr(0, 4), "MDMP");

    // Written anew each time, not appended to.
    ASSERT_TRUE(WriteCrashDump(nullptr));
    EXPECT_LT(ReadFileBytes(m_dumpPath).size(), bytes.size() * 2);
}

TEST_F(ShellCrashHandlerTest, TheMessageMentionsTheDumpOnlyWhenOneWasWritten)
{
    const std::wstring englishWith = CrashMessageText(false, true);
    const std::wstring englishWithout = CrashMessageText(false, false);
    const std::wstring koreanWith = CrashMessageText(true, true);
    const std::wstring koreanWithout = CrashMessageText(true, false);
    EXPECT_NE(englishWith.find(L"Dump file has been generated"), std::wstring::npos);
    EXPECT_EQ(englishWithout, L"Lumora Teacher ended unexpectedly.");
    EXPECT_NE(koreanWith.find(L"LumoraDump.dmp"), std::wstring::npos);
    EXPECT_EQ(koreanWithout.find(L"LumoraDump.dmp"), std::wstring::npos);
    EXPECT_EQ(koreanWith.compare(0, koreanWithout.size(), koreanWithout), 0);
}

}  // namespace
