// The batch file that puts a downloaded executable in place of the running one once the running
// one has ended, starts it, and deletes itself.
#pragma once

#include <string>

constexpr wchar_t kSelfUpdateNewExeName[] = L"Lumora Teacher.exec";
constexpr wchar_t kSelfUpdateExeName[] = L"Lumora Teacher.exe";
constexpr wchar_t kSelfUpdateBatchName[] = L"ZOZizadi.bat";

// How often the batch tries to move the new executable over the old one, about a second apart,
// before it gives up and leaves both files as they are.
constexpr int kSelfUpdateMoveTries = 60;

// The text for cmd, lines ending in CR LF, for the program folder (no trailing "\"). The move
// replaces the old executable in one step (MOVE /Y), so the folder always holds one; the old
// file stays locked while the old process runs, which is what the retries wait out. The new
// executable is started only when the move succeeded.
std::wstring BuildSelfUpdateScript(const std::wstring& folder);

// A path as literal batch text: every "%" doubled, so cmd does not expand it.
std::wstring EscapeBatchPercent(const std::wstring& path);
