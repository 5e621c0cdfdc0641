#include "view/SlotPictureCache.h"

#include "res/resource.h"
#include "view/core/SlotPicture.h"

namespace {

const UINT kStatePictureIds[] = {
    kPictureEmpty,           kPictureBeingChecked,     kPictureSessionChanging,
    kPicturePresentationRight, kPictureVideoLecture,   kPictureScreenOff,
    kPictureMessenger,       kPicturePermissionNeeded, kPictureCapturePermissionNeeded,
};
static_assert(sizeof(kStatePictureIds) / sizeof(kStatePictureIds[0]) == 9, "one id per state picture");

} // namespace

bool CSlotPictureCache::Source::Load(UINT resourceId)
{
    Release();
    id = resourceId;
    if (!bitmap.LoadBitmap(resourceId))
        return false;
    size = bitmap.GetSize();
    if (!dc.CreateCompatibleDC(nullptr))
        return false;
    previous = dc.SelectObject(&bitmap);
    return previous != nullptr;
}

void CSlotPictureCache::Source::Release()
{
    if (dc.GetSafeHdc() && previous)
        dc.SelectObject(previous);
    previous = nullptr;
    dc.DeleteDC();
    bitmap.DeleteObject();
    size = SIZE{0, 0};
}

CSlotPictureCache::~CSlotPictureCache()
{
    for (StatePicture& state : m_states)
        state.source.Release();
    m_scrollThumb.Release();
}

void CSlotPictureCache::Load()
{
    for (size_t i = 0; i < m_states.size(); ++i)
        m_states[i].source.Load(kStatePictureIds[i]);
    m_scrollThumb.Load(IDB_VIEW_SCROLL_THUMB);
    if (m_scrollPattern.LoadBitmap(IDB_VIEW_SCROLL_PATTERN))
        m_scrollPatternBrush.CreatePatternBrush(m_scrollPattern);
    m_scaledWidth = m_scaledHeight = 0;   // scale again at the next frame
}

bool CSlotPictureCache::Prepare(int clientWidth, int clientHeight, int scaledWidth, int scaledHeight,
                                int drawWidth, int drawHeight)
{
    if (clientWidth <= 0 || clientHeight <= 0)
        return false;
    m_backBuffer.Create(clientWidth, clientHeight, 32);
    if (scaledWidth != m_scaledWidth || scaledHeight != m_scaledHeight || drawWidth != m_drawWidth ||
        drawHeight != m_drawHeight) {
        m_scaledWidth = scaledWidth;
        m_scaledHeight = scaledHeight;
        m_drawWidth = drawWidth;
        m_drawHeight = drawHeight;
        ScaleStatePictures();
    }
    return m_backBuffer.GetBits() != nullptr &&
           m_backBuffer.GetWidth() == clientWidth && m_backBuffer.GetHeight() == clientHeight;
}

void CSlotPictureCache::ScaleStatePictures()
{
    if (m_scaledWidth <= 0 || m_scaledHeight <= 0 || m_drawWidth <= 0 || m_drawHeight <= 0)
        return;
    for (StatePicture& state : m_states) {
        if (!state.source.IsLoaded())
            continue;
        state.scaled.Create(m_scaledWidth, m_scaledHeight, 32);
        if (!state.scaled.GetBits())
            continue;
        CDC& target = state.scaled.GetDC();
        target.SetStretchBltMode(HALFTONE);
        ::SetBrushOrgEx(target, 0, 0, nullptr);
        target.StretchBlt(0, 0, m_drawWidth, m_drawHeight, &state.source.dc, 0, 0, state.source.size.cx,
                          state.source.size.cy, SRCCOPY);
    }
}

CSlotPictureCache::StatePicture* CSlotPictureCache::Find(int pictureId)
{
    for (StatePicture& state : m_states) {
        if (static_cast<int>(state.source.id) == pictureId)
            return &state;
    }
    return nullptr;
}

bool CSlotPictureCache::DrawState(CDC& dc, int pictureId, int x, int y, int width, int height)
{
    StatePicture* state = Find(pictureId);
    if (!state || !state->scaled.GetBits())
        return false;
    return dc.BitBlt(x, y, width, height, &state->scaled.GetDC(), 0, 0, SRCCOPY) != FALSE;
}

bool CSlotPictureCache::DrawScrollThumb(CDC& dc, int x, int y)
{
    if (!m_scrollThumb.IsLoaded())
        return false;
    return dc.BitBlt(x, y, m_scrollThumb.size.cx, m_scrollThumb.size.cy, &m_scrollThumb.dc, 0, 0, SRCCOPY) != FALSE;
}
