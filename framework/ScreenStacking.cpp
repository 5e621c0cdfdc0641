#include "framework/ScreenStacking.h"

#include "framework/CriticalSection.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

// The windows a window owns stay where they are (see BringToFront).
constexpr UINT kInPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
// Wine raises a window again when the X server's answer to a focus change comes back, after
// the first restack has run; the second one comes when that answer has long been handled.
constexpr UINT kSecondRestackMs = 400;
// A restack that finds another thread's under way comes back after it.
constexpr UINT kRestackRetryMs = 50;

// One restack at a time in the process: two threads moving the same windows by turns would
// leave them in neither's order. It is never waited for (its holder waits for the threads of
// the windows it moves), only tried.
CCriticalSection g_restackLock;

thread_local HHOOK t_stackingHook = nullptr;
// The top-level window with a restack on its way, so that a burst of focus changes asks once.
thread_local HWND t_restackPending = nullptr;

bool IsTopMost(HWND window)
{
    return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool IsOwnVisibleWindow(HWND window)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId() && ::IsWindowVisible(window);
}

HWND FirstVisibleWindow()
{
    for (HWND window = ::GetTopWindow(nullptr); window; window = ::GetWindow(window, GW_HWNDNEXT))
        if (::IsWindowVisible(window))
            return window;
    return nullptr;
}

// Makes the window the first visible one, which Wine raises on X. Hidden windows in front of
// the first visible one (a toolbar's tooltips, which stay in front of their owner) stay where
// they are, and the window is put just behind them: a click between two such moves still
// finds each window where it belongs but for the moment of one move. A window that is the
// first visible already would not move, so a top-most one leaves its band for a moment.
void BringToFront(HWND window)
{
    const bool topMost = IsTopMost(window);
    HWND first = FirstVisibleWindow();
    if (first == window) {
        if (!topMost)
            return;
        ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kInPlace);
        first = FirstVisibleWindow();
    }
    if (!topMost) {
        // A top-most window shown in front (one the restack does not move, or one shown on
        // another thread meanwhile) would keep it from the first place, and Wine would leave it
        // where it stands on X: a bar's back layer raised just before stayed over the bar. So it
        // steps into the top-most band for a moment, and back to the front of the ordinary ones.
        if (first && first != window && IsTopMost(first)) {
            ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kInPlace);
            ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kInPlace);
        }
        // Its owned windows (a modeless dialog of the main frame) come along, in front of it.
        ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, kInPlace & ~SWP_NOOWNERZORDER);
        return;
    }
    HWND after = first && IsTopMost(first) ? ::GetWindow(first, GW_HWNDPREV) : nullptr;
    ::SetWindowPos(window, after ? after : HWND_TOPMOST, 0, 0, 0, 0, kInPlace);
}

bool IsToolTip(HWND window)
{
    wchar_t name[32] = {};
    return ::GetClassNameW(window, name, 32) && ::lstrcmpiW(name, TOOLTIPS_CLASSW) == 0;
}


bool IsOwnerOf(HWND owner, HWND window)
{
    for (HWND up = ::GetWindow(window, GW_OWNER); up; up = ::GetWindow(up, GW_OWNER))
        if (up == owner)
            return true;
    return false;
}

std::vector<HWND> OwnVisibleWindowsInFrontOf(HWND window)
{
    std::vector<HWND> inFront;   // nearest first
    for (HWND above = ::GetWindow(window, GW_HWNDPREV); above; above = ::GetWindow(above, GW_HWNDPREV))
        if (IsOwnVisibleWindow(above))
            inFront.push_back(above);
    return inFront;
}

// A tooltip up in front (the pointer rests on a toolbar's button) would stay the first visible
// window while its owner is moved, and Wine would never raise the owner on X: it goes, as a
// tooltip does when the windows around it change, and comes back at the pointer's next move.
void PopToolTips(const std::vector<HWND>& windows)
{
    for (HWND window : windows)
        if (IsToolTip(window))
            ::SendMessageW(window, TTM_POP, 0, 0);
}

// The windows to bring forward, nearest first, and one window of each other thread that owns
// some of them, in turn asked to carry the restack on (see BringForward).
struct RestackPlan {
    std::vector<HWND> windows;
    std::vector<HWND> hostWindows;
    size_t nextThread = 0;
};

