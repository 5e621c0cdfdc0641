#include "ui/SkinDraw.h"

#include <objidl.h>
#include <gdiplus.h>

namespace {

BOOL DrawWithGdiPlus(HDC dc, HBITMAP bitmap, const RECT& to, const RECT& from)
{
    Gdiplus::Graphics graphics(dc);
    if (graphics.GetLastStatus() != Gdiplus::Ok)
        return FALSE;   // GDI+ not started
    Gdiplus::Bitmap* image = Gdiplus::Bitmap::FromHBITMAP(bitmap, nullptr);
    if (!image)
        return FALSE;
    BOOL drawn = FALSE;
    if (image->GetLastStatus() == Gdiplus::Ok) {
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        Gdiplus::ImageAttributes attributes;
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);   // no blurred edge when scaling
        const Gdiplus::Rect target(to.left, to.top, to.right - to.left, to.bottom - to.top);
        drawn = graphics.DrawImage(image, target, from.left, from.top, from.right - from.left,
                                   from.bottom - from.top, Gdiplus::UnitPixel, &attributes) ==
                Gdiplus::Ok;
    }
    delete image;
    return drawn;
}

BOOL DrawWithGdi(HDC dc, HBITMAP bitmap, const RECT& to, const RECT& from)
{
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return FALSE;
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin;
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    const BOOL drawn = StretchBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top,
                                  memory, from.left, from.top, from.right - from.left,
                                  from.bottom - from.top, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
    SelectObject(memory, previous);
    DeleteDC(memory);
    return drawn;
}

} // namespace

BOOL DrawSkinBitmap(HDC dc, HBITMAP bitmap, const RECT& destination, const RECT* source)
{
    BITMAP info = {};
    if (!dc || !bitmap || !GetObjectW(bitmap, sizeof(info), &info))
        return FALSE;
    const RECT whole = {0, 0, info.bmWidth, info.bmHeight};
    const RECT& from = source ? *source : whole;
    return DrawWithGdiPlus(dc, bitmap, destination, from) ||
           DrawWithGdi(dc, bitmap, destination, from);
}
