// CBroadPartData: one tile of the shared canvas, with the pixels it showed last time it was sent,
// so that only tiles whose pixels changed are encoded again.
#pragma once

#include "activities/screenshare/core/ShareTileGrid.h"
#include "foundation/MemBitmap.h"

class CBroadPartData {
public:
    CBroadPartData(int index, int left, int top, int right, int bottom);
    virtual ~CBroadPartData();

    CBroadPartData(const CBroadPartData&) = delete;
    CBroadPartData& operator=(const CBroadPartData&) = delete;

    // Copies the tile's rectangle of the canvas into the current pixels; true when they differ
    // from what was last sent.
    bool TakeFrom(HDC canvas);
    // What the tile now shows has been sent.
    void MarkSent();

    int m_index;
    ShareRect m_rect;
    CMemBitmap m_current;
    CMemBitmap m_previous;
    bool m_sent = false;
};
