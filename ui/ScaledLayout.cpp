#include "ui/ScaledLayout.h"

#include "framework/Font.h"
#include "ui/UiScale.h"

CRect ScaledRect(int x, int y, int width, int height)
{
    return CRect(ScaleToUi(x), ScaleToUi(y), ScaleToUi(x) + ScaleToUi(width), ScaleToUi(y) + ScaleToUi(height));
}

void PlaceScaled(CWnd* control, int x, int y, int width, int height, CFont* font)
{
    if (!control || !control->GetSafeHwnd())
        return;
    const CRect rect = ScaledRect(x, y, width, height);
    control->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
    if (font && font->GetSafeHandle())
        control->SetFont(*font);
}
