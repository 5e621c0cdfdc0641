// CScreenDecoder: turns the screen a student sends in a remote session into the slot's frame
// bitmap (the slot's picture, at the student's screen size): whole images (type 7) by client
// kind and strips of changed tiles (type 12). Pictures go through the stream "StreamImage1" of a
// temporary compound file and GDI+; pixels are copied into the frame bitmap under the slot's
// lock, clipped to it. Every picture is measured from its header first and refused when it is larger
// than the bitmap it is drawn into. Runs on a session's packet thread; one per session (the combined session
// uses one per student).
#pragma once

#include "foundation/MemBitmap.h"
#include "framework/Afx.h"

#include <cstdint>
#include <memory>
#include <objidl.h>

class CPacket;
class CPCInfo;
namespace Gdiplus { class Bitmap; }

class CScreenDecoder {
public:
    CScreenDecoder() = default;
    ~CScreenDecoder() { Release(); }
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
    bool LoadStream(const BYTE* bytes, size_t length);
    // Loads a JPEG whose header says it fits width x height (either way round when turnable);
    // anything larger, or not a JPEG, is refused before a byte is decoded.
    bool LoadMeasuredPicture(const BYTE* bytes, size_t length, long long width, long long height, bool turnable);
    std::unique_ptr<Gdiplus::Bitmap> OpenPicture();
    bool DrawStreamInto(CMemBitmap& target);
    bool DrawPadImage(CPCInfo& slot, const CPacket& packet);
    bool DrawWholeImage(CPCInfo& slot, const CPacket& packet);

    IStorage* m_storage = nullptr;
    IStream* m_stream = nullptr;
    CMemBitmap m_picture;   // reused between frames; remade only when the size changes
};
