#include "sessions/ScreenDecoder.h"

#include "foundation/Packet.h"
#include "sessions/PCInfo.h"
#include "sessions/PictureStream.h"
#include "sessions/core/RemoteScreen.h"
#include "ui/RotateImage.h"

#include <gdiplus.h>

namespace {

constexpr int kCopyAttempts = 3;

int FrameDepth(const CPCInfo& slot)
{
    return slot.m_bitsPerPixel.load() == 8 ? 8 : 32;
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
    if (!IsFrameScreenSize(width, height))
        return false;
    CCriticalSectionLock lock(slot.GetLock());
    slot.m_thumbnail.Create(width, height, FrameDepth(slot));
    return slot.m_thumbnail.GetWidth() == width && slot.m_thumbnail.GetHeight() == height;
}

RemoteScreenState CScreenDecoder::StateOf(CPCInfo& slot)
{
    RemoteScreenState state;
    state.clientKind = slot.m_clientKind.load();
    state.screenWidth = slot.m_screenWidth.load();
    state.screenHeight = slot.m_screenHeight.load();
    state.tileWidth = slot.m_frameWidth.load();
    state.tileHeight = slot.m_frameHeight.load();
    CCriticalSectionLock lock(slot.GetLock());
    state.frameBitmapWidth = slot.m_thumbnail.GetWidth();
    return state;
}

bool CScreenDecoder::DecodeImage(CPCInfo& slot, const CPacket& packet, uint32_t& lastAccepted,
                                 uint32_t& acknowledge)
{
    m_slot = &slot;
    const PacketRect rect{packet.m_rect.left, packet.m_rect.top, packet.m_rect.right, packet.m_rect.bottom};
    const RemoteFrameOutcome outcome = DecodeRemoteImage(StateOf(slot), packet.m_value, rect, packet.m_image,
                                                         packet.m_imageLength, lastAccepted, *this);
    if (outcome.acknowledge && !outcome.drawn)
        TRACE(L"PC:%d remote frame %u not drawn\n", slot.m_slotNumber.load(), packet.m_value);
    return Finish(slot, outcome, acknowledge);
}

bool CScreenDecoder::DecodeTiles(CPCInfo& slot, const CPacket& packet, uint32_t& lastAccepted,
                                 uint32_t& acknowledge)
{
    m_slot = &slot;
    const RemoteFrameOutcome outcome = DecodeRemoteTiles(StateOf(slot), packet.m_sequence, packet.m_rawSize,
                                                         packet.m_data, packet.m_dataLength, lastAccepted, *this);
    if (outcome.acknowledge && !outcome.drawn)
        TRACE(L"PC:%d tile block %u not drawn\n", slot.m_slotNumber.load(), packet.m_sequence);
    return Finish(slot, outcome, acknowledge);
}

bool CScreenDecoder::Finish(CPCInfo& slot, const RemoteFrameOutcome& outcome, uint32_t& acknowledge)
{
    m_slot = nullptr;
    if (outcome.heard) {
        const DWORD now = ::GetTickCount();
        slot.m_lastImageTick = now;
        slot.m_lastHeardTick = now;
    }
    acknowledge = outcome.sequence;
    return outcome.acknowledge;
}

// -- The canvas ----------------------------------------------------------------------------------

bool CScreenDecoder::EnsureFrame(int width, int height)
{
    return m_slot && m_slot->m_screenWidth.load() == width && m_slot->m_screenHeight.load() == height &&
           EnsureFrameBitmap(*m_slot);
}

bool CScreenDecoder::MakePicture(int width, int height)
{
    m_picture.Create(width, height, FrameDepth(*m_slot));
    return m_picture.GetBits() && m_picture.GetWidth() == width && m_picture.GetHeight() == height;
}

bool CScreenDecoder::DrawJpeg(const uint8_t* jpeg, size_t length, const PictureSize& measured, int x, int y,
                              bool upright)
{
    if (!WriteWholeStream(m_stream, jpeg, length))
        return false;
    if (upright) {
        // Bounds first: turning decodes the whole picture. The probe lets go of the stream
        // before the stream is rewritten.
        const bool usable = OpenMeasuredPicture(m_stream, measured) != nullptr;
        if (!usable || !RotateImageInStream(m_stream, m_slot->m_orientation.load()))
            return false;
    }
    std::unique_ptr<Gdiplus::Bitmap> picture = OpenMeasuredPicture(m_stream, measured);
    if (!picture || !m_picture.GetBits())
        return false;
    Gdiplus::Graphics graphics(m_picture.GetSafeHdc());
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    const Gdiplus::Rect where(x, y, static_cast<INT>(picture->GetWidth()), static_cast<INT>(picture->GetHeight()));
    return graphics.DrawImage(picture.get(), where, 0, 0, where.Width, where.Height, Gdiplus::UnitPixel) ==
           Gdiplus::Ok;
}

// Retried when GDI is busy.
bool CScreenDecoder::CopyToFrame(int x, int y, int sourceX, int sourceY, int width, int height)
{
    for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
        {
            CCriticalSectionLock lock(m_slot->GetLock());
            CMemBitmap& frame = m_slot->m_thumbnail;
            if (!frame.GetBits())
                return false;
            if (::BitBlt(frame.GetSafeHdc(), x, y, width, height, m_picture.GetSafeHdc(), sourceX, sourceY, SRCCOPY))
                return true;
        }
        ::Sleep(1);
    }
    return false;
}
