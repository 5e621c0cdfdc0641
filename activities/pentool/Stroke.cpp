#include "activities/pentool/Stroke.h"

#include "activities/pentool/core/NoteGeometry.h"
#include "foundation/MemBitmap.h"

IMPLEMENT_SERIAL(CStroke, CObject, 2)

CStroke::CStroke(int kind, int widthIndex, BOOL semiTransparent, COLORREF colour)
    : m_kind(kind), m_width(note::StrokeWidth(kind, widthIndex)), m_widthIndex(widthIndex),
      m_semiTransparent(semiTransparent ? 1 : 0), m_colour(colour)
{
}

void RestoreEraserSquare(HDC dc, CMemBitmap& eraserSource, CPoint point)
{
    const note::Square square = note::EraserSquare(point.x, point.y);
    if (square.IsEmpty()) return;
    ::BitBlt(dc, square.left, square.top, square.right - square.left, square.bottom - square.top,
             eraserSource.GetSafeHdc(), square.left, square.top, SRCCOPY);
}

BOOL CStroke::DrawStroke(HDC dc, CMemBitmap* eraserSource) const
{
    if (m_points.empty()) return TRUE;
    HPEN pen = ::CreatePen(PS_SOLID, m_width, m_colour);
    if (!pen) return FALSE;
    const int oldBkMode = ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    if (m_kind == note::kPenKind) {
        const int oldRop = ::SetROP2(dc, m_semiTransparent ? R2_MASKPEN : R2_COPYPEN);
        ::Polyline(dc, m_points.data(), static_cast<int>(m_points.size()));
        ::SetROP2(dc, oldRop);
    } else if (m_kind == note::kEraserKind && eraserSource) {
        for (const CPoint& point : m_points) RestoreEraserSquare(dc, *eraserSource, point);
    }
    ::SelectObject(dc, oldPen);
    ::SetBkMode(dc, oldBkMode);
    ::DeleteObject(pen);
    return TRUE;
}
