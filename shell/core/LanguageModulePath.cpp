#include "shell/core/LanguageModulePath.h"

bool IsBuiltInLanguage(const std::wstring& code)
{
    return code == kBuiltInLanguage;
}

bool IsAcceptableLanguageCode(const std::wstring& code)
{
    if (code.empty()) return false;
    for (wchar_t ch : code) {
        if (ch < 0x20 || std::wstring(L"\\/:*?\"<>|").find(ch) != std::wstring::npos) return false;
    }
    return true;
}

std::wstring LanguageModulePath(const std::wstring& programFolder, const std::wstring& code)
{
    if (!IsAcceptableLanguageCode(code)) return std::wstring();
    return programFolder + L"\\language\\" + kLanguageModuleTitle + code + L".dll";
}
