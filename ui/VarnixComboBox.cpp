#include "ui/VarnixComboBox.h"

#include <commctrl.h>

BOOL g_comboEditUnfocused = FALSE;

namespace {

constexpr UINT_PTR kEditSubclassId = 0x564E;   // "VN"

} // namespace

CVarnixComboBox::~CVarnixComboBox()
{
    UnhookEditField();
}

BOOL CVarnixComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!CComboBox::Create(style, rect, parent, id))
        return FALSE;
    HookEditField();
    return TRUE;
}

void CVarnixComboBox::PreSubclassWindow()
{
    HookEditField();
}

void CVarnixComboBox::HookEditField()
{
    if (m_edit || !m_hWnd)
        return;
    HWND edit = ::GetWindow(m_hWnd, GW_CHILD);
    if (edit && SetWindowSubclass(edit, &CVarnixComboBox::EditProc, kEditSubclassId, 0))
        m_edit = edit;
}

void CVarnixComboBox::UnhookEditField()
{
    if (m_edit && ::IsWindow(m_edit))
        RemoveWindowSubclass(m_edit, &CVarnixComboBox::EditProc, kEditSubclassId);
    m_edit = nullptr;
}

bool CVarnixComboBox::IsInputMethodMessage(UINT message)
{
    return (message >= WM_IME_STARTCOMPOSITION && message <= WM_IME_COMPOSITION) ||   // 0x10D-0x10F
           (message >= WM_IME_SETCONTEXT && message <= WM_IME_CHAR) ||                // 0x281-0x286
           message == WM_IME_REQUEST ||                                              // 0x288
           message == WM_IME_KEYDOWN || message == WM_IME_KEYUP;                     // 0x290, 0x291
}

LRESULT CALLBACK CVarnixComboBox::EditProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR data)
{
    switch (message) {
    case WM_SETFOCUS:
        g_comboEditUnfocused = FALSE;
        break;
    case WM_KILLFOCUS:
        g_comboEditUnfocused = TRUE;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hWnd, &CVarnixComboBox::EditProc, id);
        break;
    default:
        if (g_comboEditUnfocused && IsInputMethodMessage(message))
            return 0;
        break;
    }
    return DefSubclassProc(hWnd, message, wParam, lParam);
}
