#include "sessions/ScreenDecoder.h"

#include "foundation/Packet.h"
#include "sessions/PCInfo.h"
#include "sessions/core/JpegFrameSize.h"
#include "sessions/core/RemoteScreen.h"
#include "ui/RotateImage.h"

#include <gdiplus.h>
#include <zlib.h>

#include <vector>

namespace {

constexpr int kCopyAttempts = 3;

bool Rewind(IStream* stream)
{
    LARGE_INTEGER zero = {};
    return SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, nullptr));
}

int FrameDepth(const CPCInfo& slot)
{
    return slot.m_bitsPerPixel.load() == 8 ? 8 : 32;
}

bool IsUsableScreen(int width, int height)
{
    return width > 0 && height > 0 && width <= kMaxRemoteScreenSide && height <= kMaxRemoteScreenSide;
}

// Copies a picture into the frame bitmap at (x, y), cut to both; retried when GDI is busy.
bool CopyIntoFrame(CPCInfo& slot, int x, int y, HDC source, int sourceX, int sourceY, int width, int height)
{
    for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
        {
            CCriticalSectionLock lock(slot.GetLock());
            CMemBitmap& frame = slot.m_thumbnail;
            if (!frame.GetBits())
                return false;
            ScreenRect clipped;
            if (!ClipToScreen({x, y, static_cast<long long>(x) + width, static_cast<long long>(y) + height},
                              frame.GetWidth(), frame.GetHeight(), clipped))
                return false;
            const int dx = static_cast<int>(clipped.left - x);
            const int dy = static_cast<int>(clipped.top - y);
            if (::BitBlt(frame.GetSafeHdc(), static_cast<int>(clipped.left), static_cast<int>(clipped.top),
                         static_cast<int>(clipped.Width()), static_cast<int>(clipped.Height()), source,
                         sourceX + dx, sourceY + dy, SRCCOPY))
                return true;
        }
        ::Sleep(1);
    }
    return false;
}

// The block as it was before the student compressed it; a block whose raw size equals its length
// travels uncompressed. Nothing is inflated beyond the raw size the block claims, nor beyond the
// largest packet.
bool ExpandBlock(const CPacket& packet, std::vector<uint8_t>& inflated, const uint8_t*& data, size_t& size)
{
    data = packet.m_data;
    size = packet.m_dataLength;
    if (packet.m_rawSize == packet.m_dataLength)
        return data != nullptr;
    if (!data || packet.m_rawSize == 0 || packet.m_rawSize > kMaxPacketLength)
        return false;
    inflated.resize(packet.m_rawSize);
    uLongf length = packet.m_rawSize;
    if (::uncompress(inflated.data(), &length, data, packet.m_dataLength) != Z_OK)
        return false;
    data = inflated.data();
    size = length;
    return true;
}

} // namespace

bool CScreenDecoder::Open()
{
    if (m_stream)
        return true;
    const DWORD mode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE;
    if (FAILED(::StgCreateDocfile(nullptr, mode, 0, &m_storage)) ||
        FAILED(m_storage->CreateStream(L"StreamImage1", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                       0, 0, &m_stream))) {
        Release();
        return false;
    }
    return true;
}

void CScreenDecoder::Release()
{
    if (m_stream)
        m_stream->Release();
    m_stream = nullptr;
    if (m_storage)
        m_storage->Release();
    m_storage = nullptr;
}

bool CScreenDecoder::EnsureFrameBitmap(CPCInfo& slot)
{
    const int width = slot.m_screenWidth.load();
    const int height = slot.m_screenHeight.load();
    if (!IsUsableScreen(width, height))
        return false;
    CCriticalSectionLock lock(slot.GetLock());
    slot.m_thumbnail.Create(width, height, FrameDepth(slot));
    return slot.m_thumbnail.GetWidth() == width && slot.m_thumbnail.GetHeight() == height;
}

