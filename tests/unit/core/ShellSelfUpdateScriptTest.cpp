#include "shell/core/SelfUpdateScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) {
            lines.push_back(text.substr(start));   // a line without CR LF: caught below
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

const std::wstring kFolder = L"C:\\Lumora Teacher";

TEST(ShellSelfUpdateScriptTest, EveryLineEndsInCrLfAndNoLoneLineFeedAppears)
{
    const std::wstring text = BuildSelfUpdateScript(kFolder);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), L"\r\n");
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == L'\r') << "at " << i;
        }
    }
}

TEST(ShellSelfUpdateScriptTest, StartGivesAnEmptyTitleSoTheProgramIsNotTakenForOne)
{
    bool found = false;
    for (const std::wstring& line : Lines(BuildSelfUpdateScript(kFolder))) {
        const size_t at = line.find(L"START ");
        if (at == std::wstring::npos) continue;
        found = true;
        EXPECT_EQ(line.substr(at), L"START \"\" /D\"C:\\Lumora Teacher\" /B \"C:\\Lumora Teacher\\Lumora Teacher.exe\"");
    }
    EXPECT_TRUE(found);
}

TEST(ShellSelfUpdateScriptTest, TheOldExecutableIsReplacedInOneStepAndNeverDeleted)
{
    const std::wstring exe = L"\"C:\\Lumora Teacher\\Lumora Teacher.exe\"";
    const std::wstring newExe = L"\"C:\\Lumora Teacher\\Lumora Teacher.exec\"";
    int moves = 0;
    for (const std::wstring& line : Lines(BuildSelfUpdateScript(kFolder))) {
        EXPECT_FALSE(StartsWith(line, L"DEL ") && line.find(exe) != std::wstring::npos) << line;
        EXPECT_EQ(line.find(L"DEL " + newExe), std::wstring::npos) << line;
        if (StartsWith(line, L"MOVE ")) {
            ++moves;
            EXPECT_EQ(line, L"MOVE /Y " + newExe + L" " + exe + L" >NUL 2>&1");
        }
    }
    EXPECT_EQ(moves, 1);
}

TEST(ShellSelfUpdateScriptTest, RetriesPauseAndAreBounded)
{
    const std::vector<std::wstring> lines = Lines(BuildSelfUpdateScript(kFolder));
    std::wstring loop;
    bool inLoop = false;
    for (const std::wstring& line : lines) {
        if (line == L":move_exe") inLoop = true;
        if (inLoop) loop += line + L"\n";
        if (inLoop && line == L"GOTO move_exe") break;
    }
    ASSERT_FALSE(loop.empty());
    EXPECT_NE(loop.find(L"PING -n 2 127.0.0.1 >NUL"), std::wstring::npos);
    EXPECT_NE(loop.find(L"SET /A lumora_tries+=1"), std::wstring::npos);
    EXPECT_NE(loop.find(L"IF %lumora_tries% GEQ " + std::to_wstring(kSelfUpdateMoveTries) + L" GOTO remove_batch"),
              std::wstring::npos);
    EXPECT_EQ(lines.front(), L"@ECHO OFF");
    EXPECT_EQ(lines[1], L"SET lumora_tries=0");
    EXPECT_EQ(lines.back(), L"DEL \"C:\\Lumora Teacher\\ZOZizadi.bat\"");
}

TEST(ShellSelfUpdateScriptTest, PercentSignsInTheFolderAreDoubled)
{
    const std::wstring text = BuildSelfUpdateScript(L"D:\\100% sure\\%PATH%");
    EXPECT_EQ(EscapeBatchPercent(L"a%b%%c"), L"a%%b%%%%c");
    EXPECT_NE(text.find(L"/D\"D:\\100%% sure\\%%PATH%%\""), std::wstring::npos);
    // Apart from the script's own counter every "%" comes in pairs.
    std::wstring rest = text;
    for (size_t at; (at = rest.find(L"%lumora_tries%")) != std::wstring::npos;) rest.erase(at, 14);
    size_t run = 0;
    for (wchar_t ch : rest + L" ") {
        if (ch == L'%') {
            ++run;
        } else {
            EXPECT_EQ(run % 2, 0u);
            run = 0;
        }
    }
}

}  // namespace
