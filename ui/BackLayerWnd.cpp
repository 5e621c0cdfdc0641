#include "ui/BackLayerWnd.h"

#include "framework/Brush.h"
#include "framework/PaintDC.h"
#include "framework/Pen.h"
#include "ui/SkinDraw.h"
#include "ui/UiScale.h"

BEGIN_MESSAGE_MAP(CBackLayerWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL CBackLayerWnd::SetBitmap(UINT bitmapId)
{
    m_bitmap.DeleteObject();
    m_paintMode = BitmapPaint;
    if (!m_bitmap.LoadBitmap(bitmapId)) {
        TRACE(L"CBackLayerWnd: bitmap %u missing\n", bitmapId);
        Invalidate();
        return FALSE;
    }
    if (m_hWnd) {
        const CSize size = GetScaledBitmapSize();
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate();
    }
    return TRUE;
}

void CBackLayerWnd::SetColor(COLORREF color)
{
    m_color = color;
    if (m_hWnd)
        Invalidate();
}

CSize CBackLayerWnd::GetScaledBitmapSize() const
{
    const SIZE size = m_bitmap.GetSize();
    return CSize(ScaleToUi(size.cx), ScaleToUi(size.cy));
}

BOOL CBackLayerWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;   // OnPaint covers it
}

void CBackLayerWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_paintMode == BitmapPaint && m_bitmap.GetSafeHandle()) {
        const CSize size = GetScaledBitmapSize();
        DrawSkinBitmap(dc, m_bitmap, CRect(0, 0, size.cx, size.cy));
        return;
    }
    CRect client;
    GetClientRect(&client);
    CPen pen(PS_SOLID, 1, m_color);
    CBrush brush(m_color);
    HGDIOBJ oldPen = dc.SelectObject(&pen);
    HGDIOBJ oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(client);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CBackLayerWnd::OnTimer(UINT_PTR id)
{
    if (id == 1)
        Invalidate();
    else
        CWnd::OnTimer(id);
}
