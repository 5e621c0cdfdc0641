// CBitmap: an owned GDI bitmap.
#pragma once

#include "framework/GdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
public:
    // A bitmap resource of the resource module (g_langResource, else the executable); FALSE
    // when neither has it.
    BOOL LoadBitmap(UINT resourceId);
    BOOL LoadBitmap(HINSTANCE module, UINT resourceId);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
    // Width and height in pixels (0, 0 without a bitmap).
    SIZE GetSize() const;
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
