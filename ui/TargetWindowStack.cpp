#include "ui/TargetWindowStack.h"

#include "framework/CriticalSection.h"

#include <algorithm>
#include <vector>

namespace {

struct TargetWindows {
    CCriticalSection lock;
    std::vector<HWND> windows;
};

// Constructed on first use, so a window pushed during start-up finds it ready.
TargetWindows& Stack()
{
    static TargetWindows stack;
    return stack;
}

void EraseFirst(std::vector<HWND>& windows, HWND w)
{
    const auto found = std::find(windows.begin(), windows.end(), w);
    if (found != windows.end())
        windows.erase(found);
}

} // namespace

void PushTargetWindow(HWND w)
{
    if (!w)
        return;
    CCriticalSectionLock hold(Stack().lock);
    EraseFirst(Stack().windows, w);
    Stack().windows.push_back(w);
}

void RemoveTargetWindow(HWND w)
{
    CCriticalSectionLock hold(Stack().lock);
    EraseFirst(Stack().windows, w);
}

void ClearTargetWindows()
{
    CCriticalSectionLock hold(Stack().lock);
    Stack().windows.clear();
}

HWND TopTargetWindow()
{
    CCriticalSectionLock hold(Stack().lock);
    return Stack().windows.empty() ? nullptr : Stack().windows.back();
}
