#include "foundation/MemBitmap.h"

namespace {

const int kPaletteEntries = 256;

} // namespace

CMemBitmap::~CMemBitmap()
{
    Release();
}

void CMemBitmap::Create(int width, int height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0) return;
    // Pictures are remade for every received image: only a new size rebuilds one. A new depth
    // alone keeps the picture at its first depth; its users draw by GetBitsPerPixel.
    if (m_dc.GetSafeHdc() && m_bits && width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    Rebuild();
}

void CMemBitmap::Release()
{
    if (!m_dc.GetSafeHdc()) return;
    if (m_previousBitmap) m_dc.SelectObject(m_previousBitmap);
    m_previousBitmap = nullptr;
    if (m_bitmap) DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_bits = nullptr;
    m_imageSize = 0;
    m_dc.DeleteDC();
}

const BITMAPINFO* CMemBitmap::GetBitmapInfo() const
{
    return m_description.empty() ? nullptr : reinterpret_cast<const BITMAPINFO*>(m_description.data());
}

void CMemBitmap::FillDescription()
{
    const bool palette = m_bitsPerPixel != 32;
    m_description.assign(sizeof(BITMAPINFOHEADER) + (palette ? kPaletteEntries * sizeof(RGBQUAD) : 0), 0);
    BITMAPINFO* info = reinterpret_cast<BITMAPINFO*>(m_description.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = m_width;
    info->bmiHeader.biHeight = m_height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(m_bitsPerPixel);
    info->bmiHeader.biCompression = BI_RGB;
    if (!palette) return;
    info->bmiHeader.biClrUsed = kPaletteEntries;
    for (int i = 0; i < kPaletteEntries; ++i) {
        BYTE grey = static_cast<BYTE>(i);
        info->bmiColors[i] = RGBQUAD{grey, grey, grey, 0};
    }
}

void CMemBitmap::Rebuild()
{
    Release();
    HWND desktop = GetDesktopWindow();
    HDC screen = ::GetDC(desktop);
    CDC screenDC;
    screenDC.Attach(screen);
    m_dc.CreateCompatibleDC(&screenDC);
    screenDC.Detach();

    FillDescription();
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(screen, GetBitmapInfo(), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_bitmap && bits && m_dc.GetSafeHdc()) {
        m_bits = static_cast<BYTE*>(bits);
        m_previousBitmap = m_dc.SelectObject(m_bitmap);
        m_dc.PatBlt(0, 0, m_width, m_height, BLACKNESS);
        DIBSECTION section{};
        if (GetObjectW(m_bitmap, sizeof(section), &section) == sizeof(section))
            m_imageSize = static_cast<DWORD>(section.dsBm.bmWidthBytes) * static_cast<DWORD>(section.dsBm.bmHeight);
    } else {
        // A later Create of any size must try again rather than find "the same size".
        if (m_bitmap) DeleteObject(m_bitmap);
        m_bitmap = nullptr;
        m_width = 0;
        m_height = 0;
    }
    ::ReleaseDC(desktop, screen);
}
