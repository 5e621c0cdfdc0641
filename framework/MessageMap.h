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
