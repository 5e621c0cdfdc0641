// Painting one frame of the classroom grid: every visible slot's frame, picture and caption into
// the back buffer, the scroll column, then one copy to the screen. The repaint timer is re-armed
// only once a frame is done, so paints never pile up.
#include "view/WendmarkView.h"

#include "ui/UiScale.h"
#include "view/core/ScrollThumb.h"
#include "view/core/SlotPicture.h"
#include "view/core/ViewTimerRules.h"

namespace {

const COLORREF kBackground = RGB(40, 92, 153);
const COLORREF kCaptionText = RGB(70, 255, 70);
const COLORREF kNoticeText = RGB(255, 70, 70);
const COLORREF kShadow = RGB(0, 0, 0);

// The pad permissions in the order of the permission message's keys.
const int kOverlayPermission = 2;
const int kScreenCapturePermission = 3;

// A thumbnail the student's thread is redrawing can fail to copy; it is tried again briefly.
const int kThumbnailCopyTries = 3;

const UINT kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX;

} // namespace

void CWendmarkView::OnDraw(CDC* dc)
{
    KillTimer(kTimerRepaint);
    CRect client;
    GetClientRect(&client);
    PaintGrid(*dc, client);
    SetTimer(kTimerRepaint, kRepaintPeriodMs);
}

// Only the cells in the part of the client that was invalidated are painted again: the back
// buffer keeps the rest from the frames before, as long as the client keeps its size.
void CWendmarkView::PaintGrid(CDC& target, const CRect& client)
{
    if (!m_layout.IsLaidOut() ||
        !m_pictures.Prepare(client.Width(), client.Height(), m_layout.ScaledPictureWidth(), m_layout.PictureHeight(),
                            m_layout.ThumbnailWidth(), m_layout.ThumbnailHeight())) {
        target.FillSolidRect(client, kBackground);
        m_paintedClient = CSize(0, 0);
        return;
    }
    CRect dirty;
    if (m_paintedClient != client.Size() || target.GetClipBox(&dirty) == ERROR || !dirty.IntersectRect(dirty, client))
        dirty = client;
    const bool whole = dirty == client;
    m_paintedClient = client.Size();
    m_captionKeyDown = GetKeyState(VK_LMENU) < 0;
    CDC& dc = m_pictures.BackBuffer();
    const int saved = dc.SaveDC();
    if (whole)
        dc.FillSolidRect(client, kBackground);
    const std::vector<CPCInfo*>& shown = ShownSlots();
    m_paintedLooks.resize(shown.size());
    for (size_t index = 0; index < shown.size(); ++index) {
        if (!m_layout.IsCellVisible(index, client.Width(), client.Height(), m_scrollPosition))
            continue;
        const CRect extent = CellExtent(index);
        if (whole) {
            DrawSlot(dc, *shown[index], index);
        } else if (target.RectVisible(extent)) {
            const int cellSaved = dc.SaveDC();
            dc.IntersectClipRect(extent);
            dc.FillSolidRect(extent, kBackground);
            DrawSlot(dc, *shown[index], index);
            dc.RestoreDC(cellSaved);
        }
    }
    if (IsGridTallerThanClient())
        DrawScrollColumn(dc, client);
    dc.RestoreDC(saved);
    target.BitBlt(dirty.left, dirty.top, dirty.Width(), dirty.Height(), &dc, dirty.left, dirty.top, SRCCOPY);
}

CRect CWendmarkView::ClientRectOf(const GridRect& document) const
{
    return CRect(document.left, document.top - m_scrollPosition, document.right, document.bottom - m_scrollPosition);
}

void CWendmarkView::DrawSlot(CDC& dc, CPCInfo& slot, size_t index)
{
    const CellLook look = LookOf(slot, index);
    m_paintedLooks[index] = look;
    const CRect frame = ClientRectOf(m_layout.FrameRect(index));
    if (static_cast<int>(index) == m_focusIndex)
        m_focusRect = frame;
    CPen* pen = &m_plainPen;
    switch (static_cast<SlotFrame>(look.frame)) {
    case SlotFrame::Focused: pen = &m_focusPen; break;
    case SlotFrame::MultiSelected: pen = &m_selectedPen; break;
    case SlotFrame::Plain: break;
    }
    dc.SelectObject(pen);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(frame);

    const CRect picture = ClientRectOf(m_layout.PictureRect(index));
    if (look.picture == kPictureThumbnail)
        DrawThumbnail(dc, slot, picture);
    else
        m_pictures.DrawState(dc, look.picture, picture.left, picture.top, picture.Width(), picture.Height());
    if (look.caption)
        DrawCaption(dc, slot.m_slotNumber.load(), look, index);
    if (m_answersShown)
        DrawQuizAnswer(dc, look.answer, frame);
}

