#include "activities/screenshare/StripJpegEncoder.h"

#include "ui/ImageEncoders.h"

#include <gdiplus.h>

#include <memory>

namespace {

constexpr size_t kJpegBufferStart = 4096;


bool SeekTo(IStream* stream, LONGLONG position)
{
    LARGE_INTEGER at;
    at.QuadPart = position;
    return SUCCEEDED(stream->Seek(at, STREAM_SEEK_SET, nullptr));
}

} // namespace

CStripJpegEncoder::~CStripJpegEncoder()
{
    if (m_stream) m_stream->Release();
    if (m_storage) m_storage->Release();
}

bool CStripJpegEncoder::Open()
{
    if (GetEncoderClsid(L"image/jpeg", &m_encoder) < 0)
        return false;
    const DWORD mode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE;
    if (FAILED(::StgCreateDocfile(nullptr, mode, 0, &m_storage)))
        return false;
    return SUCCEEDED(m_storage->CreateStream(L"StreamImage1", STGM_CREATE | STGM_READWRITE |
                                             STGM_SHARE_EXCLUSIVE, 0, 0, &m_stream));
}

bool CStripJpegEncoder::SaveToStream(const CMemBitmap& picture, int width, int quality)
{
    ULARGE_INTEGER empty = {};
    if (!m_stream || !picture.GetBits() || width <= 0 || width > picture.GetWidth() ||
        FAILED(m_stream->SetSize(empty)) || !SeekTo(m_stream, 0))
        return false;
    // The rows are bottom-up: start at the last row and step backwards.
    const int stride = picture.GetWidth() * 4;
    BYTE* top = picture.GetBits() + static_cast<size_t>(stride) * (picture.GetHeight() - 1);
    ::GdiFlush();
    Gdiplus::Bitmap strip(width, picture.GetHeight(), -stride, PixelFormat32bppRGB, top);
    if (strip.GetLastStatus() != Gdiplus::Ok)
        return false;
    // Wine's encoder ignores the quality; it is passed all the same for Windows.
    ULONG value = static_cast<ULONG>(quality);
    Gdiplus::EncoderParameters parameters;
    parameters.Count = 1;
    parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Value = &value;
    return strip.Save(m_stream, &m_encoder, &parameters) == Gdiplus::Ok;
}

size_t CStripJpegEncoder::Encode(const CMemBitmap& picture, int width, int quality, std::vector<uint8_t>& jpeg)
{
    if (!SaveToStream(picture, width, quality))
        return 0;
    STATSTG stat = {};
    if (FAILED(m_stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart == 0 ||
        stat.cbSize.QuadPart > 0x7FFFFFFF || !SeekTo(m_stream, 0))
        return 0;
    const size_t length = static_cast<size_t>(stat.cbSize.QuadPart);
    if (jpeg.size() < kJpegBufferStart)
        jpeg.resize(kJpegBufferStart);
    if (jpeg.size() < length)
        jpeg.resize(length * 2);
    ULONG read = 0;
    if (FAILED(m_stream->Read(jpeg.data(), static_cast<ULONG>(length), &read)) || read != length)
        return 0;
    return length;
}
