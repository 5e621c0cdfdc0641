#include "sessions/PictureStream.h"

#include "foundation/core/PacketFields.h"

#include <gdiplus.h>

bool WriteWholeStream(IStream* stream, const BYTE* bytes, size_t length)
{
    if (!stream || !bytes || length == 0 || length > kMaxPacketLength || !RewindStream(stream))
        return false;
    ULONG written = 0;
    if (FAILED(stream->Write(bytes, static_cast<ULONG>(length), &written)) || written != length)
        return false;
    ULARGE_INTEGER size;
    size.QuadPart = length;
    return SUCCEEDED(stream->SetSize(size)) && RewindStream(stream);
}

std::unique_ptr<Gdiplus::Bitmap> OpenMeasuredPicture(IStream* stream, const PictureSize& measured)
{
    if (!RewindStream(stream))
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> picture(new Gdiplus::Bitmap(stream));
    if (picture->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    const UINT width = picture->GetWidth();
    const UINT height = picture->GetHeight();
    const bool asMeasured =
        (width == static_cast<UINT>(measured.width) && height == static_cast<UINT>(measured.height)) ||
        (width == static_cast<UINT>(measured.height) && height == static_cast<UINT>(measured.width));
    return asMeasured ? std::move(picture) : nullptr;
}
