// The program's entry: runs the one global application object (CWinApp). wWinMain is used
// when the executable links with -municode, WinMain otherwise; both take the wide command line.
#include "framework/WinApp.h"

namespace {

// The arguments after the program name (which may be quoted) of the wide command line.
LPWSTR ArgumentsOf(LPWSTR commandLine)
{
    static wchar_t empty[] = L"";
    if (!commandLine)
        return empty;
    wchar_t* p = commandLine;
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"')
            ++p;
        if (*p == L'"')
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    return p;
}

} // namespace

extern "C" int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand)
{
    return AfxWinMain(instance, commandLine, showCommand);
}

extern "C" int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return AfxWinMain(instance, ArgumentsOf(GetCommandLineW()), showCommand);
}
