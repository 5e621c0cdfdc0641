// CWnd: a C++ object that owns one window handle and receives its messages through its message
// map. One process-wide map links handles to objects (GWLP_USERDATA stays free for code that
// subclasses controls); a window is joined to its object before its first message.
#pragma once

#include "framework/MessageMap.h"

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
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
    BOOL CreateMessageWindow(LPCWSTR windowName = L"")
        { return CreateEx(0, nullptr, windowName, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr); }
    // A hidden top-level window with a caption and system menu.
    BOOL CreateHiddenWindow(LPCWSTR windowName, int width = 200, int height = 200)
    {
        return CreateEx(0, nullptr, windowName, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0, width,
                        height, nullptr, nullptr);
    }
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs) { return TRUE; }
    BOOL DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

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

    // Called by SubclassWindow before it takes an existing window over (a control of a dialog
    // template, say), to adjust its styles; windows made by CreateEx use PreCreateWindow.
    virtual void PreSubclassWindow() {}

    // Thin wrappers.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
        { return ::PostMessageW(m_hWnd, message, wParam, lParam); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
        { return ::SendMessageW(m_hWnd, message, wParam, lParam); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr)
        { return ::SetTimer(m_hWnd, id, elapse, proc); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
        { return ::MoveWindow(m_hWnd, x, y, width, height, repaint); }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    // Removes and adds style bits; with flags, SetWindowPos applies them (SWP_FRAMECHANGED...).
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags)
        { return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags); }
    void CenterWindow(HWND alternateOwner = nullptr);
    BOOL RedrawWindow(const RECT* rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
        { return ::RedrawWindow(m_hWnd, rect, region, flags); }
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void ValidateRect(const RECT* rect) { ::ValidateRect(m_hWnd, rect); }
    void SetRedraw(BOOL redraw = TRUE) { ::SendMessageW(m_hWnd, WM_SETREDRAW, redraw, 0); }
    void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(LPRECT rect) const
        { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2); }
    void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(LPRECT rect) const
        { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2); }
    void MapWindowPoints(HWND to, LPPOINT points, UINT count) const
        { ::MapWindowPoints(m_hWnd, to, points, count); }
    void MapWindowPoints(HWND to, LPRECT rect) const
        { ::MapWindowPoints(m_hWnd, to, reinterpret_cast<LPPOINT>(rect), 2); }
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    void SetFont(HFONT font, BOOL redraw = TRUE)
        { ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    CWnd* SetParent(CWnd* newParent)
        { return FromHandle(::SetParent(m_hWnd, newParent ? newParent->m_hWnd : nullptr)); }
    CWnd* GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    void DragAcceptFiles(BOOL accept = TRUE) { ::DragAcceptFiles(m_hWnd, accept); }
    HICON SetIcon(HICON icon, BOOL big)
    {
        return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                                                      reinterpret_cast<LPARAM>(icon)));
    }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement)
        { return ::SetWindowPlacement(m_hWnd, placement); }
    CDC* GetDC();
    int ReleaseDC(CDC* dc);
    void SetDlgItemText(int id, LPCWSTR text) { ::SetDlgItemTextW(m_hWnd, id, text); }
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE)
        { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const
        { return ::GetDlgItemInt(m_hWnd, id, translated, isSigned); }
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    BOOL CheckRadioButton(int first, int last, int check) { return ::CheckRadioButton(m_hWnd, first, last, check); }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
        { return ::SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam); }
    // Sends the message to every child (and with deep, their children) of this window.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL deep = TRUE);
    int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK)
        { return ::MessageBoxW(m_hWnd, text ? text : L"", caption, type); }

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

    // A notification from a child window (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*...)
    // offered to that child's own map as WM_REFLECT_BASE + message. TRUE when the child took it.
    static BOOL ReflectChildNotify(HWND parent, UINT message, WPARAM wParam, LPARAM lParam,
                                   LRESULT* result);

    // Default handlers for derived message maps: each passes its message on.
    afx_msg int OnCreate(LPCREATESTRUCT cs) { return static_cast<int>(Default()); }
    afx_msg void OnDestroy() { Default(); }
    afx_msg void OnTimer(UINT_PTR id) { Default(); }
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnClose() { Default(); }
    afx_msg void OnSize(UINT type, int width, int height) { Default(); }
    afx_msg void OnLButtonDown(UINT flags, CPoint point) { Default(); }
    afx_msg void OnLButtonUp(UINT flags, CPoint point) { Default(); }
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point) { Default(); }
    afx_msg void OnRButtonDown(UINT flags, CPoint point) { Default(); }
    afx_msg void OnRButtonUp(UINT flags, CPoint point) { Default(); }
    afx_msg void OnRButtonDblClk(UINT flags, CPoint point) { Default(); }
    afx_msg void OnMButtonDown(UINT flags, CPoint point) { Default(); }
    afx_msg void OnMButtonUp(UINT flags, CPoint point) { Default(); }
    afx_msg void OnMouseMove(UINT flags, CPoint point) { Default(); }
    afx_msg void OnMouseHover(UINT flags, CPoint point) { Default(); }
    afx_msg void OnMouseLeave() { Default(); }
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point) { return static_cast<BOOL>(Default()); }
    afx_msg int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message) { return static_cast<int>(Default()); }
    afx_msg void OnContextMenu(CWnd* wnd, CPoint point) { Default(); }
    afx_msg void OnCaptureChanged(CWnd* wnd) { Default(); }
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags) { Default(); }
    afx_msg void OnKeyUp(UINT ch, UINT repeat, UINT flags) { Default(); }
    afx_msg void OnSysKeyDown(UINT ch, UINT repeat, UINT flags) { Default(); }
    afx_msg void OnSysKeyUp(UINT ch, UINT repeat, UINT flags) { Default(); }
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags) { Default(); }
    afx_msg UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
    afx_msg void OnSetFocus(CWnd* old) { Default(); }
    afx_msg void OnKillFocus(CWnd* next) { Default(); }
    afx_msg LRESULT OnNcHitTest(CPoint point) { return Default(); }
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT cs) { return static_cast<BOOL>(Default()); }
    afx_msg void OnNcDestroy() { Default(); }
    afx_msg void OnNcPaint() { Default(); }
    afx_msg void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) { Default(); }
    afx_msg void OnNcLButtonDown(UINT hitTest, CPoint point) { Default(); }
    afx_msg void OnNcLButtonDblClk(UINT hitTest, CPoint point) { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC* dc) { return static_cast<BOOL>(Default()); }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info) { Default(); }
    afx_msg void OnSysCommand(UINT id, LPARAM lParam) { Default(); }
    afx_msg void OnMove(int x, int y) { Default(); }
    afx_msg void OnWindowPosChanging(WINDOWPOS* pos) { Default(); }
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos) { Default(); }
    afx_msg void OnShowWindow(BOOL show, UINT status) { Default(); }
    afx_msg void OnEnable(BOOL enable) { Default(); }
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized) { Default(); }
    afx_msg void OnActivateApp(BOOL active, DWORD threadId) { Default(); }
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) { return static_cast<BOOL>(Default()); }
    afx_msg void OnDropFiles(HDROP drop) { Default(); }
    afx_msg BOOL OnCopyData(CWnd* sender, COPYDATASTRUCT* data) { return static_cast<BOOL>(Default()); }
    afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* control) { DefaultOrReflect(); }
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* control) { DefaultOrReflect(); }
    // These first offer the message to the control it concerns (reflection), then default.
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind)
    {
        return reinterpret_cast<HBRUSH>(DefaultOrReflect());
    }
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item) { DefaultOrReflect(); }
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) { DefaultOrReflect(); }

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
    // The message being handled, reflected to its control, else passed to DefWindowProc.
    LRESULT DefaultOrReflect();

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
