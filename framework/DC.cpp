#include "framework/DC.h"

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC || m_hDC) return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC) return FALSE;
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    return m_hDC != nullptr;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object)
{
    if (!m_hDC || !object) return nullptr;
    return ::SelectObject(m_hDC, object);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop)
{
    if (!m_hDC) return FALSE;
    return ::BitBlt(m_hDC, x, y, width, height, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, rop);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    if (!m_hDC) return FALSE;
    return ::PatBlt(m_hDC, x, y, width, height, rop);
}
