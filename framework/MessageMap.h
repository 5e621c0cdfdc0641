// Compile-time, typed message maps.
//
//   class CMyWnd : public CWnd { ... DECLARE_MESSAGE_MAP() };
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       ON_WM_PAINT()
//       ON_MESSAGE(WM_SOCKET_RECEIVE, OnSocketReceive)
//   END_MESSAGE_MAP()
//
// The map is an ordinary member function: an if-chain that cracks each message into a typed call
// and ends in the base class's map, so a handler with the wrong signature does not compile.
//
// Adding an entry is two lines: an ON_ macro here (AFX_MSG_ENTRY with the condition and the
// cracked call) and, when derived handlers may fall back on it, a default handler in CWnd that
// calls Default().
#pragma once

#include "framework/CmdTarget.h"

#include <commctrl.h>
#include <shellapi.h>

class CScrollBar;

// A child's notification handed back to the child's own map (see CWnd::WindowProc): the
// parent's message number plus this base.
#define WM_REFLECT_BASE 0xBC00

// Marks message handlers in class declarations.
#define afx_msg

#define DECLARE_MESSAGE_MAP() \
public: \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) \
    { \
        using ThisMapBase = baseClass;

#define END_MESSAGE_MAP() \
        return ThisMapBase::OnWndMsg(message, wParam, lParam, pResult); \
    }

// One entry: when the condition holds, make the call (which may set *pResult) and stop.
#define AFX_MSG_ENTRY(condition, call) \
        if (condition) { \
            *pResult = 0; \
            call; \
            return TRUE; \
        }

// Window messages.
#define ON_WM_CREATE() \
    AFX_MSG_ENTRY(message == WM_CREATE, \
                  *pResult = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
#define ON_WM_DESTROY() AFX_MSG_ENTRY(message == WM_DESTROY, OnDestroy())
#define ON_WM_TIMER() AFX_MSG_ENTRY(message == WM_TIMER, OnTimer(static_cast<UINT_PTR>(wParam)))
#define ON_WM_PAINT() AFX_MSG_ENTRY(message == WM_PAINT, OnPaint())
#define ON_WM_CLOSE() AFX_MSG_ENTRY(message == WM_CLOSE, OnClose())
#define ON_WM_SIZE() \
    AFX_MSG_ENTRY(message == WM_SIZE, \
                  OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))

// Mouse: void f(UINT flags, CPoint point), point in client coordinates.
#define AFX_MOUSE_ENTRY(msg, memberFn) \
    AFX_MSG_ENTRY(message == (msg), memberFn(static_cast<UINT>(wParam), CPoint(lParam)))
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEHOVER() AFX_MOUSE_ENTRY(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_MOUSELEAVE() AFX_MSG_ENTRY(message == WM_MOUSELEAVE, OnMouseLeave())
// BOOL f(UINT flags, short delta, CPoint point), point in screen coordinates.
#define ON_WM_MOUSEWHEEL() \
    AFX_MSG_ENTRY(message == WM_MOUSEWHEEL, \
                  *pResult = OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), \
                                          GET_WHEEL_DELTA_WPARAM(wParam), CPoint(lParam)))
// int f(CWnd* topLevel, UINT hitTest, UINT mouseMessage)
#define ON_WM_MOUSEACTIVATE() \
    AFX_MSG_ENTRY(message == WM_MOUSEACTIVATE, \
                  *pResult = OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                             LOWORD(lParam), HIWORD(lParam)))
// void f(CWnd* wnd, CPoint screenPoint)
#define ON_WM_CONTEXTMENU() \
    AFX_MSG_ENTRY(message == WM_CONTEXTMENU, \
                  OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam)))
#define ON_WM_CAPTURECHANGED() \
    AFX_MSG_ENTRY(message == WM_CAPTURECHANGED, \
                  OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))))

