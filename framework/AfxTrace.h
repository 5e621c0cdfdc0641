// Debug traces go to the debugger output.
#pragma once

void AfxTrace(const wchar_t* format, ...);

#define TRACE AfxTrace
