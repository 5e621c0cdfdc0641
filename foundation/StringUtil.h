// Splitting texts, "\n"-separated lists, and code-page conversions.
#pragma once

#include "framework/AfxString.h"
#include "framework/StringArray.h"

#include <string>

// See SplitText: quotes dropped, every piece appended (the last one too), "\r\n" as "\n" when
// splitting lines; an empty text gives an empty array.
void SplitString(const CString& text, const CString& delimiter, CStringArray& pieces);

// The list holds items separated by "\n" (registry values such as the recent folders).
void AddToLineList(CString& list, const CString& item);
void RemoveFromLineList(CString& list, const CString& item);

CString AnsiToWide(const std::string& text);
CString Utf8ToWide(const std::string& text);
// Characters the ANSI code page lacks become "?".
std::string WideToAnsi(const wchar_t* text);