std::vector<HWND> OneWindowOfEachOtherThread(const std::vector<HWND>& windows)
{
    std::vector<DWORD> seen{::GetCurrentThreadId()};
    std::vector<HWND> hosts;
    for (HWND window : windows) {
        const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
        if (std::find(seen.begin(), seen.end(), thread) == seen.end()) {
            seen.push_back(thread);
            hosts.push_back(window);
        }
    }
    return hosts;
}

// A thread finds the window a press belongs to by the z-order when it takes the press in, and
// each window brought forward is in front of the ones not yet moved for a moment: a thread that
// took a press in during the restack could give it to such a window (a click on a toolbar reached
// the surface behind it). So every other thread with windows to move is asked in turn, each from
// inside the last one's request, and the last one moves them all: the others wait in that
// request meanwhile, taking in the moves of their windows but no input. A window that does not
// answer (not one of the framework's) leaves its thread out.
void BringForward(RestackPlan& plan)
{
    while (plan.nextThread < plan.hostWindows.size()) {
        HWND host = plan.hostWindows[plan.nextThread++];
        if (::IsWindow(host) &&
            ::SendMessageW(host, WM_AFX_BRING_FORWARD, 0, reinterpret_cast<LPARAM>(&plan)) == kAfxBroughtForward)
            return;
    }
    for (HWND window : plan.windows)
        if (::IsWindow(window) && ::IsWindowVisible(window))
            BringToFront(window);
}

void AskRestack(HWND window)
{
    const HWND root = ::GetAncestor(window, GA_ROOT);
    if (!root || root == t_restackPending)
        return;
    if (::PostMessageW(root, WM_AFX_RESTACK_IN_FRONT, 0, 0))
        t_restackPending = root;
    ::SetTimer(root, kAfxRestackTimer, kSecondRestackMs, nullptr);
}

// A top-level window shown, or resized (Wine makes a layered window's X window anew for its new
// size, in front of all), may land on X in front of windows that cover it.
bool MayLandOnTop(const CWPRETSTRUCT& call)
{
    if (call.message != WM_WINDOWPOSCHANGED || (::GetWindowLongPtrW(call.hwnd, GWL_STYLE) & WS_CHILD))
        return false;
    const UINT flags = reinterpret_cast<const WINDOWPOS*>(call.lParam)->flags;
    return (flags & SWP_SHOWWINDOW) || !(flags & SWP_NOSIZE);
}

LRESULT CALLBACK StackingHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call && (call->message == WM_SETFOCUS || MayLandOnTop(*call)))
        AskRestack(call->hwnd);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Only Wine's screen needs it: on Windows the z-order is what the screen shows.
bool RunsUnderWine()
{
    static const bool underWine =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return underWine;
}

// Another program's window brought to the front is raised on X over the console's top-most
// windows too (its X window is not the console's to restack): they are brought forward again.
void CALLBACK OnForegroundElsewhere(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
{
    if (object == OBJID_WINDOW && window && ::IsWindow(window))
        AfxRestackWindowsInFrontOf(window);
}

void WatchOtherPrograms()
{
    static HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                                  &OnForegroundElsewhere, 0, 0,
                                                  WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    (void)hook;
}

} // namespace

void AfxWatchScreenStacking()
{
    if (t_stackingHook || !RunsUnderWine())
        return;
    WatchOtherPrograms();
    t_stackingHook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &StackingHook, nullptr, ::GetCurrentThreadId());
}

void AfxRestackWindowsInFrontOf(HWND window)
{
    if (window == t_restackPending)
        t_restackPending = nullptr;
    if (!::IsWindow(window) || !::IsWindowVisible(window))
        return;
    if (!g_restackLock.TryEnter()) {
        ::SetTimer(window, kAfxRestackTimer, kRestackRetryMs, nullptr);
        return;
    }
    const std::vector<HWND> inFront = OwnVisibleWindowsInFrontOf(window);
    const bool ownerInFront =
        std::any_of(inFront.begin(), inFront.end(), [window](HWND above) { return IsOwnerOf(above, window); });
    PopToolTips(inFront);
    RestackPlan plan{inFront, OneWindowOfEachOtherThread(inFront)};
    BringForward(plan);
    // A window stays in front of its owner; Wine sometimes shows an owned dialog behind it.
    if (ownerInFront)
        BringToFront(window);
    g_restackLock.Leave();
}

LRESULT AfxOnBringForward(WPARAM, LPARAM plan)
{
    BringForward(*reinterpret_cast<RestackPlan*>(plan));
    return kAfxBroughtForward;
}
