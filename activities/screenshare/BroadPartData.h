// CBroadPartData: one tile of the shared canvas, with the pixels it showed last time it was sent,
// so that only tiles whose pixels changed are encoded again.
#pragma once

#include "activities/screenshare/core/ShareTileGrid.h"
#include "foundation/MemBitmap.h"

#include <cstddef>

// The pixels of a 32-bit DIB section, read in place.
struct ShareCanvasPixels {
    const BYTE* bits = nullptr;
    int stride = 0;
    int width = 0;
    int height = 0;
    bool bottomUp = true;

    // The canvas selected into the context, when it is a 32-bit DIB section (else bits stay null).
    static ShareCanvasPixels Of(HDC canvas);
    const BYTE* Row(int y) const { return bits + static_cast<ptrdiff_t>(bottomUp ? height - 1 - y : y) * stride; }
};

class CBroadPartData {
public:
    CBroadPartData(int index, int left, int top, int right, int bottom);
    virtual ~CBroadPartData();

    CBroadPartData(const CBroadPartData&) = delete;
    CBroadPartData& operator=(const CBroadPartData&) = delete;

    // Copies the tile's rectangle of the canvas into the current pixels; true when they differ
    // from what was last sent.
    bool TakeFrom(HDC canvas);
    // The same, read straight from the canvas's pixels (no GDI call per tile).
    bool TakeFrom(const ShareCanvasPixels& canvas);
    // Copies the current pixels into a 32-bit picture of the tile's height at column x.
    void CopyCurrentTo(CMemBitmap& strip, int x) const;
    // What the tile now shows has been sent.
    void MarkSent();

    int m_index;
    ShareRect m_rect;
    CMemBitmap m_current;
    CMemBitmap m_previous;
    bool m_sent = false;
};
