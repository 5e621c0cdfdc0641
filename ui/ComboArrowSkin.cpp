#include "ui/ComboArrowSkin.h"

#include "ui/SkinDraw.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

constexpr UINT_PTR kSubclassId = 0x4443;   // "DC"

RECT ButtonRect(HWND combo)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetComboBoxInfo(combo, &info))
        return RECT{0, 0, 0, 0};
    return info.rcButton;
}

} // namespace

BOOL CComboArrowSkin::Attach(HWND combo, UINT normalBitmap, UINT pressedBitmap, COLORREF background)
{
    Detach();
    if (!combo || !m_normal.LoadBitmap(normalBitmap) || !m_pressed.LoadBitmap(pressedBitmap))
        return FALSE;
    m_background = background;
    if (!::SetWindowSubclass(combo, &CComboArrowSkin::ComboProc, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(this)))
        return FALSE;
    m_combo = combo;
    return TRUE;
}

void CComboArrowSkin::Detach()
{
    if (m_combo && ::IsWindow(m_combo))
        ::RemoveWindowSubclass(m_combo, &CComboArrowSkin::ComboProc, kSubclassId);
    m_combo = nullptr;
}

bool CComboArrowSkin::InButton(HWND combo, LPARAM point) const
{
    const RECT button = ButtonRect(combo);
    const POINT at = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    return ::PtInRect(&button, at) != FALSE;
}

void CComboArrowSkin::PaintButton(HWND combo)
{
    const RECT button = ButtonRect(combo);
    if (button.right <= button.left || button.bottom <= button.top)
        return;
    HDC dc = ::GetDC(combo);
    if (!dc)
        return;
    HBRUSH fill = ::CreateSolidBrush(m_background);
    ::FillRect(dc, &button, fill);
    ::DeleteObject(fill);
    // The arrow keeps its 18 x 16 shape, centred in the button.
    const int width = button.right - button.left;
    const int height = button.bottom - button.top;
    const int arrowWidth = width < 18 ? width : 18;
    const int arrowHeight = height < 16 ? height : 16;
    RECT arrow = {button.left + (width - arrowWidth) / 2, button.top + (height - arrowHeight) / 2, 0, 0};
    arrow.right = arrow.left + arrowWidth;
    arrow.bottom = arrow.top + arrowHeight;
    DrawSkinBitmap(dc, m_down ? m_pressed : m_normal, arrow);
    ::ReleaseDC(combo, dc);
}

LRESULT CALLBACK CComboArrowSkin::ComboProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                  UINT_PTR id, DWORD_PTR data)
{
    auto* skin = reinterpret_cast<CComboArrowSkin*>(data);
    switch (message) {
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(hWnd, &CComboArrowSkin::ComboProc, id);
        skin->m_combo = nullptr;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        skin->m_down = skin->InButton(hWnd, lParam);
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        skin->m_down = false;
        break;
    default:
        break;
    }
    const LRESULT result = ::DefSubclassProc(hWnd, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_ENABLE:
        if (skin->m_combo)
            skin->PaintButton(hWnd);
        break;
    default:
        break;
    }
    return result;
}
