#include "shell/InstanceCounter.h"

// The section's name and its shared flag make the linker mark it shared: the loader then maps
// one copy for all processes of this executable file.
volatile LONG g_instanceCount __attribute__((section("Shared"), shared)) = 0;

namespace {

LONG g_countedIn = 0;   // this process only

}  // namespace

LONG CountThisInstance()
{
    if (InterlockedExchange(&g_countedIn, 1) != 0) return g_instanceCount;
    return InterlockedIncrement(&g_instanceCount);
}

void UncountThisInstance()
{
    if (InterlockedExchange(&g_countedIn, 0) == 1) InterlockedDecrement(&g_instanceCount);
}
