// Test helper: answers the skinned message boxes shown on this thread as a user would, from a
// thread timer that runs inside the box's own modal loop: it clicks a button (BM_CLICK) or
// types Enter or Esc into the focused control, and notes what the box showed.
#pragma once

#include "framework/Afx.h"
#include "ui/CustomMsgDlg.h"

#include <functional>

class MessageBoxDriver {
public:
    enum Action { ClickButton, PressKey };

    // Each box found gets this answer: a button id, or a virtual key.
    MessageBoxDriver(Action action, int what) : m_action(action), m_what(what)
    {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 30, &MessageBoxDriver::OnTimer);
    }
    ~MessageBoxDriver()
    {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }

    // Runs while the box is up, before it is answered.
    std::function<void(HWND box)> m_whileOpen;
    int m_boxesSeen = 0;
    CString m_lastText;
    CString m_lastCaption;
    RECT m_lastRect = {};
    bool m_visible[4] = {};   // OK, Cancel, Yes, No buttons shown

private:
    static BOOL CALLBACK FindBox(HWND hWnd, LPARAM param)
    {
        auto* driver = reinterpret_cast<MessageBoxDriver*>(param);
        auto* box = dynamic_cast<CCustomMsgDlg*>(CWnd::FromHandlePermanent(hWnd));
        if (!box || !IsWindowVisible(hWnd))
            return TRUE;
        driver->Answer(box);
        return FALSE;
    }

    void Answer(CCustomMsgDlg* box)
    {
        HWND hWnd = box->GetSafeHwnd();
        if (m_answered == hWnd)
            return;   // already answered; the box is on its way out
        m_answered = hWnd;
        ++m_boxesSeen;
        m_lastText = box->GetText();
        box->GetDlgItemText(1022, m_lastCaption);
        GetWindowRect(hWnd, &m_lastRect);
        const int ids[4] = {IDOK, IDCANCEL, 1246, 1247};
        for (int i = 0; i < 4; ++i)
            m_visible[i] = IsWindowVisible(GetDlgItem(hWnd, ids[i])) != FALSE;
        if (m_whileOpen)
            m_whileOpen(hWnd);
        if (m_action == ClickButton) {
            SendMessageW(GetDlgItem(hWnd, m_what), BM_CLICK, 0, 0);
        } else {
            HWND focus = GetFocus();
            PostMessageW(focus ? focus : hWnd, WM_KEYDOWN, static_cast<WPARAM>(m_what), 1);
        }
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_current)
            EnumThreadWindows(GetCurrentThreadId(), &MessageBoxDriver::FindBox,
                              reinterpret_cast<LPARAM>(s_current));
    }

    static inline MessageBoxDriver* s_current = nullptr;
    Action m_action;
    int m_what;
    HWND m_answered = nullptr;
    UINT_PTR m_timer = 0;
};
