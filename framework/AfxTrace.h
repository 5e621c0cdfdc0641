// Debug traces go to the debugger output.
#pragma once

void AfxTrace(const wchar_t* format, ...);
// "Exception caught in <where>: <what>", for the boundaries no exception may cross.
void AfxTraceException(const wchar_t* where, const char* what) noexcept;

#define TRACE AfxTrace
