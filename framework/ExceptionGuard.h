// No exception crosses a window, dialog or thread procedure (nor a COM callback): each boundary
// runs its handler through this guard, which traces what was caught and where.
#pragma once

#include "framework/AfxTrace.h"

#include <exception>

// True when the call returned normally; false when it threw (the exception is traced and gone).
template <class Call>
bool AfxCallGuarded(const wchar_t* where, Call&& call) noexcept
{
    try {
        call();
        return true;
    } catch (const std::exception& e) {
        AfxTraceException(where, e.what());
    } catch (...) {
        AfxTraceException(where, "unknown exception");
    }
    return false;
}
