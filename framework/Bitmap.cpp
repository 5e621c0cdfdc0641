#include "framework/Bitmap.h"

#include "framework/Afx.h"

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    if (LoadBitmap(AfxGetResourceHandle(), resourceId))
        return TRUE;
    return AfxGetResourceHandle() != AfxGetInstanceHandle() &&
           LoadBitmap(AfxGetInstanceHandle(), resourceId);
}

BOOL CBitmap::LoadBitmap(HINSTANCE module, UINT resourceId)
{
    return TakeNew(::LoadBitmapW(module, MAKEINTRESOURCEW(resourceId)));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    if (dc && dc->GetSafeHdc())
        return TakeNew(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height));
    HDC screen = ::GetDC(nullptr);
    const BOOL made = TakeNew(::CreateCompatibleBitmap(screen, width, height));
    ::ReleaseDC(nullptr, screen);
    return made;
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return TakeNew(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

SIZE CBitmap::GetSize() const
{
    BITMAP info = {};
    if (!GetBitmap(&info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}