// Keyboard: void f(UINT char, UINT repeatCount, UINT flags).
#define AFX_KEY_ENTRY(msg, memberFn) \
    AFX_MSG_ENTRY(message == (msg), \
                  memberFn(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
// UINT f()
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(message == WM_GETDLGCODE, *pResult = OnGetDlgCode())
// void f(CWnd* other)
#define ON_WM_SETFOCUS() \
    AFX_MSG_ENTRY(message == WM_SETFOCUS, OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_KILLFOCUS() \
    AFX_MSG_ENTRY(message == WM_KILLFOCUS, OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))

// Non-client area and window state.
// LRESULT f(CPoint screenPoint)
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(message == WM_NCHITTEST, *pResult = OnNcHitTest(CPoint(lParam)))
// BOOL f(LPCREATESTRUCT)
#define ON_WM_NCCREATE() \
    AFX_MSG_ENTRY(message == WM_NCCREATE, \
                  *pResult = OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(message == WM_NCDESTROY, OnNcDestroy())
#define ON_WM_NCPAINT() AFX_MSG_ENTRY(message == WM_NCPAINT, OnNcPaint())
// void f(BOOL calcValidRects, NCCALCSIZE_PARAMS*)
#define ON_WM_NCCALCSIZE() \
    AFX_MSG_ENTRY(message == WM_NCCALCSIZE, \
                  OnNcCalcSize(static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)))
// void f(UINT hitTest, CPoint screenPoint)
#define ON_WM_NCLBUTTONDOWN() \
    AFX_MSG_ENTRY(message == WM_NCLBUTTONDOWN, OnNcLButtonDown(static_cast<UINT>(wParam), CPoint(lParam)))
#define ON_WM_NCLBUTTONDBLCLK() \
    AFX_MSG_ENTRY(message == WM_NCLBUTTONDBLCLK, \
                  OnNcLButtonDblClk(static_cast<UINT>(wParam), CPoint(lParam)))
// BOOL f(CDC*)
#define ON_WM_ERASEBKGND() \
    AFX_MSG_ENTRY(message == WM_ERASEBKGND, \
                  CDCHandle eraseDC(reinterpret_cast<HDC>(wParam)); \
                  *pResult = OnEraseBkgnd(&eraseDC))
// void f(MINMAXINFO*)
#define ON_WM_GETMINMAXINFO() \
    AFX_MSG_ENTRY(message == WM_GETMINMAXINFO, OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)))
// void f(UINT id, LPARAM)
#define ON_WM_SYSCOMMAND() \
    AFX_MSG_ENTRY(message == WM_SYSCOMMAND, OnSysCommand(static_cast<UINT>(wParam), lParam))
// void f(int x, int y)
#define ON_WM_MOVE() \
    AFX_MSG_ENTRY(message == WM_MOVE, \
                  OnMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))))
// void f(WINDOWPOS*)
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_MSG_ENTRY(message == WM_WINDOWPOSCHANGING, OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_MSG_ENTRY(message == WM_WINDOWPOSCHANGED, OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)))
// void f(BOOL show, UINT status)
#define ON_WM_SHOWWINDOW() \
    AFX_MSG_ENTRY(message == WM_SHOWWINDOW, OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)))
// void f(BOOL enable)
#define ON_WM_ENABLE() AFX_MSG_ENTRY(message == WM_ENABLE, OnEnable(static_cast<BOOL>(wParam)))
// void f(UINT state, CWnd* other, BOOL minimized)
#define ON_WM_ACTIVATE() \
    AFX_MSG_ENTRY(message == WM_ACTIVATE, \
                  OnActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), \
                             HIWORD(wParam) != 0))
// void f(BOOL active, DWORD threadId)
#define ON_WM_ACTIVATEAPP() \
    AFX_MSG_ENTRY(message == WM_ACTIVATEAPP, OnActivateApp(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam)))
// BOOL f(CWnd* wnd, UINT hitTest, UINT mouseMessage)
#define ON_WM_SETCURSOR() \
    AFX_MSG_ENTRY(message == WM_SETCURSOR, \
                  *pResult = OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                         LOWORD(lParam), HIWORD(lParam)))
// void f(HDROP): the handler finishes the drop (DragFinish).
#define ON_WM_DROPFILES() AFX_MSG_ENTRY(message == WM_DROPFILES, OnDropFiles(reinterpret_cast<HDROP>(wParam)))
// BOOL f(CWnd* sender, COPYDATASTRUCT*)
#define ON_WM_COPYDATA() \
    AFX_MSG_ENTRY(message == WM_COPYDATA, \
                  *pResult = OnCopyData(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                        reinterpret_cast<COPYDATASTRUCT*>(lParam)))
// void f(UINT code, UINT position, CScrollBar* control): control null for a window's own bar.
#define ON_WM_HSCROLL() \
    AFX_MSG_ENTRY(message == WM_HSCROLL, \
                  OnHScroll(LOWORD(wParam), HIWORD(wParam), \
                            reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))))
#define ON_WM_VSCROLL() \
    AFX_MSG_ENTRY(message == WM_VSCROLL, \
                  OnVScroll(LOWORD(wParam), HIWORD(wParam), \
                            reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))))
// HBRUSH f(CDC* dc, CWnd* control, UINT kind), kind CTLCOLOR_EDIT, CTLCOLOR_STATIC...: every
// WM_CTLCOLOR* message. A null brush leaves the default colours.
#define ON_WM_CTLCOLOR() \
    AFX_MSG_ENTRY(message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC, \
                  CDCHandle colorDC(reinterpret_cast<HDC>(wParam)); \
                  *pResult = reinterpret_cast<LRESULT>( \
                      OnCtlColor(&colorDC, CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), \
                                 message - WM_CTLCOLORMSGBOX)))
