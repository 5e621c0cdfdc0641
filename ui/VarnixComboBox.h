// CVarnixComboBox: a combo box whose edit field keeps the input-method editor quiet while it
// has no focus.
#pragma once

#include "framework/ComboBox.h"

// Set while the edit field of such a combo box does not have the focus (shared by all of them).
extern BOOL g_comboEditUnfocused;

class CVarnixComboBox : public CComboBox {
public:
    ~CVarnixComboBox() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void PreSubclassWindow() override;

    // Whether the input method's message is swallowed while the edit field is unfocused.
    static bool IsInputMethodMessage(UINT message);

private:
    void HookEditField();
    void UnhookEditField();
    static LRESULT CALLBACK EditProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);

    HWND m_edit = nullptr;
};
