#include "framework/Afx.h"

#include <cstdarg>
#include <cstdio>

void AfxTrace(const wchar_t* format, ...)
{
    wchar_t text[1024];
    va_list args;
    va_start(args, format);
    _vsnwprintf(text, _countof(text) - 1, format, args);
    va_end(args);
    text[_countof(text) - 1] = L'\0';
    OutputDebugStringW(text);
}