// void f(int controlId, LPDRAWITEMSTRUCT) / void f(int controlId, LPMEASUREITEMSTRUCT)
#define ON_WM_DRAWITEM() \
    AFX_MSG_ENTRY(message == WM_DRAWITEM, \
                  OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); \
                  *pResult = TRUE)
#define ON_WM_MEASUREITEM() \
    AFX_MSG_ENTRY(message == WM_MEASUREITEM, \
                  OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); \
                  *pResult = TRUE)

// A range of commands: void f(UINT id).
#define ON_COMMAND_RANGE(firstId, lastId, memberFn) \
    AFX_MSG_ENTRY(message == WM_COMMAND && (lParam == 0 || HIWORD(wParam) == 0) && \
                  LOWORD(wParam) >= static_cast<WORD>(firstId) && \
                  LOWORD(wParam) <= static_cast<WORD>(lastId), \
                  memberFn(LOWORD(wParam)))
// A control notification from a range of ids: void f(UINT id).
#define ON_CONTROL_RANGE(notifyCode, firstId, lastId, memberFn) \
    AFX_MSG_ENTRY(message == WM_COMMAND && lParam != 0 && \
                  HIWORD(wParam) == static_cast<WORD>(notifyCode) && \
                  LOWORD(wParam) >= static_cast<WORD>(firstId) && \
                  LOWORD(wParam) <= static_cast<WORD>(lastId), \
                  memberFn(LOWORD(wParam)))
#define ON_BN_DOUBLECLICKED(id, memberFn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFn)
#define ON_EN_CHANGE(id, memberFn) ON_CONTROL(EN_CHANGE, id, memberFn)
#define ON_EN_SETFOCUS(id, memberFn) ON_CONTROL(EN_SETFOCUS, id, memberFn)
#define ON_EN_KILLFOCUS(id, memberFn) ON_CONTROL(EN_KILLFOCUS, id, memberFn)
#define ON_CBN_SELCHANGE(id, memberFn) ON_CONTROL(CBN_SELCHANGE, id, memberFn)
#define ON_CBN_EDITCHANGE(id, memberFn) ON_CONTROL(CBN_EDITCHANGE, id, memberFn)
#define ON_LBN_SELCHANGE(id, memberFn) ON_CONTROL(LBN_SELCHANGE, id, memberFn)
#define ON_LBN_DBLCLK(id, memberFn) ON_CONTROL(LBN_DBLCLK, id, memberFn)
#define ON_STN_CLICKED(id, memberFn) ON_CONTROL(STN_CLICKED, id, memberFn)
// WM_NOTIFY with the code from a range of control ids: void f(UINT id, NMHDR*, LRESULT*).
#define ON_NOTIFY_RANGE(notifyCode, firstId, lastId, memberFn) \
    AFX_MSG_ENTRY(message == WM_NOTIFY && \
                  reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode) && \
                  reinterpret_cast<const NMHDR*>(lParam)->idFrom >= static_cast<UINT_PTR>(firstId) && \
                  reinterpret_cast<const NMHDR*>(lParam)->idFrom <= static_cast<UINT_PTR>(lastId), \
                  memberFn(static_cast<UINT>(reinterpret_cast<const NMHDR*>(lParam)->idFrom), \
                           reinterpret_cast<NMHDR*>(lParam), pResult))

// Notifications reflected to the control that sent them (entries in the control's own map).
// The control sees them before its parent; a reflected WM_NOTIFY or WM_COMMAND that the
// control handles does not reach the parent's map, except through the _EX forms whose handler
// returns FALSE to pass it on.
// void f(NMHDR*, LRESULT*)
#define ON_NOTIFY_REFLECT(notifyCode, memberFn) \
    AFX_MSG_ENTRY(message == WM_REFLECT_BASE + WM_NOTIFY && \
                  reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode), \
                  memberFn(reinterpret_cast<NMHDR*>(lParam), pResult))
// BOOL f(NMHDR*, LRESULT*): FALSE lets the parent see it too.
#define ON_NOTIFY_REFLECT_EX(notifyCode, memberFn) \
    if (message == WM_REFLECT_BASE + WM_NOTIFY && \
        reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode)) { \
        *pResult = 0; \
        return memberFn(reinterpret_cast<NMHDR*>(lParam), pResult); \
    }
// void f()
#define ON_CONTROL_REFLECT(notifyCode, memberFn) \
    AFX_MSG_ENTRY(message == WM_REFLECT_BASE + WM_COMMAND && \
                  HIWORD(wParam) == static_cast<WORD>(notifyCode), \
                  memberFn())
