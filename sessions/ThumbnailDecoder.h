// CThumbnailDecoder: draws the thumbnail parts a student sends (type-7 packets: a destination
// rectangle and a JPEG) into the slot's picture. The JPEG goes through a stream of a temporary
// compound file, is turned upright for pads whose pictures arrive unrotated (client kind 3),
// decoded with GDI+ and copied into the slot's thumbnail under the slot's lock. A part is measured
// first (rectangle against the slot's thumbnail, the JPEG's header against the rectangle): what the
// slot cannot show is dropped before a bitmap is made or a byte decoded.
#pragma once

#include "framework/Afx.h"

#include "foundation/MemBitmap.h"
#include "sessions/core/ThumbnailPartRules.h"

#include <objidl.h>

class CPCInfo;

class CThumbnailDecoder {
public:
    CThumbnailDecoder() = default;
    ~CThumbnailDecoder() { Release(); }
    CThumbnailDecoder(const CThumbnailDecoder&) = delete;
    CThumbnailDecoder& operator=(const CThumbnailDecoder&) = delete;

    // False when the part was not drawn (refused by its sizes, undecodable picture, no storage).
    bool DrawPart(CPCInfo& slot, const RECT& destination, const BYTE* jpeg, UINT length);
    void Release();

    // The checks a part passes before anything is decoded, against the slot's thumbnail size.
    static ThumbnailPartCheck CheckPart(CPCInfo& slot, const RECT& destination, const BYTE* jpeg, UINT length);

private:
    bool EnsureStream();
    bool LoadStream(const BYTE* jpeg, UINT length);

    // The decoded part, and a turned pad's part upright: kept while parts keep their size, as
    // making a bitmap per part costs system calls on every thumbnail. Never larger than the
    // slot's thumbnail.
    CMemBitmap m_picture;
    CMemBitmap m_upright;
    IStorage* m_storage = nullptr;
    IStream* m_stream = nullptr;
    bool m_storageFailed = false;   // set for good: no picture is decoded then
};
