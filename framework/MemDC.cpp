#include "framework/MemDC.h"

CMemDC::CMemDC(HDC target, const RECT& area) : m_target(target), m_area(area)
{
    if (!m_memory.CreateCompatibleDC(&m_target) ||
        !m_canvas.CreateCompatibleBitmap(&m_target, m_area.Width(), m_area.Height()))
        return;
    m_previous = m_memory.SelectObject(&m_canvas);
}

CMemDC::~CMemDC()
{
    if (!IsBuffered())
        return;
    ::BitBlt(m_target, m_area.left, m_area.top, m_area.Width(), m_area.Height(), m_memory, 0, 0, SRCCOPY);
    m_memory.SelectObject(m_previous);
}