bool CScreenDecoder::LoadStream(const BYTE* bytes, size_t length)
{
    if (!m_stream || !bytes || length == 0 || length > kMaxPacketLength || !Rewind(m_stream))
        return false;
    ULONG written = 0;
    if (FAILED(m_stream->Write(bytes, static_cast<ULONG>(length), &written)) || written != length)
        return false;
    ULARGE_INTEGER size;
    size.QuadPart = length;
    return SUCCEEDED(m_stream->SetSize(size)) && Rewind(m_stream);
}

bool CScreenDecoder::LoadMeasuredPicture(const BYTE* bytes, size_t length, long long width, long long height,
                                         bool turnable)
{
    PictureSize picture;
    if (!ReadJpegFrameSize(bytes, length, picture) ||
        !(FitsWithin(picture, width, height) || (turnable && FitsWithin(picture, height, width)))) {
        TRACE(L"Remote picture %dx%d refused for a %lldx%lld place\n", picture.width, picture.height, width, height);
        return false;
    }
    return LoadStream(bytes, length);
}

std::unique_ptr<Gdiplus::Bitmap> CScreenDecoder::OpenPicture()
{
    if (!Rewind(m_stream))
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> picture(new Gdiplus::Bitmap(m_stream));
    if (picture->GetLastStatus() != Gdiplus::Ok || picture->GetWidth() == 0 ||
        picture->GetWidth() > static_cast<UINT>(kMaxRemoteScreenSide * 4) || picture->GetHeight() == 0 ||
        picture->GetHeight() > static_cast<UINT>(kMaxRemoteScreenSide))
        return nullptr;
    return picture;
}

// The picture in the stream drawn at 0,0 (cut to the target).
bool CScreenDecoder::DrawStreamInto(CMemBitmap& target)
{
    if (!target.GetBits())
        return false;
    std::unique_ptr<Gdiplus::Bitmap> picture = OpenPicture();
    if (!picture)
        return false;
    Gdiplus::Graphics graphics(target.GetSafeHdc());
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    const Gdiplus::Rect where(0, 0, static_cast<INT>(picture->GetWidth()), static_cast<INT>(picture->GetHeight()));
    return graphics.DrawImage(picture.get(), where, 0, 0, where.Width, where.Height, Gdiplus::UnitPixel) ==
           Gdiplus::Ok;
}

bool CScreenDecoder::DecodeImage(CPCInfo& slot, const CPacket& packet, uint32_t& lastAccepted,
                                 uint32_t& acknowledge)
{
    const int kind = slot.m_clientKind.load();
    const ScreenRect rect{packet.m_rect.left, packet.m_rect.top, packet.m_rect.right, packet.m_rect.bottom};
    int frameWidth = 0;
    {
        CCriticalSectionLock lock(slot.GetLock());
        frameWidth = slot.m_thumbnail.GetWidth();
    }
    if (!AcceptImageFrame(kind, packet.m_value, lastAccepted, rect.Width(), slot.m_screenWidth.load(), frameWidth))
        return false;
    ScreenRect onScreen;
    if (!ClipToScreen(rect, slot.m_screenWidth.load(), slot.m_screenHeight.load(), onScreen))
        return false;   // nothing of it on the screen: dropped
    if (kind != 3)
        lastAccepted = packet.m_value;
    acknowledge = kind == 3 ? packet.m_value : lastAccepted;
    if (!(kind == 3 ? DrawPadImage(slot, packet) : DrawWholeImage(slot, packet)))
        TRACE(L"PC:%d remote frame %u not drawn\n", slot.m_slotNumber.load(), packet.m_value);
    if (kind != 3) {
        const DWORD now = ::GetTickCount();
        slot.m_lastImageTick = now;
        slot.m_lastHeardTick = now;
    }
    return true;
}

