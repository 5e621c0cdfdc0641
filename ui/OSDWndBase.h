// COSDWndBase: a borderless, click-through text window shown on top of everything for a while;
// when its time has run out it hides and tells its notify window.
#pragma once

#include "foundation/AppMessages.h"
#include "framework/Wnd.h"

class COSDWndBase : public CWnd {
public:
    COSDWndBase(HWND notifyWnd, LPCWSTR fontFace, UINT duration, int x, int y);

    // Makes the window (hidden, zero size); FALSE when it could not be made.
    virtual BOOL CreateOsdWindow() = 0;
    virtual void SetAlpha(BYTE alpha) = 0;

    // Sizes the window to the text, shows it without activating it and starts the timer.
    void ShowText(LPCWSTR text);

    // 13 pixels a byte of the text in the ANSI code page, plus 6.
    static int WidthForText(LPCWSTR text);
    static constexpr int kHeight = 25;

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);

    CString m_text;
    BOOL m_bold = TRUE;
    CString m_fontFace;
    UINT m_duration = 0;
    COLORREF m_background = RGB(255, 255, 255);
    COLORREF m_textColor = RGB(255, 0, 0);
    HWND m_notifyWnd = nullptr;
    UINT m_notifyMessage = WM_CHILD_CLOSED;
    int m_x = 0;
    int m_y = 0;
};
