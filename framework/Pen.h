// CPen: an owned GDI pen.
#pragma once

#include "framework/GdiObject.h"

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }

    BOOL CreatePen(int style, int width, COLORREF color)
    {
        return TakeNew(::CreatePen(style, width, color));
    }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};
