// CThumbnailDecoder: draws the thumbnail parts a student sends (type-7 packets: a destination
// rectangle and a JPEG) into the slot's picture. The JPEG goes through a stream of a temporary
// compound file, is turned upright for pads whose pictures arrive unrotated (client kind 3),
// decoded with GDI+ and copied into the slot's thumbnail under the slot's lock.
#pragma once

#include "framework/Afx.h"

#include "foundation/MemBitmap.h"

#include <objidl.h>

class CPCInfo;

// A part's rectangle must be 1 to this many pixels wide and high, and so must its picture.
constexpr int kMaxThumbnailPartSide = 4096;

class CThumbnailDecoder {
public:
    CThumbnailDecoder() = default;
    ~CThumbnailDecoder() { Release(); }
    CThumbnailDecoder(const CThumbnailDecoder&) = delete;
    CThumbnailDecoder& operator=(const CThumbnailDecoder&) = delete;

    // False when the part was not drawn (bad rectangle, undecodable picture, no storage).
    bool DrawPart(CPCInfo& slot, const RECT& destination, const BYTE* jpeg, UINT length);
    void Release();

    static bool IsUsableRect(const RECT& rect);

private:
    bool EnsureStream();
    bool LoadStream(const BYTE* jpeg, UINT length);

    // The decoded part, and a turned pad's part upright: kept while parts keep their size, as
    // making a bitmap per part costs system calls on every thumbnail.
    CMemBitmap m_picture;
    CMemBitmap m_upright;
    IStorage* m_storage = nullptr;
    IStream* m_stream = nullptr;
    bool m_storageFailed = false;   // set for good: no picture is decoded then
};
