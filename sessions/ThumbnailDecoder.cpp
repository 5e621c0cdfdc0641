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

bool IsUsableSide(long side)
{
    return side >= 1 && side <= kMaxThumbnailPartSide;
}

// The picture in the stream, when GDI+ reads it and its size is within bounds (checked from the
// header, before anything is decoded).
std::unique_ptr<Gdiplus::Bitmap> OpenPicture(IStream* stream)
{
    if (!Rewind(stream))
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> picture(new Gdiplus::Bitmap(stream));
    if (picture->GetLastStatus() != Gdiplus::Ok || !IsUsableSide(picture->GetWidth()) ||
        !IsUsableSide(picture->GetHeight()))
        return nullptr;
    return picture;
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

bool CThumbnailDecoder::IsUsableRect(const RECT& rect)
{
    // Differences in 64 bits: hostile corners must not overflow into a small positive side.
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    return width >= 1 && width <= kMaxThumbnailPartSide && height >= 1 &&
           height <= kMaxThumbnailPartSide;
}

bool CThumbnailDecoder::DrawPart(CPCInfo& slot, const RECT& destination, const BYTE* jpeg, UINT length)
{
    if (!IsUsableRect(destination) || !jpeg || length == 0)
        return false;
    const int width = destination.right - destination.left;
    const int height = destination.bottom - destination.top;
    const int clientKind = slot.m_clientKind.load();
    const int orientation = slot.m_orientation.load();
    const bool unrotatedPad = clientKind == 3;
    const bool turned = unrotatedPad && (orientation == 2 || orientation == 3);
    const int bitsPerPixel = slot.m_bitsPerPixel.load() == 8 ? 8 : 32;

    CMemBitmap& picture = m_picture;
    picture.Create(turned ? height : width, turned ? width : height, bitsPerPixel);
    if (!LoadStream(jpeg, length))
        return false;
    if (unrotatedPad) {
        // Bounds first: rotating decodes the whole picture. The probe lets go of the stream
        // before the stream is rewritten.
        const bool usable = OpenPicture(m_stream) != nullptr;
        if (!usable || !RotateImageInStream(m_stream, orientation))
            return false;
    }
    {
        std::unique_ptr<Gdiplus::Bitmap> decoded = OpenPicture(m_stream);
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
