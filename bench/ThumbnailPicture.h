// The thumbnail the benchmarks send: eight coloured bands (and a caption when given), as JPEG.
#pragma once

#include "foundation/MemBitmap.h"
#include "ui/ImageEncoders.h"

#include <objbase.h>
#include <gdiplus.h>

#include <cwchar>
#include <vector>

inline std::vector<BYTE> BandedThumbnailJpeg(int width, int height, const wchar_t* caption = nullptr)
{
    CMemBitmap picture;
    picture.Create(width, height, 32);
    for (int band = 0; band < 8; ++band) {
        HBRUSH brush = ::CreateSolidBrush(RGB(band * 31, 200 - band * 20, band * 17));
        RECT rect = {0, band * height / 8, width, (band + 1) * height / 8};
        ::FillRect(picture.GetSafeHdc(), &rect, brush);
        ::DeleteObject(brush);
    }
    if (caption)
        ::TextOutW(picture.GetSafeHdc(), 10, 10, caption, static_cast<int>(wcslen(caption)));
    Gdiplus::Bitmap bitmap(picture.GetBitmap(), nullptr);
    return EncodeImageBytes(bitmap, L"image/jpeg");
}