bool CScreenDecoder::DrawWholeImage(CPCInfo& slot, const CPacket& packet)
{
    const long long width = static_cast<long long>(packet.m_rect.right) - packet.m_rect.left;
    const long long height = static_cast<long long>(packet.m_rect.bottom) - packet.m_rect.top;
    if (width < 1 || height < 1 || width > kMaxRemoteScreenSide || height > kMaxRemoteScreenSide ||
        !EnsureFrameBitmap(slot))
        return false;
    m_picture.Create(static_cast<int>(width), static_cast<int>(height), FrameDepth(slot));
    if (!LoadMeasuredPicture(packet.m_image, packet.m_imageLength, width, height, false) || !DrawStreamInto(m_picture))
        return false;
    return CopyIntoFrame(slot, packet.m_rect.left, packet.m_rect.top, m_picture.GetSafeHdc(), 0, 0,
                         static_cast<int>(width), static_cast<int>(height));
}

// A pad whose pictures arrive unrotated: the picture is turned upright in the stream first.
bool CScreenDecoder::DrawPadImage(CPCInfo& slot, const CPacket& packet)
{
    if (!EnsureFrameBitmap(slot))
        return false;
    m_picture.Create(slot.m_screenWidth.load(), slot.m_screenHeight.load(), FrameDepth(slot));
    if (!LoadMeasuredPicture(packet.m_image, packet.m_imageLength, m_picture.GetWidth(), m_picture.GetHeight(), true))
        return false;
    {
        // Bounds first: turning decodes the whole picture.
        const bool usable = OpenPicture() != nullptr;
        if (!usable || !RotateImageInStream(m_stream, slot.m_orientation.load()))
            return false;
    }
    if (!DrawStreamInto(m_picture))
        return false;
    return CopyIntoFrame(slot, packet.m_rect.left, packet.m_rect.top, m_picture.GetSafeHdc(), 0, 0,
                         m_picture.GetWidth(), m_picture.GetHeight());
}

bool CScreenDecoder::DecodeTiles(CPCInfo& slot, const CPacket& packet, uint32_t& lastAccepted,
                                 uint32_t& acknowledge)
{
    if (!AcceptFrameSequence(packet.m_sequence, lastAccepted, slot.m_clientKind.load()))
        return false;
    lastAccepted = packet.m_sequence;
    acknowledge = lastAccepted;
    const DWORD now = ::GetTickCount();
    slot.m_lastImageTick = now;
    slot.m_lastHeardTick = now;

    TileBlock block;
    std::vector<uint8_t> inflated;
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    const TileGrid grid = MakeTileGrid(slot.m_screenWidth.load(), slot.m_screenHeight.load(),
                                       slot.m_frameWidth.load(), slot.m_frameHeight.load());
    if (!grid.IsUsable() || !ExpandBlock(packet, inflated, bytes, size) || !ReadTileBlock(bytes, size, block) ||
        static_cast<long long>(block.indexes.size()) * grid.tileWidth > kMaxRemoteScreenSide * 4LL ||
        static_cast<long long>(block.indexes.size()) > static_cast<long long>(grid.columns) * grid.rows ||
        !EnsureFrameBitmap(slot)) {
        TRACE(L"PC:%d tile block %u not drawn\n", slot.m_slotNumber.load(), packet.m_sequence);
        return true;
    }
    m_picture.Create(static_cast<int>(block.indexes.size()) * grid.tileWidth, grid.tileHeight, FrameDepth(slot));
    if (!LoadMeasuredPicture(block.image, block.imageLength, m_picture.GetWidth(), m_picture.GetHeight(), false) ||
        !DrawStreamInto(m_picture))
        return true;
    for (size_t i = 0; i < block.indexes.size(); ++i) {
        int x = 0;
        int y = 0;
        if (TileOrigin(grid, block.indexes[i], x, y))
            CopyIntoFrame(slot, x, y, m_picture.GetSafeHdc(), static_cast<int>(i) * grid.tileWidth, 0,
                          grid.tileWidth, grid.tileHeight);
    }
    return true;
}
