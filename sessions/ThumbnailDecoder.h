// CThumbnailDecoder: draws the thumbnail parts a student sends (type-7 packets: a destination
// rectangle and a JPEG) into the slot's picture. What is measured, made and copied is the portable
// decoding (DecodeThumbnailPart, sessions/core/ThumbnailPartRules.h): a part the slot cannot show
// is dropped before a bitmap is made or a byte decoded. This is its canvas: the JPEG goes through a
// stream of a temporary compound file, is turned upright for pads whose pictures arrive unrotated
// (client kind 3), decoded with GDI+ and copied into the slot's thumbnail under the slot's lock.
#pragma once

#include "framework/Afx.h"

#include "foundation/MemBitmap.h"
#include "sessions/core/ThumbnailPartRules.h"

#include <objidl.h>

class CPCInfo;

class CThumbnailDecoder : private IThumbnailCanvas {
public:
    CThumbnailDecoder() = default;
    ~CThumbnailDecoder() override { Release(); }
    CThumbnailDecoder(const CThumbnailDecoder&) = delete;
    CThumbnailDecoder& operator=(const CThumbnailDecoder&) = delete;

    // False when the part was not drawn (refused by its sizes, undecodable picture, no storage).
    bool DrawPart(CPCInfo& slot, const RECT& destination, const BYTE* jpeg, UINT length);
    void Release();

private:
    bool MakePicture(int width, int height) override;
    bool DrawJpeg(const uint8_t* jpeg, size_t length, const PictureSize& measured, bool upright) override;
    bool StretchUpright(int width, int height) override;
    bool CopyToSlot(int x, int y, int sourceX, int sourceY, int width, int height, bool fromUpright) override;

    bool EnsureStream();

    // The decoded part, and a turned pad's part upright: kept while parts keep their size, as
    // making a bitmap per part costs system calls on every thumbnail. Never larger than the
    // slot's thumbnail.
    CMemBitmap m_picture;
    CMemBitmap m_upright;
    IStorage* m_storage = nullptr;
    IStream* m_stream = nullptr;
    bool m_storageFailed = false;   // set for good: no picture is decoded then
    CPCInfo* m_slot = nullptr;      // the slot of the part being drawn
};
