#include "shell/core/SelfUpdateScript.h"

namespace {

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + EscapeBatchPercent(path) + L"\"";
}

}  // namespace

std::wstring EscapeBatchPercent(const std::wstring& path)
{
    std::wstring escaped;
    escaped.reserve(path.size());
    for (wchar_t ch : path) {
        escaped += ch;
        if (ch == L'%') escaped += L'%';
    }
    return escaped;
}

std::wstring BuildSelfUpdateScript(const std::wstring& folder)
{
    const std::wstring newExe = Quoted(folder + L"\\" + kSelfUpdateNewExeName);
    const std::wstring exe = Quoted(folder + L"\\" + kSelfUpdateExeName);
    const std::wstring batch = Quoted(folder + L"\\" + kSelfUpdateBatchName);
    const std::wstring tries = std::to_wstring(kSelfUpdateMoveTries);

    const std::wstring lines[] = {
        L"@ECHO OFF",
        L"SET lumora_tries=0",
        L":move_exe",
        L"MOVE /Y " + newExe + L" " + exe + L" >NUL 2>&1",
        L"IF NOT EXIST " + newExe + L" GOTO start_exe",
        L"SET /A lumora_tries+=1",
        L"IF %lumora_tries% GEQ " + tries + L" GOTO remove_batch",
        // A pause that every cmd has: ping waits a second between its two echoes.
        L"PING -n 2 127.0.0.1 >NUL",
        L"GOTO move_exe",
        L":start_exe",
        // The empty title: start takes its first quoted argument as the window title.
        L"IF EXIST " + exe + L" START \"\" /D" + Quoted(folder) + L" /B " + exe,
        L":remove_batch",
        L"DEL " + batch,
    };
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    return text;
}
