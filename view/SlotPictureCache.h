// CSlotPictureCache: what the classroom grid paints from. The state pictures are loaded once and
// stretched (halftone) to the cell's picture size only when the layout changes, so a frame copies
// them 1:1; the scroll column's pattern and thumb; and the back buffer every frame is painted
// into before it goes to the screen in one copy.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/DC.h"
#include "foundation/MemBitmap.h"

#include <array>

class CSlotPictureCache {
public:
    CSlotPictureCache() = default;
    ~CSlotPictureCache();
    CSlotPictureCache(const CSlotPictureCache&) = delete;
    CSlotPictureCache& operator=(const CSlotPictureCache&) = delete;

    // Loads the bitmaps from the resource module. A missing one leaves its picture unpainted.
    void Load();

    // The back buffer in the client size, and each state picture on a scaledWidth x
    // scaledHeight canvas, stretched into its top-left drawWidth x drawHeight. Rebuilt only when
    // one of the sizes changed; false when the back buffer could not be made.
    bool Prepare(int clientWidth, int clientHeight, int scaledWidth, int scaledHeight, int drawWidth, int drawHeight);
    CDC& BackBuffer() { return m_backBuffer.GetDC(); }

    // Copies the stretched state picture (a bitmap id of SlotPicture) to the rectangle; false
    // for an unknown or missing picture.
    bool DrawState(CDC& dc, int pictureId, int x, int y, int width, int height);
    // The scroll column's pattern brush; null when the pattern is missing.
    HBRUSH ScrollPatternBrush() const { return m_scrollPatternBrush; }
    bool DrawScrollThumb(CDC& dc, int x, int y);

private:
    // A loaded bitmap selected into a memory context of its own.
    struct Source {
        UINT id = 0;
        CBitmap bitmap;
        SIZE size = {0, 0};
        CDC dc;
        HGDIOBJ previous = nullptr;

        bool Load(UINT resourceId);
        void Release();
        bool IsLoaded() const { return dc.GetSafeHdc() && previous; }
    };
    struct StatePicture {
        Source source;
        CMemBitmap scaled;
    };

    StatePicture* Find(int pictureId);
    void ScaleStatePictures();

    std::array<StatePicture, 9> m_states;
    Source m_scrollThumb;
    CBitmap m_scrollPattern;
    CBrush m_scrollPatternBrush;
    CMemBitmap m_backBuffer;
    int m_scaledWidth = 0;
    int m_scaledHeight = 0;
    int m_drawWidth = 0;
    int m_drawHeight = 0;
};
