#include "ui/ImageEncoders.h"

#include <objidl.h>
#include <gdiplus.h>

#include <vector>

int GetEncoderClsid(const wchar_t* mimeType, CLSID* clsid)
{
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return -1;
    std::vector<BYTE> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok)
        return -1;
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType && lstrcmpW(encoders[i].MimeType, mimeType) == 0) {
            *clsid = encoders[i].Clsid;
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<BYTE> EncodeImageBytes(Gdiplus::Image& image, const wchar_t* mimeType)
{
    std::vector<BYTE> bytes;
    CLSID encoder;
    IStream* stream = nullptr;
    if (GetEncoderClsid(mimeType, &encoder) < 0 || FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return bytes;
    STATSTG stat = {};
    if (image.Save(stream, &encoder, nullptr) == Gdiplus::Ok && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME))) {
        bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
        LARGE_INTEGER zero = {};
        ULONG read = 0;
        if (FAILED(stream->Seek(zero, STREAM_SEEK_SET, nullptr)) ||
            FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size())
            bytes.clear();
    }
    stream->Release();
    return bytes;
}
