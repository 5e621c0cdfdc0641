// CBrush: an owned GDI brush.
#pragma once

#include "framework/GdiObject.h"

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }

    BOOL CreateSolidBrush(COLORREF color) { return TakeNew(::CreateSolidBrush(color)); }
    BOOL CreateHatchBrush(int hatch, COLORREF color) { return TakeNew(::CreateHatchBrush(hatch, color)); }
    BOOL CreatePatternBrush(HBITMAP bitmap) { return TakeNew(::CreatePatternBrush(bitmap)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};
