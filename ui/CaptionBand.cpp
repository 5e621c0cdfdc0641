#include "ui/CaptionBand.h"

#include "ui/UiScale.h"

bool IsInCaptionBand(CWnd& window, CPoint screenPoint, int designHeight)
{
    CPoint client = screenPoint;
    window.ScreenToClient(&client);
    CRect band;
    window.GetClientRect(&band);
    band.bottom = ScaleToUi(designHeight);
    return band.PtInRect(client) != FALSE;
}

void PaintCaptionBand(CDC& dc, const CRect& client, COLORREF background, COLORREF band, int designHeight)
{
    dc.FillSolidRect(client, background);
    const int height = ScaleToUi(designHeight);
    dc.FillSolidRect(0, 0, client.Width(), height, band);
    dc.FillSolidRect(0, height, client.Width(), 1, RGB(0, 0, 0));
}
