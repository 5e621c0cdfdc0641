#include "framework/PaintDC.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr)
{
    if (m_hWnd)
        m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd)
        ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;   // EndPaint released it
}
