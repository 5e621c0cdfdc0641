// Test helper: answers a system message box that the code under test shows on this thread,
// as a user would (a thread timer finds it and presses OK), and keeps its text.
#pragma once

#include "framework/Afx.h"

#include <vector>

class BoxCloser {
public:
    BoxCloser() { s_current = this; m_timer = SetTimer(nullptr, 0, 50, &BoxCloser::OnTimer); }
    ~BoxCloser()
    {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }

    // The text of each box answered, in order.
    std::vector<CString> m_texts;
    std::vector<CString> m_captions;
    // Boxes to leave alone (the dialog under test itself).
    HWND m_ignore = nullptr;

private:
    static BOOL CALLBACK FindBox(HWND hWnd, LPARAM param)
    {
        auto* closer = reinterpret_cast<BoxCloser*>(param);
        wchar_t className[32] = {};
        GetClassNameW(hWnd, className, 32);
        // A system message box has its text in the static control 0xFFFF.
        if (hWnd == closer->m_ignore || wcscmp(className, L"#32770") != 0 || !IsWindowVisible(hWnd) ||
            !GetDlgItem(hWnd, 0xFFFF))
            return TRUE;
        CString text;
        CWnd::FromHandle(hWnd)->GetDlgItemText(0xFFFF, text);
        CString caption;
        CWnd::FromHandle(hWnd)->GetWindowText(caption);
        closer->m_texts.push_back(text);
        closer->m_captions.push_back(caption);
        PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return FALSE;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_current)
            EnumThreadWindows(GetCurrentThreadId(), &BoxCloser::FindBox,
                              reinterpret_cast<LPARAM>(s_current));
    }

    static inline BoxCloser* s_current = nullptr;
    UINT_PTR m_timer = 0;
};
