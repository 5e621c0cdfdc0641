#include "framework/Afx.h"

#include <cstdarg>
#include <cstdio>

void AfxTrace(const wchar_t* format, ...)
{
    wchar_t text[2048];
    va_list args;
    va_start(args, format);
    _vsnwprintf(text, _countof(text) - 1, format, args);
    va_end(args);
    text[_countof(text) - 1] = L'\0';
    OutputDebugStringW(text);
}

void AfxTraceException(const wchar_t* where, const char* what) noexcept
{
    AfxTrace(L"Exception caught in %s: %S\n", where, what);
}