// BOOL f(): FALSE lets the parent see it too.
#define ON_CONTROL_REFLECT_EX(notifyCode, memberFn) \
    if (message == WM_REFLECT_BASE + WM_COMMAND && HIWORD(wParam) == static_cast<WORD>(notifyCode)) { \
        *pResult = 0; \
        return memberFn(); \
    }
// HBRUSH f(CDC* dc, UINT kind): a null brush leaves it to the parent's default.
#define ON_WM_CTLCOLOR_REFLECT() \
    if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && \
        message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) { \
        CDCHandle colorDC(reinterpret_cast<HDC>(wParam)); \
        HBRUSH brush = CtlColor(&colorDC, message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX); \
        *pResult = reinterpret_cast<LRESULT>(brush); \
        return brush != nullptr; \
    }
// void f(LPDRAWITEMSTRUCT) / void f(LPMEASUREITEMSTRUCT)
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_MSG_ENTRY(message == WM_REFLECT_BASE + WM_DRAWITEM, \
                  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); *pResult = TRUE)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_MSG_ENTRY(message == WM_REFLECT_BASE + WM_MEASUREITEM, \
                  MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); *pResult = TRUE)
// int f(LPCOMPAREITEMSTRUCT) / void f(LPDELETEITEMSTRUCT)
#define ON_WM_COMPAREITEM_REFLECT() \
    AFX_MSG_ENTRY(message == WM_REFLECT_BASE + WM_COMPAREITEM, \
                  *pResult = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)))
#define ON_WM_DELETEITEM_REFLECT() \
    AFX_MSG_ENTRY(message == WM_REFLECT_BASE + WM_DELETEITEM, \
                  DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); *pResult = TRUE)
// void f(UINT code, UINT position)
#define ON_WM_HSCROLL_REFLECT() \
    AFX_MSG_ENTRY(message == WM_REFLECT_BASE + WM_HSCROLL, \
                  HScroll(LOWORD(wParam), HIWORD(wParam)))
#define ON_WM_VSCROLL_REFLECT() \
    AFX_MSG_ENTRY(message == WM_REFLECT_BASE + WM_VSCROLL, \
                  VScroll(LOWORD(wParam), HIWORD(wParam)))

// Private messages: LRESULT f(WPARAM, LPARAM).
#define ON_MESSAGE(msg, memberFn) \
    AFX_MSG_ENTRY(message == static_cast<UINT>(msg), *pResult = memberFn(wParam, lParam))
// A message number from RegisterWindowMessage (0 when registration failed: never matches).
#define ON_REGISTERED_MESSAGE(msgVariable, memberFn) \
    AFX_MSG_ENTRY((msgVariable) != 0 && message == (msgVariable), \
                  *pResult = memberFn(wParam, lParam))

// Commands. A menu item or accelerator (no control), or a control notification with code 0
// (which is BN_CLICKED): void f().
#define ON_COMMAND(id, memberFn) \
    AFX_MSG_ENTRY(message == WM_COMMAND && LOWORD(wParam) == static_cast<WORD>(id) && \
                  (lParam == 0 || HIWORD(wParam) == 0), \
                  memberFn())
// A control's notification code sent as WM_COMMAND: void f().
#define ON_CONTROL(notifyCode, id, memberFn) \
    AFX_MSG_ENTRY(message == WM_COMMAND && lParam != 0 && \
                  LOWORD(wParam) == static_cast<WORD>(id) && \
                  HIWORD(wParam) == static_cast<WORD>(notifyCode), \
                  memberFn())
#define ON_BN_CLICKED(id, memberFn) ON_CONTROL(BN_CLICKED, id, memberFn)
// WM_NOTIFY from control id with the code: void f(NMHDR*, LRESULT*).
#define ON_NOTIFY(notifyCode, id, memberFn) \
    AFX_MSG_ENTRY(message == WM_NOTIFY && \
                  reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode) && \
                  reinterpret_cast<const NMHDR*>(lParam)->idFrom == static_cast<UINT_PTR>(id), \
                  memberFn(reinterpret_cast<NMHDR*>(lParam), pResult))

// Thread messages (posted with PostThreadMessage, hwnd NULL): void f(WPARAM, LPARAM).
#define ON_THREAD_MESSAGE(msg, memberFn) \
    AFX_MSG_ENTRY(message == static_cast<UINT>(msg), memberFn(wParam, lParam))
#define ON_REGISTERED_THREAD_MESSAGE(msgVariable, memberFn) \
    AFX_MSG_ENTRY((msgVariable) != 0 && message == (msgVariable), memberFn(wParam, lParam))
