#include "framework/Wnd.h"

#include "framework/CriticalSection.h"
#include "framework/ExceptionGuard.h"
#include "framework/ScreenStacking.h"
#include "framework/WinThread.h"

#include <exception>
#include <set>
#include <string>
#include <unordered_map>

namespace {

// Handle -> object, for every thread.
CCriticalSection g_mapLock;
std::unordered_map<HWND, CWnd*> g_permanentMap;

// The message each thread is handling, for Default().
thread_local MSG t_currentMessage;

// The window being created on this thread, linked to its object by the CBT hook; creations
// nest (a window made inside another's WM_CREATE), so each one keeps the one around it.
struct PendingCreation {
    CWnd* wnd;
    LPCWSTR className;
    HHOOK hook;
    PendingCreation* outer;
};
thread_local PendingCreation* t_pending = nullptr;

// Temporary objects made by FromHandle on this thread.
thread_local std::unordered_map<HWND, CWnd*>* t_tempMap = nullptr;

void MapWindow(HWND hWnd, CWnd* wnd)
{
    CCriticalSectionLock lock(g_mapLock);
    g_permanentMap[hWnd] = wnd;
}

void UnmapWindow(HWND hWnd, CWnd* wnd)
{
    CCriticalSectionLock lock(g_mapLock);
    auto it = g_permanentMap.find(hWnd);
    if (it != g_permanentMap.end() && it->second == wnd)
        g_permanentMap.erase(it);
}

// Does the window just made have the class CreateEx asked for? Windows the system makes on the
// side during a creation (the input method's) must not be taken over.
bool IsRequestedWindow(HWND hWnd, LPCWSTR requestedClass)
{
    wchar_t name[256] = {};
    GetClassNameW(hWnd, name, static_cast<int>(std::size(name)));
    if (!requestedClass || IS_INTRESOURCE(requestedClass))
        return lstrcmpiW(name, L"IME") != 0;
    return lstrcmpiW(name, requestedClass) == 0;
}

} // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_AFX_RESTACK_IN_FRONT || (message == WM_TIMER && wParam == kAfxRestackTimer)) {
        if (message == WM_TIMER)
            ::KillTimer(hWnd, kAfxRestackTimer);
        AfxRestackWindowsInFrontOf(hWnd);
        return 0;
    }
    if (message == WM_AFX_BRING_FORWARD)
        return AfxOnBringForward(wParam, lParam);
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return CWnd::CallWindowProcSafely(wnd, hWnd, message, wParam, lParam);
}

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    PendingCreation* pending = t_pending;
    if (code == HCBT_CREATEWND && pending && pending->wnd) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (IsRequestedWindow(hWnd, pending->className)) {
            CWnd* wnd = pending->wnd;
            pending->wnd = nullptr;
            AfxCallGuarded(L"the window creation hook", [&] { wnd->TakeOverWindow(hWnd); });
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL AfxHookWindowCreate(CWnd* wnd, LPCWSTR className)
{
    AfxWatchScreenStacking();
    HHOOK hook = SetWindowsHookExW(WH_CBT, &AfxCbtFilterHook, nullptr, GetCurrentThreadId());
    if (!hook)
        return FALSE;
    t_pending = new PendingCreation{wnd, className, hook, t_pending};
    return TRUE;
}

BOOL AfxUnhookWindowCreate()
{
    PendingCreation* pending = t_pending;
    if (!pending)
        return FALSE;
    t_pending = pending->outer;
    UnhookWindowsHookEx(pending->hook);
    const bool linked = pending->wnd == nullptr;
    delete pending;
    return linked;
}

LRESULT CWnd::CallWindowProcSafely(CWnd* wnd, HWND hWnd, UINT message, WPARAM wParam,
                                   LPARAM lParam)
{
    const MSG saved = t_currentMessage;
    t_currentMessage = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    AfxCallGuarded(L"a window procedure", [&] { result = wnd->WindowProc(message, wParam, lParam); });
    t_currentMessage = saved;
    // The object may be gone by now (a handler may delete it): find it again by handle.
    if (message == WM_NCDESTROY && FromHandlePermanent(hWnd) == wnd)
        AfxCallGuarded(L"PostNcDestroy", [&] { wnd->FinishNcDestroy(); });
    return result;
}

CWnd::~CWnd()
{
    if (!m_hWnd || FromHandlePermanent(m_hWnd) != this)
        return;
    if (GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId()) {
        TRACE(L"CWnd destroyed with its window still open\n");
        ::DestroyWindow(m_hWnd);   // WM_NCDESTROY unlinks it
    }
    if (m_hWnd)
        UnsubclassWindow();
}

BOOL CWnd::TakeOverWindow(HWND hWnd)
{
    MapWindow(hWnd, this);
    m_hWnd = hWnd;
    WNDPROC old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        m_superProc = old;
    return m_superProc != nullptr;
}

void CWnd::FinishNcDestroy()
{
    HWND hWnd = m_hWnd;
    if (m_superProc && GetWindowLongPtrW(hWnd, GWLP_WNDPROC) ==
                           reinterpret_cast<LONG_PTR>(&AfxWndProc))
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    m_superProc = nullptr;
    UnmapWindow(hWnd, this);
    m_hWnd = nullptr;
    // A user-interface thread ends with its main window.
    CWinThread* thread = CWinThread::GetCurrent();
    if (thread && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    PostNcDestroy();   // may delete this
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId, LPVOID param)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTW cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs))
        return FALSE;
    // A class chosen by PreCreateWindow (a view's, a frame's) wins over the plain default.
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(0);

    if (!AfxHookWindowCreate(this, cs.lpszClass))
        return FALSE;
    HWND hWnd = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                cs.lpCreateParams);
    const DWORD error = GetLastError();
    AfxUnhookWindowCreate();
    if (!hWnd && m_hWnd) {
        // Linked, then refused before its first message: nothing will unlink it otherwise.
        UnmapWindow(m_hWnd, this);
        m_hWnd = nullptr;
        m_superProc = nullptr;
    }
    SetLastError(error);
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd || !::IsWindow(hWnd) || FromHandlePermanent(hWnd))
        return FALSE;
    m_hWnd = hWnd;   // PreSubclassWindow works on the window through this object
    PreSubclassWindow();
    m_hWnd = nullptr;
    if (!TakeOverWindow(hWnd)) {
        UnmapWindow(hWnd, this);
        m_hWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return control && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return nullptr;
    if (m_superProc)
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    m_superProc = nullptr;
    UnmapWindow(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (m_hWnd || !hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    MapWindow(hWnd, this);
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
        UnmapWindow(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    CCriticalSectionLock lock(g_mapLock);
    auto it = g_permanentMap.find(hWnd);
    return it == g_permanentMap.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hWnd))
        return wnd;
    if (!t_tempMap)
        t_tempMap = new std::unordered_map<HWND, CWnd*>;
    CWnd*& temp = (*t_tempMap)[hWnd];
    if (!temp) {
        temp = new CWnd;
        temp->m_hWnd = hWnd;
    }
    return temp;
}

void AfxDeleteTempMap()
{
    std::unordered_map<HWND, CWnd*>* temps = t_tempMap;
    t_tempMap = nullptr;
    if (!temps)
        return;
    for (auto& entry : *temps) {
        entry.second->m_hWnd = nullptr;   // a temporary never owns its window
        delete entry.second;
    }
    delete temps;
}

namespace {

// The control a notification sent to its parent is about, or null.
HWND NotifyingControl(UINT message, WPARAM wParam, LPARAM lParam, HWND parent)
{
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? ::GetDlgItem(parent, static_cast<int>(item->CtlID))
                                                 : nullptr;
    }
    case WM_COMPAREITEM:
        return lParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_DELETEITEM:
        return lParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            return reinterpret_cast<HWND>(lParam);
        return nullptr;
    }
}

