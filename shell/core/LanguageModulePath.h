// Where the resource module of a language lives: "<program folder>\language\<title><code>.dll".
#pragma once

#include <string>

constexpr wchar_t kBuiltInLanguage[] = L"Kor";
constexpr wchar_t kLanguageModuleTitle[] = L"Lumora Teacher";

// The built-in resources serve exactly "Kor" (case matters).
bool IsBuiltInLanguage(const std::wstring& code);

// A code names a module inside the language folder only: empty codes, control characters and
// the characters that make or break a path (\ / : * ? " < > |) are refused.
bool IsAcceptableLanguageCode(const std::wstring& code);

// The module's full path for the program folder (no trailing "\"); empty for a refused code.
std::wstring LanguageModulePath(const std::wstring& programFolder, const std::wstring& code);
