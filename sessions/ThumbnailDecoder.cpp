#include "sessions/ThumbnailDecoder.h"

#include "foundation/MemBitmap.h"
#include "sessions/PCInfo.h"
#include "ui/RotateImage.h"

#include <gdiplus.h>

#include <memory>

namespace {

constexpr int kCopyAttempts = 3;

bool Rewind(IStream* stream)
{
    LARGE_INTEGER zero = {};
    return SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, nullptr));
}

bool IsTurnedPad(const CPCInfo& slot)
{
    const int orientation = slot.m_orientation.load();
    return slot.m_clientKind.load() == 3 && (orientation == 2 || orientation == 3);
}

// The picture in the stream, when GDI+ reads it at the size its header was measured at (the
// stream holds only what was measured, so anything else is a decoder reading another picture).
std::unique_ptr<Gdiplus::Bitmap> OpenPicture(IStream* stream, const PictureSize& measured)
{
    if (!Rewind(stream))
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> picture(new Gdiplus::Bitmap(stream));
    if (picture->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    const UINT width = picture->GetWidth();
    const UINT height = picture->GetHeight();
    const bool asMeasured = (width == static_cast<UINT>(measured.width) && height == static_cast<UINT>(measured.height)) ||
                            (width == static_cast<UINT>(measured.height) && height == static_cast<UINT>(measured.width));
    return asMeasured ? std::move(picture) : nullptr;
}

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

bool CopyIntoSlot(CPCInfo& slot, const RECT& destination, HDC source)
{
    const int width = destination.right - destination.left;
    const int height = destination.bottom - destination.top;
    for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
        {
            CCriticalSectionLock lock(slot.GetLock());
            if (::BitBlt(slot.m_thumbnail.GetSafeHdc(), destination.left, destination.top, width,
                         height, source, 0, 0, SRCCOPY)) {
                ++slot.m_thumbnailGeneration;   // the grid paints the cell again
                return true;
            }
        }
        ::Sleep(1);
    }
    return false;
}

} // namespace

ThumbnailPartCheck CThumbnailDecoder::CheckPart(CPCInfo& slot, const RECT& destination, const BYTE* jpeg, UINT length)
{
    int slotWidth = 0;
    int slotHeight = 0;
    {
        CCriticalSectionLock lock(slot.GetLock());
        slotWidth = slot.m_thumbnail.GetWidth();
        slotHeight = slot.m_thumbnail.GetHeight();
    }
    return CheckThumbnailPart(destination.left, destination.top, destination.right, destination.bottom, jpeg,
                              length, slotWidth, slotHeight, IsTurnedPad(slot));
}

bool CThumbnailDecoder::DrawPart(CPCInfo& slot, const RECT& destination, const BYTE* jpeg, UINT length)
{
    const ThumbnailPartCheck check = CheckPart(slot, destination, jpeg, length);
    if (check.verdict != ThumbnailPartVerdict::Draw) {
        TRACE(L"PC:%d thumbnail part %dx%d (picture %dx%d) refused: %hs\n", slot.m_slotNumber.load(), check.width,
              check.height, check.picture.width, check.picture.height, ThumbnailPartVerdictText(check.verdict));
        return false;
    }
    const int width = check.width;
    const int height = check.height;
    const int orientation = slot.m_orientation.load();
    const bool unrotatedPad = slot.m_clientKind.load() == 3;
    const bool turned = IsTurnedPad(slot);
    const int bitsPerPixel = slot.m_bitsPerPixel.load() == 8 ? 8 : 32;

    CMemBitmap& picture = m_picture;
    picture.Create(turned ? height : width, turned ? width : height, bitsPerPixel);
    if (!LoadStream(jpeg, length))
        return false;
    if (unrotatedPad) {
        // Bounds first: rotating decodes the whole picture. The probe lets go of the stream
        // before the stream is rewritten.
        const bool usable = OpenPicture(m_stream, check.picture) != nullptr;
        if (!usable || !RotateImageInStream(m_stream, orientation))
            return false;
    }
    {
        std::unique_ptr<Gdiplus::Bitmap> decoded = OpenPicture(m_stream, check.picture);
        if (!decoded || !DrawPicture(*decoded, picture))
            return false;
    }
    if (!turned)
        return CopyIntoSlot(slot, destination, picture.GetSafeHdc());
    CMemBitmap& upright = m_upright;
    upright.Create(width, height, bitsPerPixel);
    if (!upright.GetBits())
        return false;
    ::SetStretchBltMode(upright.GetSafeHdc(), HALFTONE);
    ::SetBrushOrgEx(upright.GetSafeHdc(), 0, 0, nullptr);
    if (!::StretchBlt(upright.GetSafeHdc(), 0, 0, width, height, picture.GetSafeHdc(), 0, 0,
                      picture.GetWidth(), picture.GetHeight(), SRCCOPY))
        return false;
    return CopyIntoSlot(slot, destination, upright.GetSafeHdc());
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

bool CThumbnailDecoder::LoadStream(const BYTE* jpeg, UINT length)
{
    if (!EnsureStream() || !Rewind(m_stream))
        return false;
    ULONG written = 0;
    if (FAILED(m_stream->Write(jpeg, length, &written)) || written != length)
        return false;
    ULARGE_INTEGER size;
    size.QuadPart = length;
    return SUCCEEDED(m_stream->SetSize(size)) && Rewind(m_stream);
}
