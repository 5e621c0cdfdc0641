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
