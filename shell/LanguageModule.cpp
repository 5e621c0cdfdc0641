#include "shell/LanguageModule.h"

#include "shell/core/LanguageModulePath.h"

HINSTANCE LoadLanguageModuleFor(const wchar_t* programFolder, CString& language, CString& modulePath)
{
    const std::wstring code = language.Str();
    modulePath = CString(LanguageModulePath(programFolder, code));
    if (IsBuiltInLanguage(code)) return AfxGetInstanceHandle();
    HINSTANCE module = modulePath.IsEmpty() ? nullptr : LoadLibraryW(modulePath);
    if (module) return module;
    language = kBuiltInLanguage;
    return AfxGetInstanceHandle();
}

void FreeLanguageModule(HINSTANCE module)
{
    if (module && module != AfxGetInstanceHandle()) FreeLibrary(module);
}
