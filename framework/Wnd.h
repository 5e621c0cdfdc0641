// CWnd: a C++ object that owns one window handle and receives its messages through its message
// map. One process-wide map links handles to objects (GWLP_USERDATA stays free for code that
// subclasses controls); a window is joined to its object before its first message.
#pragma once

#include "framework/MessageMap.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    // Destroys a window still open on this thread (its OnDestroy and PostNcDestroy overrides no
    // longer run then: destroy windows explicitly).
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // Creation. A null class name uses the framework's default class; the window is linked to this
    // object before WM_NCCREATE, so the map sees WM_CREATE.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                  LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
    // A hidden message-only window (no painting, never shown), for objects that only need to
    // receive messages on their thread.
    BOOL CreateMessageWindow(LPCWSTR windowName = L"");
    // A hidden top-level window with a caption and system menu.
    BOOL CreateHiddenWindow(LPCWSTR windowName, int width = 200, int height = 200);
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs) { return TRUE; }
    BOOL DestroyWindow();

    // Takes over an existing window: its old window procedure is kept and called for everything
    // this object leaves unhandled.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    // Links a window to this object without routing its messages here.
    BOOL Attach(HWND hWnd);
    HWND Detach();

    // The object linked to the window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The linked object, else a temporary one owned by this thread that lives until the thread is
    // next idle: never keep it.
    static CWnd* FromHandle(HWND hWnd);

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // Thin wrappers.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void Invalidate(BOOL erase = TRUE);
    void UpdateWindow();
    void SetWindowText(LPCWSTR text);
    void GetWindowText(CString& text) const;
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;

    // Called for every message, through the message map, then the previous window procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The previous window procedure (DefWindowProc for the framework's classes).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message being handled on this thread, passed on to DefWindowProc.
    LRESULT Default();
    // Messages from this thread's loop before dispatching; TRUE takes the message.
    virtual BOOL PreTranslateMessage(MSG* msg) { return FALSE; }
    // Asks each window from msg->hwnd up through its parents.
    static BOOL WalkPreTranslateTree(MSG* msg);

    // Default handlers for derived message maps: each passes its message on.
    afx_msg int OnCreate(LPCREATESTRUCT cs) { return static_cast<int>(Default()); }
    afx_msg void OnDestroy() { Default(); }
    afx_msg void OnTimer(UINT_PTR id) { Default(); }
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnClose() { Default(); }
    afx_msg void OnSize(UINT type, int width, int height) { Default(); }

protected:
    // Called after the window is gone (WM_NCDESTROY); an object that owns itself deletes itself
    // here. When this was its thread's m_pMainWnd, the thread has been told to quit.
    virtual void PostNcDestroy() {}

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);
    static LRESULT CallWindowProcSafely(CWnd* wnd, HWND hWnd, UINT message, WPARAM wParam,
                                        LPARAM lParam);
    BOOL TakeOverWindow(HWND hWnd);
    void FinishNcDestroy();

    WNDPROC m_superProc = nullptr;
};

// Registers (once) a window class of the framework with these attributes and gives its name.
LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
// Around a creation call the framework does not make itself (a dialog, say): the first window
// then created on this thread (of the class, when one is given) is linked to wnd and routed to
// its message map before its first message. Unhook gives FALSE when no window was linked.
BOOL AfxHookWindowCreate(CWnd* wnd, LPCWSTR className = nullptr);
BOOL AfxUnhookWindowCreate();
// Frees this thread's temporary CWnd objects (FromHandle); the message loop calls it when idle.
void AfxDeleteTempMap();
