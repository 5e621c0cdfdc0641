#include "ui/RotateImage.h"

#include "framework/AfxTrace.h"
#include "ui/ImageEncoders.h"

#include <gdiplus.h>

#include <memory>
#include <vector>

namespace {

bool RotationForOrientation(int orientation, Gdiplus::RotateFlipType& rotation)
{
    switch (orientation) {
    case 3: rotation = Gdiplus::Rotate90FlipNone; return true;
    case 1: rotation = Gdiplus::Rotate180FlipNone; return true;
    case 2: rotation = Gdiplus::Rotate270FlipNone; return true;
    default: return false;
    }
}


bool Rewind(IStream* stream)
{
    LARGE_INTEGER zero = {};
    return SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, nullptr));
}

// The picture decoded into memory of its own: an image read from a stream keeps reading it,
// and that stream is about to be overwritten.
std::unique_ptr<Gdiplus::Bitmap> DecodeDetached(IStream* stream)
{
    if (!Rewind(stream))
        return nullptr;
    Gdiplus::Bitmap source(stream);
    if (source.GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    const UINT width = source.GetWidth();
    const UINT height = source.GetHeight();
    if (width == 0 || height == 0)
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> copy(source.Clone(0, 0, static_cast<INT>(width),
                                                       static_cast<INT>(height),
                                                       PixelFormat24bppRGB));
    if (!copy || copy->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    return copy;
}

// Encodes into a stream of its own first, so a failed encoding leaves the target as it was.
bool EncodeJpeg(Gdiplus::Bitmap& bitmap, std::vector<BYTE>& jpeg)
{
    CLSID encoder;
    if (GetEncoderClsid(L"image/jpeg", &encoder) < 0)
        return false;
    IStream* scratch = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &scratch)) || !scratch)
        return false;
    bool encoded = bitmap.Save(scratch, &encoder, nullptr) == Gdiplus::Ok;
    STATSTG stat = {};
    encoded = encoded && SUCCEEDED(scratch->Stat(&stat, STATFLAG_NONAME)) &&
              stat.cbSize.HighPart == 0 && stat.cbSize.LowPart != 0 && Rewind(scratch);
    if (encoded) {
        jpeg.resize(stat.cbSize.LowPart);
        ULONG read = 0;
        encoded = SUCCEEDED(scratch->Read(jpeg.data(), stat.cbSize.LowPart, &read)) &&
                  read == stat.cbSize.LowPart;
    }
    scratch->Release();
    return encoded;
}

bool ReplaceStreamContent(IStream* stream, const std::vector<BYTE>& bytes)
{
    if (!Rewind(stream))
        return false;
    ULONG written = 0;
    if (FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) ||
        written != bytes.size())
        return false;
    ULARGE_INTEGER size = {};
    size.QuadPart = bytes.size();
    return SUCCEEDED(stream->SetSize(size)) && Rewind(stream);
}

} // namespace

BOOL RotateImageInStream(IStream* stream, int orientation)
{
    Gdiplus::RotateFlipType rotation = Gdiplus::RotateNoneFlipNone;
    if (!stream || !RotationForOrientation(orientation, rotation))
        return stream != nullptr;
    std::unique_ptr<Gdiplus::Bitmap> bitmap = DecodeDetached(stream);
    if (!bitmap) {
        Rewind(stream);
        TRACE(L"RotateImageInStream: the picture could not be read\n");
        return FALSE;
    }
    std::vector<BYTE> jpeg;
    if (bitmap->RotateFlip(rotation) != Gdiplus::Ok || !EncodeJpeg(*bitmap, jpeg)) {
        Rewind(stream);
        return FALSE;
    }
    return ReplaceStreamContent(stream, jpeg);
}
