// Every skinned window draws its own caption band and lets it drag the window: a point in the
// band answers HTCAPTION to the hit test.
#pragma once

#include "framework/DC.h"
#include "framework/Wnd.h"

// True when the screen point lies in the client area's top band of the given design height
// (scaled by g_uiScale).
bool IsInCaptionBand(CWnd& window, CPoint screenPoint, int designHeight);
// The window's background, then the band of that design height across its top, closed by a
// one-pixel black line.
void PaintCaptionBand(CDC& dc, const CRect& client, COLORREF background, COLORREF band, int designHeight);
