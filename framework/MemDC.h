// Double buffering: drawing goes to a memory bitmap the size of the area, and the destructor
// copies it to the target in one blit, so a repaint never shows half a picture. In the memory
// context the area's top-left corner is 0,0. When no memory bitmap can be made, GetDC() is the
// target itself and IsBuffered() is false: the caller draws directly (an area at 0,0) or skips
// the paint.
#pragma once

#include "framework/Bitmap.h"
#include "framework/DC.h"

class CMemDC {
public:
    CMemDC(HDC target, const RECT& area);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    CDC& GetDC() { return IsBuffered() ? m_memory : static_cast<CDC&>(m_target); }
    bool IsBuffered() const { return m_previous != nullptr; }

private:
    CDCHandle m_target;
    CRect m_area;
    CDC m_memory;
    CBitmap m_canvas;
    HGDIOBJ m_previous = nullptr;
};