CellLook CWendmarkView::LookOf(CPCInfo& slot, size_t index) const
{
    const bool focused = static_cast<int>(index) == m_focusIndex;
    CellLook look;
    look.picture = ChooseSlotPictureOf(slot);
    if (look.picture == kPictureThumbnail)
        look.thumbnailGeneration = slot.m_thumbnailGeneration.load();
    look.frame = static_cast<int>(ChooseSlotFrame(focused, m_multiSelection, slot.m_selected.load() != 0));
    look.caption = ShouldDrawCaption(m_showCaptions, m_captionKeyDown, focused);
    if (look.caption) {
        look.name = slot.GetDisplayName();
        look.notice = slot.GetNotice();
    }
    if (m_answersShown)
        look.answer = slot.GetQuizAnswer();
    return look;
}

// Everything a cell paints: its frame, and its captions where a small cell lets them run below.
CRect CWendmarkView::CellExtent(size_t index) const
{
    CRect extent = ClientRectOf(m_layout.FrameRect(index));
    CRect caption = ClientRectOf(m_layout.CaptionRect(index, ScaleToUi(20)));
    caption.bottom += ScaleToUi(18);
    extent.UnionRect(extent, caption);
    extent.InflateRect(1, 1, 2, 2);   // the frame's pen and the text's shadow
    return extent;
}

int CWendmarkView::ChooseSlotPictureOf(CPCInfo& slot) const
{
    SlotPictureState state;
    state.online = slot.IsOnline();
    state.sessionChanging = slot.m_sessionChanging.load() != 0;
    state.remoteSessionOpen = slot.m_controlThread.load() != nullptr;
    state.presentationRight = slot.m_screenControl.load() != 0;
    state.screenOn = slot.m_screenOn.load() != 0;
    state.screenCapturePermission = slot.m_permissions[kScreenCapturePermission].load() != 0;
    state.overlayPermission = slot.m_permissions[kOverlayPermission].load() != 0;
    state.drmOn = slot.m_drmOn.load() != 0;
    state.locked = slot.m_locked.load() != 0;
    state.messengerInFront = slot.IsMessengerAppInFront();
    return ChooseSlotPicture(state);
}

void CWendmarkView::DrawThumbnail(CDC& dc, CPCInfo& slot, const CRect& picture)
{
    CCriticalSectionLock lock(slot.GetLock());
    if (!slot.m_thumbnail.GetBits())
        return;   // nothing received yet
    for (int attempt = 0; attempt < kThumbnailCopyTries; ++attempt) {
        if (dc.BitBlt(picture.left, picture.top, picture.Width(), picture.Height(), &slot.m_thumbnail.GetDC(), 0, 0,
                      SRCCOPY))
            return;
        Sleep(1);
    }
}

void CWendmarkView::DrawCaption(CDC& dc, int seat, const CellLook& look, size_t index)
{
    CString caption;
    caption.Format(L"%d  %s", seat, look.name.GetString());
    CRect box = ClientRectOf(m_layout.CaptionRect(index, ScaleToUi(20)));
    dc.SelectObject(&m_captionFont);
    dc.SetBkMode(TRANSPARENT);
    DrawShadowedText(dc, caption, box, kCaptionText);
    const CString& notice = look.notice;
    if (notice.IsEmpty())
        return;
    box.OffsetRect(0, ScaleToUi(18));
    DrawShadowedText(dc, notice, box, kNoticeText);
}

void CWendmarkView::DrawShadowedText(CDC& dc, const CString& text, CRect box, COLORREF colour)
{
    dc.SetTextColor(kShadow);
    CRect shadow = box;
    shadow.OffsetRect(0, 1);
    dc.DrawText(text, &shadow, kCaptionFormat);
    shadow.OffsetRect(1, 0);
    dc.DrawText(text, &shadow, kCaptionFormat);
    dc.SetTextColor(colour);
    dc.DrawText(text, &box, kCaptionFormat);
}

void CWendmarkView::DrawQuizAnswer(CDC& dc, const CString& answer, const CRect& frame)
{
    if (answer.IsEmpty())
        return;
    dc.SelectObject(&m_answerFont);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kCaptionText);
    CRect box = frame;
    dc.DrawText(answer, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void CWendmarkView::DrawScrollColumn(CDC& dc, const CRect& client)
{
    const CRect column(client.right - kScrollButtonSize, client.top, client.right, client.bottom);
    if (HBRUSH pattern = m_pictures.ScrollPatternBrush())
        dc.FillRect(column, pattern);
    m_pictures.DrawScrollThumb(dc, client.right - kScrollButtonSize + 1, m_thumbPosition + kScrollButtonSize);
}
