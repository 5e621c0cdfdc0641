// Pictures of windows and of the screen as 24-bit BMP files. A window is taken from the screen
// when nothing covers it (that is exactly what the user sees), otherwise with PrintWindow, and
// from the screen after all when PrintWindow draws nothing (always so under Wine).
#pragma once

#include "tests/tools/uidriver/CommandArgs.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace uidriver {

// A bottom-up 24-bit DIB section selected into a memory DC: its bits are a BMP file's pixel array.
class DibImage {
public:
    DibImage(int width, int height) : m_width(width), m_height(height)
    {
        if (width <= 0 || height <= 0) Fail(kNotFound, L"nothing to capture: empty rectangle");
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        if (!m_dc || !m_bitmap) {
            Release();
            Fail(kNotFound, L"cannot create the capture bitmap");
        }
        m_oldBitmap = SelectObject(m_dc, m_bitmap);
    }
    ~DibImage() { Release(); }
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return (m_width * 3 + 3) & ~3; }
    size_t ByteCount() const { return static_cast<size_t>(Stride()) * m_height; }

    bool SameAs(const DibImage& other) const
    {
        GdiFlush();
        return other.m_width == m_width && other.m_height == m_height &&
               std::memcmp(other.m_bits, m_bits, ByteCount()) == 0;
    }

    bool IsAll(COLORREF colour) const
    {
        GdiFlush();
        for (int y = 0; y < m_height; ++y) {
            const uint8_t* p = m_bits + static_cast<size_t>(y) * Stride();
            for (int x = 0; x < m_width; ++x, p += 3)
                if (RGB(p[2], p[1], p[0]) != colour) return false;
        }
        return true;
    }

    // Colour at (x, y) counted from the top-left corner.
    COLORREF Pixel(int x, int y) const
    {
        GdiFlush();
        const uint8_t* p = m_bits + static_cast<size_t>(m_height - 1 - y) * Stride() + x * 3;
        return RGB(p[2], p[1], p[0]);
    }

    void Save(const std::wstring& path) const
    {
        GdiFlush();
        BITMAPINFOHEADER info{};
        info.biSize = sizeof info;
        info.biWidth = m_width;
        info.biHeight = m_height;
        info.biPlanes = 1;
        info.biBitCount = 24;
        info.biCompression = BI_RGB;
        info.biSizeImage = static_cast<DWORD>(ByteCount());
        BITMAPFILEHEADER header{};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof header + sizeof info;
        header.bfSize = header.bfOffBits + info.biSizeImage;

        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) Fail(kNotFound, L"cannot create " + path);
        bool written = WriteAll(file, &header, sizeof header) && WriteAll(file, &info, sizeof info) &&
                       WriteAll(file, m_bits, info.biSizeImage);
        CloseHandle(file);
        if (!written) Fail(kNotFound, L"cannot write " + path);
    }

private:
    static bool WriteAll(HANDLE file, const void* data, DWORD size)
    {
        DWORD done = 0;
        return WriteFile(file, data, size, &done, nullptr) && done == size;
    }

    void Release()
    {
        if (m_oldBitmap) SelectObject(m_dc, m_oldBitmap);
        if (m_bitmap) DeleteObject(m_bitmap);
        if (m_dc) DeleteDC(m_dc);
        m_oldBitmap = nullptr;
        m_bitmap = nullptr;
        m_dc = nullptr;
    }

    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    uint8_t* m_bits = nullptr;
};

inline RECT ScreenBounds()
{
    int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// Window rectangle, or its client area, in screen coordinates.
inline RECT AreaOf(HWND window, bool clientOnly)
{
    RECT area{};
    if (!clientOnly) {
        GetWindowRect(window, &area);
        return area;
    }
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

// True when no visible top-level window above window's root overlaps the part of the area that
// is on the screen, so a screen copy shows the window itself. (A maximised window's frame lies
// off the screen and is not missed.)
inline bool IsUncovered(HWND window, const RECT& area)
{
    HWND root = GetAncestor(window, GA_ROOT);
    if (!IsWindowVisible(window) || IsIconic(root)) return false;
    RECT screen = ScreenBounds(), visible{};
    if (!IntersectRect(&visible, &area, &screen)) return false;
    for (HWND above = GetWindow(root, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        RECT rect{}, overlap{};
        if (IsWindowVisible(above) && GetWindowRect(above, &rect) && IntersectRect(&overlap, &rect, &visible))
            return false;
    }
    return true;
}

inline void CopyFromScreen(DibImage& image, POINT origin)
{
    HDC screen = GetDC(nullptr);
    BOOL copied = BitBlt(image.Dc(), 0, 0, image.Width(), image.Height(), screen, origin.x, origin.y,
                         SRCCOPY | CAPTUREBLT);
    ReleaseDC(nullptr, screen);
    if (!copied) Fail(kNotFound, L"BitBlt from the screen failed");
}

// Copies until two copies some time apart agree: a window that was just shown, raised or
// changed reaches the screen a little later than its painting code ran.
inline bool CopySettledFromScreen(DibImage& image, POINT origin, DWORD settleMs)
{
    CopyFromScreen(image, origin);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < settleMs) {
        Sleep(50);
        DibImage next(image.Width(), image.Height());
        CopyFromScreen(next, origin);
        if (next.SameAs(image)) return true;
        BitBlt(image.Dc(), 0, 0, image.Width(), image.Height(), next.Dc(), 0, 0, SRCCOPY);
    }
    return settleMs == 0;
}

// Wine's PrintWindow hands the window a DC that means nothing in the window's own process, so
// for another program's window it returns TRUE and draws nothing. A picture still wholly in the
// fill colour therefore counts as a failure.
inline bool PrintWindowInto(DibImage& image, HWND window, bool clientOnly)
{
    const COLORREF untouched = RGB(0x12, 0x34, 0x56);
    HBRUSH fill = CreateSolidBrush(untouched);
    RECT all{0, 0, image.Width(), image.Height()};
    FillRect(image.Dc(), &all, fill);
    DeleteObject(fill);
    return PrintWindow(window, image.Dc(), clientOnly ? PW_CLIENTONLY : 0) && !image.IsAll(untouched);
}

inline COLORREF ScreenPixel(POINT screen)
{
    DibImage pixel(1, 1);
    CopyFromScreen(pixel, screen);
    return pixel.Pixel(0, 0);
}

} // namespace uidriver
