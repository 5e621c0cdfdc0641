// CComboArrowSkin: paints a drop-down box's button from two skin bitmaps (normal, pressed), the
// arrow centred in the button and the rest of the button area filled with the box's background.
// The pressed look follows the left button held down inside the button.
#pragma once

#include "framework/Bitmap.h"

class CComboArrowSkin {
public:
    CComboArrowSkin() = default;
    ~CComboArrowSkin() { Detach(); }
    CComboArrowSkin(const CComboArrowSkin&) = delete;
    CComboArrowSkin& operator=(const CComboArrowSkin&) = delete;

    // FALSE when a bitmap is missing or the box cannot be subclassed (it keeps its own look).
    BOOL Attach(HWND combo, UINT normalBitmap, UINT pressedBitmap, COLORREF background);
    void Detach();

private:
    static LRESULT CALLBACK ComboProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);
    void PaintButton(HWND combo);
    bool InButton(HWND combo, LPARAM point) const;

    HWND m_combo = nullptr;
    CBitmap m_normal;
    CBitmap m_pressed;
    COLORREF m_background = 0;
    bool m_down = false;
};
