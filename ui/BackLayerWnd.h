// CBackLayerWnd: a plain layer behind other windows, painted with a skin bitmap (scaled by
// g_uiScale) or a solid colour. Timer 1 repaints it.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Wnd.h"

class CBackLayerWnd : public CWnd {
public:
    enum PaintMode { SolidColor = 0, BitmapPaint = 1 };

    // Loads the bitmap (current resource module), switches to bitmap painting and sizes the
    // window to the bitmap x g_uiScale (floored), without moving it. FALSE when it is missing.
    BOOL SetBitmap(UINT bitmapId);
    // The colour of solid painting (used while no bitmap is set).
    void SetColor(COLORREF color);
    int GetPaintMode() const { return m_paintMode; }
    // The bitmap's size x g_uiScale, floored.
    CSize GetScaledBitmapSize() const;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_bitmap;
    int m_paintMode = SolidColor;
    COLORREF m_color = RGB(0, 0, 0);
};
