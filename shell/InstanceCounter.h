// The number of running consoles, kept in a data section that every process started from the
// same executable file shares.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

extern volatile LONG g_instanceCount;

// Counts this process in (once) and gives the count including it.
LONG CountThisInstance();

// Counts this process out again, only when CountThisInstance counted it in, so a console that
// ended before it was counted never lowers the others' count.
void UncountThisInstance();
