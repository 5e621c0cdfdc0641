#include "activities/screenshare/BroadPartData.h"

#include <cstring>

CBroadPartData::CBroadPartData(int index, int left, int top, int right, int bottom)
    : m_index(index), m_rect{left, top, right, bottom}
{
    if (m_rect.Width() <= 0 || m_rect.Height() <= 0)
        return;
    m_current.Create(m_rect.Width(), m_rect.Height(), 32);
    m_previous.Create(m_rect.Width(), m_rect.Height(), 32);
}

CBroadPartData::~CBroadPartData() = default;

bool CBroadPartData::TakeFrom(HDC canvas)
{
    if (!m_current.GetBits() || !m_previous.GetBits())
        return false;
    ::BitBlt(m_current.GetSafeHdc(), 0, 0, m_rect.Width(), m_rect.Height(), canvas, m_rect.left,
             m_rect.top, SRCCOPY);
    ::GdiFlush();
    return std::memcmp(m_current.GetBits(), m_previous.GetBits(), m_current.GetImageSize()) != 0;
}

ShareCanvasPixels ShareCanvasPixels::Of(HDC canvas)
{
    ShareCanvasPixels pixels;
    DIBSECTION dib = {};
    HGDIOBJ bitmap = canvas ? ::GetCurrentObject(canvas, OBJ_BITMAP) : nullptr;
    if (!bitmap || ::GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits ||
        dib.dsBm.bmBitsPixel != 32)
        return pixels;
    ::GdiFlush();
    pixels.bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
    pixels.stride = dib.dsBm.bmWidthBytes;
    pixels.width = dib.dsBm.bmWidth;
    pixels.height = dib.dsBm.bmHeight;
    pixels.bottomUp = dib.dsBmih.biHeight > 0;
    return pixels;
}

bool CBroadPartData::TakeFrom(const ShareCanvasPixels& canvas)
{
    if (!m_current.GetBits() || !m_previous.GetBits())
        return false;
    if (!canvas.bits || m_rect.left < 0 || m_rect.top < 0 || m_rect.right > canvas.width ||
        m_rect.bottom > canvas.height)
        return false;
    const int height = m_rect.Height();
    const size_t rowBytes = static_cast<size_t>(m_rect.Width()) * 4;
    const size_t tileStride = rowBytes;     // 32-bit rows need no padding
    bool differs = false;
    for (int y = 0; y < height; ++y) {
        const BYTE* from = canvas.Row(m_rect.top + y) + static_cast<size_t>(m_rect.left) * 4;
        const size_t at = static_cast<size_t>(height - 1 - y) * tileStride;    // the tile's rows are bottom-up
        std::memcpy(m_current.GetBits() + at, from, rowBytes);
        differs = differs || std::memcmp(from, m_previous.GetBits() + at, rowBytes) != 0;
    }
    return differs;
}

void CBroadPartData::CopyCurrentTo(CMemBitmap& strip, int x) const
{
    if (!m_current.GetBits() || !strip.GetBits() || strip.GetHeight() != m_rect.Height() ||
        strip.GetBitsPerPixel() != 32 || x < 0 || x + m_rect.Width() > strip.GetWidth())
        return;
    // Both are bottom-up with the same number of rows: row for row at the same index.
    const size_t rowBytes = static_cast<size_t>(m_rect.Width()) * 4;
    const size_t stripStride = static_cast<size_t>(strip.GetWidth()) * 4;
    for (int row = 0; row < m_rect.Height(); ++row)
        std::memcpy(strip.GetBits() + row * stripStride + static_cast<size_t>(x) * 4,
                    m_current.GetBits() + row * rowBytes, rowBytes);
}

void CBroadPartData::MarkSent()
{
    if (m_current.GetBits() && m_previous.GetBits())
        std::memcpy(m_previous.GetBits(), m_current.GetBits(), m_current.GetImageSize());
    m_sent = true;
}