// The control hears of these before its parent's map does.
bool ReflectsBeforeParent(UINT message)
{
    return message == WM_COMMAND || message == WM_NOTIFY;
}

bool ReflectsAfterParent(UINT message)
{
    return message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_COMPAREITEM ||
           message == WM_DELETEITEM || message == WM_HSCROLL || message == WM_VSCROLL ||
           (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

} // namespace

BOOL CWnd::ReflectChildNotify(HWND parent, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* result)
{
    HWND control = NotifyingControl(message, wParam, lParam, parent);
    if (!control || control == parent ||
        GetWindowThreadProcessId(control, nullptr) != GetCurrentThreadId())
        return FALSE;
    CWnd* child = FromHandlePermanent(control);
    if (!child)
        return FALSE;
    const MSG saved = t_currentMessage;
    t_currentMessage = MSG{control, WM_REFLECT_BASE + message, wParam, lParam, 0, {0, 0}};
    LRESULT childResult = 0;
    const BOOL handled = child->OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &childResult);
    t_currentMessage = saved;
    if (handled && result)
        *result = childResult;
    return handled;
}

LRESULT CWnd::DefaultOrReflect()
{
    const MSG current = t_currentMessage;
    LRESULT result = 0;
    if (ReflectChildNotify(m_hWnd, current.message, current.wParam, current.lParam, &result))
        return result;
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectsBeforeParent(message) &&
        ReflectChildNotify(m_hWnd, message, wParam, lParam, &result))
        return result;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    if (ReflectsAfterParent(message) &&
        ReflectChildNotify(m_hWnd, message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_superProc)
        return CallWindowProcW(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& current = t_currentMessage;
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

BOOL CWnd::WalkPreTranslateTree(MSG* msg)
{
    for (HWND hWnd = msg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = FromHandlePermanent(hWnd);
        if (wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
    }
    return FALSE;
}

LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static CCriticalSection lock;
    static std::set<std::wstring> registered;   // set nodes keep the returned names valid

    HINSTANCE instance = AfxGetInstanceHandle();
    wchar_t name[96];
    _snwprintf(name, std::size(name) - 1, L"LumoraWnd:%p:%x:%p:%p:%p", instance, classStyle,
               cursor, background, icon);
    name[std::size(name) - 1] = L'\0';

    CCriticalSectionLock guard(lock);
    auto found = registered.find(name);
    if (found != registered.end())
        return found->c_str();
    WNDCLASSW wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = ::DefWindowProcW;   // CreateEx routes the window to AfxWndProc
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        TRACE(L"RegisterClass failed: %lu\n", GetLastError());
    return registered.insert(name).first->c_str();
}

