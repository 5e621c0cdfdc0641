#include "sessions/ThumbnailDecoder.h"

#include "foundation/MemBitmap.h"
#include "sessions/PCInfo.h"
#include "sessions/PictureStream.h"
#include "ui/RotateImage.h"

#include <gdiplus.h>

#include <memory>

namespace {

constexpr int kCopyAttempts = 3;

// A 32-bit target is drawn through a GDI+ bitmap over its own pixels, as GDI+ draws into any
// picture of its own: drawn through the target's device context instead, GDI+ makes, selects and
// deletes a device context of its own for every picture, and under Wine each of those steps
// reselects the context's font through the display connection all threads share.
bool DrawOverPixels(Gdiplus::Bitmap& picture, CMemBitmap& target)
{
    const INT stride = target.GetWidth() * 4;
    BYTE* topRow = target.GetBits() + static_cast<size_t>(target.GetHeight() - 1) * stride;   // rows are bottom-up
    Gdiplus::Bitmap pixels(target.GetWidth(), target.GetHeight(), -stride, PixelFormat32bppRGB, topRow);
    Gdiplus::Graphics graphics(&pixels);
    if (graphics.GetLastStatus() != Gdiplus::Ok)
        return false;
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    const Gdiplus::Rect where(0, 0, static_cast<INT>(picture.GetWidth()), static_cast<INT>(picture.GetHeight()));
    return graphics.DrawImage(&picture, where) == Gdiplus::Ok;
}

bool DrawPicture(Gdiplus::Bitmap& picture, CMemBitmap& target)
{
    if (!target.GetBits())
        return false;
    // The target is kept from part to part: a smaller picture leaves black around it, as on a
    // new bitmap.
    if (picture.GetWidth() < static_cast<UINT>(target.GetWidth()) ||
        picture.GetHeight() < static_cast<UINT>(target.GetHeight())) {
        ::PatBlt(target.GetSafeHdc(), 0, 0, target.GetWidth(), target.GetHeight(), BLACKNESS);
        ::GdiFlush();   // before the pixels are written directly
    }
    if (target.GetBitsPerPixel() == 32)
        return DrawOverPixels(picture, target);
    Gdiplus::Graphics graphics(target.GetSafeHdc());
    const Gdiplus::Rect where(0, 0, static_cast<INT>(picture.GetWidth()),
                              static_cast<INT>(picture.GetHeight()));
    return graphics.DrawImage(&picture, where) == Gdiplus::Ok;
}

} // namespace

bool CThumbnailDecoder::DrawPart(CPCInfo& slot, const RECT& destination, const BYTE* jpeg, UINT length)
{
    ThumbnailSlotState state;
    state.clientKind = slot.m_clientKind.load();
    state.orientation = slot.m_orientation.load();
    {
        CCriticalSectionLock lock(slot.GetLock());
        state.width = slot.m_thumbnail.GetWidth();
        state.height = slot.m_thumbnail.GetHeight();
    }
    m_slot = &slot;
    bool drawn = false;
    const PacketRect rect{destination.left, destination.top, destination.right, destination.bottom};
    const ThumbnailPartCheck check = DecodeThumbnailPart(state, rect, jpeg, length, *this, drawn);
    m_slot = nullptr;
    if (check.verdict != ThumbnailPartVerdict::Draw)
        TRACE(L"PC:%d thumbnail part %dx%d (picture %dx%d) refused: %hs\n", slot.m_slotNumber.load(), check.width,
              check.height, check.picture.width, check.picture.height, ThumbnailPartVerdictText(check.verdict));
    return drawn;
}

// -- The canvas ----------------------------------------------------------------------------------

bool CThumbnailDecoder::MakePicture(int width, int height)
{
    m_picture.Create(width, height, m_slot->m_bitsPerPixel.load() == 8 ? 8 : 32);
    return m_picture.GetBits() != nullptr;
}

bool CThumbnailDecoder::DrawJpeg(const uint8_t* jpeg, size_t length, const PictureSize& measured, bool upright)
{
    if (!EnsureStream() || !WriteWholeStream(m_stream, jpeg, length))
        return false;
    if (upright) {
        // Bounds first: rotating decodes the whole picture. The probe lets go of the stream
        // before the stream is rewritten.
        const bool usable = OpenMeasuredPicture(m_stream, measured) != nullptr;
        if (!usable || !RotateImageInStream(m_stream, m_slot->m_orientation.load()))
            return false;
    }
    std::unique_ptr<Gdiplus::Bitmap> decoded = OpenMeasuredPicture(m_stream, measured);
    return decoded && DrawPicture(*decoded, m_picture);
}

bool CThumbnailDecoder::StretchUpright(int width, int height)
{
    m_upright.Create(width, height, m_picture.GetBitsPerPixel());
    if (!m_upright.GetBits())
        return false;
    ::SetStretchBltMode(m_upright.GetSafeHdc(), HALFTONE);
    ::SetBrushOrgEx(m_upright.GetSafeHdc(), 0, 0, nullptr);
    return ::StretchBlt(m_upright.GetSafeHdc(), 0, 0, width, height, m_picture.GetSafeHdc(), 0, 0,
                        m_picture.GetWidth(), m_picture.GetHeight(), SRCCOPY) != FALSE;
}

// Retried when GDI is busy.
bool CThumbnailDecoder::CopyToSlot(int x, int y, int sourceX, int sourceY, int width, int height, bool fromUpright)
{
    const HDC source = (fromUpright ? m_upright : m_picture).GetSafeHdc();
    for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
        {
            CCriticalSectionLock lock(m_slot->GetLock());
            if (::BitBlt(m_slot->m_thumbnail.GetSafeHdc(), x, y, width, height, source, sourceX, sourceY, SRCCOPY)) {
                ++m_slot->m_thumbnailGeneration;   // the grid paints the cell again
                return true;
            }
        }
        ::Sleep(1);
    }
    return false;
}

void CThumbnailDecoder::Release()
{
    if (m_stream)
        m_stream->Release();
    m_stream = nullptr;
    if (m_storage)
        m_storage->Release();
    m_storage = nullptr;
}

bool CThumbnailDecoder::EnsureStream()
{
    if (m_stream)
        return true;
    if (m_storageFailed)
        return false;
    const DWORD mode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE;
    if (FAILED(::StgCreateDocfile(nullptr, mode, 0, &m_storage)) ||
        FAILED(m_storage->CreateStream(L"StreamImage1", STGM_CREATE | STGM_READWRITE |
                                                            STGM_SHARE_EXCLUSIVE,
                                       0, 0, &m_stream))) {
        TRACE(L"Thumbnail storage could not be made; thumbnails stay as they are\n");
        Release();
        m_storageFailed = true;
        return false;
    }
    return true;
}
