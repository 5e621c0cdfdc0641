// The resource module every user-visible text, dialog and bitmap comes from.
#pragma once

#include "framework/Afx.h"

// For the language code: the program's own resources for "Kor"; otherwise the module
// "<program folder>\language\Lumora Teacher<code>.dll". When that module is missing, cannot be
// loaded or the code would name a file outside the language folder, the code becomes "Kor" and
// the program's own resources serve. modulePath receives the path tried (empty when none).
HINSTANCE LoadLanguageModuleFor(const wchar_t* programFolder, CString& language, CString& modulePath);

// Frees a module LoadLanguageModuleFor loaded; the program's own module is left alone.
void FreeLanguageModule(HINSTANCE module);
