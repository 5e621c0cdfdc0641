// CMemBitmap: an off-screen picture, a memory device context with a DIB section selected
// into it, so the same pixels can be drawn with GDI and read directly. Rows are bottom-up;
// 32 bits per pixel is blue, green, red, unused; 8 bits per pixel indexes a grey palette.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "framework/DC.h"

#include <vector>

class CMemBitmap {
public:
    CMemBitmap() = default;
    ~CMemBitmap();

    CMemBitmap(const CMemBitmap&) = delete;
    CMemBitmap& operator=(const CMemBitmap&) = delete;

    // Builds the picture unless the size is not positive or the picture already has this size
    // (then it is kept, pixels, depth and all: the depth asked for is not the one to write by,
    // GetBitsPerPixel is).
    void Create(int width, int height, int bitsPerPixel = 32);
    // Drops the context and bitmap and builds them anew, black. When the bitmap cannot be made
    // the picture is left with a context, no bits and a size of 0 x 0.
    void Rebuild();

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBitsPerPixel() const { return m_bitsPerPixel; }
    DWORD GetImageSize() const { return m_imageSize; }
    BYTE* GetBits() const { return m_bits; }
    HBITMAP GetBitmap() const { return m_bitmap; }
    HDC GetSafeHdc() const { return m_dc.GetSafeHdc(); }
    CDC& GetDC() { return m_dc; }
    const BITMAPINFO* GetBitmapInfo() const;

private:
    void Release();
    void FillDescription();

    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 32;
    DWORD m_imageSize = 0;
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    BYTE* m_bits = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    std::vector<BYTE> m_description;   // BITMAPINFOHEADER, plus 256 grey entries below 32 bpp
};
