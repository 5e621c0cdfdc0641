#include "framework/DC.h"

#include "framework/GdiObject.h"

#include <cwchar>

namespace {

int TextLength(const wchar_t* text, int length)
{
    if (!text)
        return 0;
    return length < 0 ? static_cast<int>(std::wcslen(text)) : length;
}

} // namespace

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

HGDIOBJ CDC::SelectObject(const CGdiObject* object)
{
    return object ? SelectObject(object->GetSafeHandle()) : nullptr;
}

HGDIOBJ CDC::SelectStockObject(int index)
{
    return SelectObject(::GetStockObject(index));
}

int CDC::SaveDC()
{
    return m_hDC ? ::SaveDC(m_hDC) : 0;
}

BOOL CDC::RestoreDC(int saved)
{
    return m_hDC ? ::RestoreDC(m_hDC, saved) : FALSE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop)
{
    if (!m_hDC) return FALSE;
    return ::BitBlt(m_hDC, x, y, width, height, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc,
                     int srcWidth, int srcHeight, DWORD rop)
{
    if (!m_hDC) return FALSE;
    return ::StretchBlt(m_hDC, x, y, width, height, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        srcWidth, srcHeight, rop);
}

int CDC::SetStretchBltMode(int mode)
{
    if (!m_hDC) return 0;
    const int old = ::SetStretchBltMode(m_hDC, mode);
    if (mode == HALFTONE)
        ::SetBrushOrgEx(m_hDC, 0, 0, nullptr);   // halftoning needs the brush origin reset
    return old;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    if (!m_hDC) return FALSE;
    return ::PatBlt(m_hDC, x, y, width, height, rop);
}

void CDC::FillSolidRect(const RECT& rect, COLORREF color)
{
    if (!m_hDC) return;
    const COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color)
{
    FillSolidRect(CRect(x, y, x + width, y + height), color);
}

void CDC::FillRect(const RECT& rect, HBRUSH brush)
{
    if (m_hDC) ::FillRect(m_hDC, &rect, brush);
}

void CDC::FrameRect(const RECT& rect, HBRUSH brush)
{
    if (m_hDC) ::FrameRect(m_hDC, &rect, brush);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    return m_hDC ? ::Rectangle(m_hDC, left, top, right, bottom) : FALSE;
}

BOOL CDC::Rectangle(const RECT& rect)
{
    return Rectangle(rect.left, rect.top, rect.right, rect.bottom);
}

BOOL CDC::RoundRect(const RECT& rect, POINT corner)
{
    return m_hDC ? ::RoundRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom, corner.x,
                               corner.y)
                 : FALSE;
}

BOOL CDC::Ellipse(const RECT& rect)
{
    return m_hDC ? ::Ellipse(m_hDC, rect.left, rect.top, rect.right, rect.bottom) : FALSE;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {0, 0};
    if (m_hDC) ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}

BOOL CDC::LineTo(int x, int y)
{
    return m_hDC ? ::LineTo(m_hDC, x, y) : FALSE;
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    return m_hDC ? ::Polygon(m_hDC, points, count) : FALSE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    return m_hDC ? ::SetPixel(m_hDC, x, y, color) : CLR_INVALID;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return m_hDC ? ::GetPixel(m_hDC, x, y) : CLR_INVALID;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    return m_hDC ? ::SetTextColor(m_hDC, color) : CLR_INVALID;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    return m_hDC ? ::SetBkColor(m_hDC, color) : CLR_INVALID;
}

int CDC::SetBkMode(int mode)
{
    return m_hDC ? ::SetBkMode(m_hDC, mode) : 0;
}

BOOL CDC::TextOut(int x, int y, const wchar_t* text, int length)
{
    return m_hDC ? ::TextOutW(m_hDC, x, y, text, TextLength(text, length)) : FALSE;
}

int CDC::DrawText(const wchar_t* text, int length, RECT* rect, UINT format)
{
    return m_hDC ? ::DrawTextW(m_hDC, text ? text : L"", TextLength(text, length), rect, format) : 0;
}

CSize CDC::GetTextExtent(const wchar_t* text, int length) const
{
    SIZE size = {0, 0};
    if (m_hDC) ::GetTextExtentPoint32W(m_hDC, text ? text : L"", TextLength(text, length), &size);
    return CSize(size);
}

BOOL CDC::GetTextMetrics(TEXTMETRICW* metrics) const
{
    return m_hDC ? ::GetTextMetricsW(m_hDC, metrics) : FALSE;
}

int CDC::GetDeviceCaps(int index) const
{
    return m_hDC ? ::GetDeviceCaps(m_hDC, index) : 0;
}

int CDC::IntersectClipRect(const RECT& rect)
{
    return m_hDC ? ::IntersectClipRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom) : ERROR;
}

int CDC::GetClipBox(RECT* rect) const
{
    return m_hDC ? ::GetClipBox(m_hDC, rect) : ERROR;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old = {0, 0};
    if (m_hDC) ::SetViewportOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old = {0, 0};
    if (m_hDC) ::SetWindowOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}
