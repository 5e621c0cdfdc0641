// CScreenDecoder: turns the screen a student sends in a remote session into the slot's frame
// bitmap (the slot's picture, at the student's screen size): whole images (type 7) by client
// kind and strips of changed tiles (type 12). What is taken, measured and made at which size is
// the portable decoding (sessions/core/RemoteFrameDecoding.h); this is its canvas: pictures go
// through the stream "StreamImage1" of a temporary compound file and GDI+, and pixels are copied
// into the frame bitmap under the slot's lock. Runs on a session's packet thread; one per session
// (the combined session uses one per student).
#pragma once

#include "foundation/MemBitmap.h"
#include "framework/Afx.h"
#include "sessions/core/RemoteFrameDecoding.h"

#include <cstdint>
#include <memory>
#include <objidl.h>

class CPacket;
class CPCInfo;

class CScreenDecoder : private IRemoteFrameCanvas {
public:
    CScreenDecoder() = default;
    ~CScreenDecoder() override { Release(); }
    CScreenDecoder(const CScreenDecoder&) = delete;
    CScreenDecoder& operator=(const CScreenDecoder&) = delete;

    // The image stream; false when it cannot be made (nothing is decoded then).
    bool Open();
    void Release();

    // Each returns true when the frame is to be acknowledged, with the number to acknowledge.
    // A stale frame is neither drawn nor acknowledged; an accepted one whose picture cannot be
    // drawn is still acknowledged, so the student goes on sending.
    bool DecodeImage(CPCInfo& slot, const CPacket& packet, uint32_t& lastAccepted, uint32_t& acknowledge);
    bool DecodeTiles(CPCInfo& slot, const CPacket& packet, uint32_t& lastAccepted, uint32_t& acknowledge);

    // The frame bitmap at the student's screen size and depth, made under the slot's lock when
    // it is missing or of another size; false while the size is unknown or out of bounds.
    static bool EnsureFrameBitmap(CPCInfo& slot);

private:
    static RemoteScreenState StateOf(CPCInfo& slot);
    bool Finish(CPCInfo& slot, const RemoteFrameOutcome& outcome, uint32_t& acknowledge);

    bool EnsureFrame(int width, int height) override;
    bool MakePicture(int width, int height) override;
    bool DrawJpeg(const uint8_t* jpeg, size_t length, const PictureSize& measured, int x, int y,
                  bool upright) override;
    bool CopyToFrame(int x, int y, int sourceX, int sourceY, int width, int height) override;

    IStorage* m_storage = nullptr;
    IStream* m_stream = nullptr;
    CMemBitmap m_picture;        // reused between frames; remade only when the size changes
    CPCInfo* m_slot = nullptr;   // the slot of the packet being decoded
};
