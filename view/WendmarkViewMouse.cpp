// The grid and the mouse: a click focuses a slot, Ctrl-click builds a multi-selection, a click
// while picking for the collect view picks up to four students, a right click opens the slot's
// menu, a double click asks the student for a remote session; the scroll column on the right
// pages, drags its thumb and follows the wheel.
#include "view/WendmarkView.h"

#include "framework/Menu.h"
#include "res/resource.h"
#include "sessions/core/StudentMessages.h"
#include "sessions/core/TeacherCommands.h"
#include "ui/ShowMessageBox.h"
#include "view/core/ScrollThumb.h"

#include <algorithm>

namespace {

const int kMaxPicked = 4;
// Positions of the PC and the pad sub-menu in menu 315.
const int kPcMenuPosition = 4;
const int kPadMenuPosition = 5;

} // namespace

int CWendmarkView::HitTestClient(CPoint point) const
{
    return m_layout.HitTest(point.x, point.y, m_scrollPosition, ShownSlots().size());
}

bool CWendmarkView::IsInScrollColumn(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    return IsGridTallerThanClient() && point.x >= client.right - kScrollColumnWidth && point.x < client.right &&
           point.y >= 0 && point.y < client.bottom;
}

CPCInfo* CWendmarkView::GetTargetSlot() const
{
    const std::vector<CPCInfo*>& shown = ShownSlots();
    if (m_focusIndex < 0 || m_focusIndex >= static_cast<int>(shown.size()))
        return nullptr;
    return shown[static_cast<size_t>(m_focusIndex)];
}

// --- Buttons --------------------------------------------------------------------------------

void CWendmarkView::OnLButtonDown(UINT flags, CPoint point)
{
    if (IsInScrollColumn(point)) {
        if (point.y < m_thumbPosition + kScrollButtonSize)
            OnVScroll(SB_PAGEUP, 0, nullptr);
        else if (point.y > m_thumbPosition + kScrollButtonSize + kScrollThumbHeight)
            OnVScroll(SB_PAGEDOWN, 0, nullptr);
        else
            m_thumbDragArmed = true;
        Default();
        return;
    }
    const int index = HitTestClient(point);
    if (m_collectPicking)
        PickForCollectView(index);
    else if (flags & MK_CONTROL)
        ToggleSelection(index);
    else
        FocusOnly(index);
    Invalidate(FALSE);
    Default();
}

void CWendmarkView::PickForCollectView(int index)
{
    m_multiSelection = true;
    m_focusIndex = -1;
    if (index < 0)
        return;
    CPCInfo& slot = *ShownSlots()[static_cast<size_t>(index)];
    if (slot.m_pcThreadId.load() == 0)
        return;
    if (slot.m_selected.load()) {
        slot.m_selected = 0;
        m_pickedCount = std::max(0, m_pickedCount - 1);
        return;
    }
    if (m_pickedCount >= kMaxPicked) {
        ShowMessageBox(LoadText(IDS_COLLECT_VIEW_MAX_FOUR));
        return;
    }
    slot.m_selected = 1;
    ++m_pickedCount;
}

void CWendmarkView::ToggleSelection(int index)
{
    m_multiSelection = true;
    if (index < 0)
        return;
    if (CPCInfo* focused = GetTargetSlot())
        focused->m_selected = 1;
    CPCInfo& slot = *ShownSlots()[static_cast<size_t>(index)];
    slot.m_selected = slot.m_selected.load() ? 0 : 1;
}

void CWendmarkView::FocusOnly(int index)
{
    m_multiSelection = false;
    for (CPCInfo* slot : ShownSlots())
        slot->m_selected = 0;
    m_focusIndex = index;
}

void CWendmarkView::OnRButtonDown(UINT flags, CPoint point)
{
    m_focusIndex = HitTestClient(point);
    Invalidate(FALSE);
    CPCInfo* slot = GetTargetSlot();
    if (slot && slot->m_pcThreadId.load() != 0 && !slot->m_controlThread.load())
        ShowSlotMenu(point);
    Default();
}

void CWendmarkView::ShowSlotMenu(CPoint point)
{
    CPCInfo& slot = *GetTargetSlot();
    CMenu menu;
    if (!menu.LoadMenu(IDR_SLOT_MENU))
        return;
    // Only a Windows PC agent gets the PC menu; both pad kinds get the pad menu.
    HMENU popup = menu.GetSubMenu(slot.m_clientKind.load() == 1 ? kPcMenuPosition : kPadMenuPosition);
    if (!popup)
        return;
    CMenu::CheckMenuItem(popup, ID_SLOT_TOUCH_CONTROL,
                         MF_BYCOMMAND | (slot.m_forbidMouse.load() ? MF_CHECKED : MF_UNCHECKED));
    CMenu::CheckMenuItem(popup, ID_SLOT_FORBID_KEYBOARD,
                         MF_BYCOMMAND | (slot.m_forbidKeyboard.load() ? MF_CHECKED : MF_UNCHECKED));
    const UINT ids[] = {ID_SLOT_CHANGE_NUMBER, ID_SLOT_REMOTE_CONTROL, ID_SLOT_RESTART, ID_SLOT_SHUTDOWN};
    const UINT bitmaps[] = {IDB_MENU_CHANGE_NUMBER, IDB_MENU_REMOTE_CONTROL, IDB_MENU_RESTART, IDB_MENU_SHUTDOWN};
    for (size_t i = 0; i < 4; ++i) {
        if (!m_menuBitmaps[i].GetSafeHandle())
            m_menuBitmaps[i].LoadBitmap(bitmaps[i]);
        if (m_menuBitmaps[i].GetSafeHandle())
            CMenu::SetMenuItemBitmaps(popup, ids[i], MF_BYCOMMAND, m_menuBitmaps[i], m_menuBitmaps[i]);
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    CMenu::TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CWendmarkView::OnLButtonDblClk(UINT flags, CPoint point)
{
    const int index = HitTestClient(point);
    if (index >= 0) {
        CPCInfo& slot = *ShownSlots()[static_cast<size_t>(index)];
        if (slot.IsOnline() && slot.m_pcThreadId.load() != 0 && !RefuseWhileQuizShown())
            AskForRemoteSession(slot);
    }
    Default();
}

void CWendmarkView::AskForRemoteSession(CPCInfo& slot)
{
    // A new screen format clears the width alone: a session of zero width would show nothing,
    // so either side still 0 means the size is asked afresh.
    if (slot.m_frameWidth.load() == 0 || slot.m_frameHeight.load() == 0) {
        slot.m_frameWidth = HalveFrameSide(slot.m_screenWidth.load());
        slot.m_frameHeight = HalveFrameSide(slot.m_screenHeight.load());
    }
    CloseSlotChat(slot);
    PostCommandToSlot(slot, RemoteSessionCommand(slot.m_frameWidth.load(), slot.m_frameHeight.load()));
}

// --- The scroll column ----------------------------------------------------------------------

int CWendmarkView::ScrollableLength() const
{
    CRect client;
    GetClientRect(&client);
    return m_documentHeight - client.Height();
}

int CWendmarkView::ThumbTrackLength() const
{
    CRect client;
    GetClientRect(&client);
    return client.Height() - 2 * kScrollButtonSize - kScrollThumbHeight;
}

void CWendmarkView::OnMouseMove(UINT flags, CPoint point)
{
    if (m_thumbDragArmed && !m_thumbDragging) {
        SetCapture();
        m_thumbDragging = true;
        m_lastDragY = point.y;
    } else if (m_thumbDragging) {
        const int track = ThumbTrackLength();
        const int thumb = m_thumbPosition + (point.y - m_lastDragY);
        if (thumb >= 0 && thumb <= track && track > 0) {
            m_lastDragY = point.y;
            const int length = std::max(0, ScrollableLength());
            ScrollTo(static_cast<int>(static_cast<double>(length) * thumb / track), false);
            m_thumbPosition = thumb;
            Invalidate(FALSE);
        }
    }
    Default();
}

void CWendmarkView::OnLButtonUp(UINT flags, CPoint point)
{
    const bool dragging = m_thumbDragging;
    m_thumbDragArmed = false;
    m_thumbDragging = false;
    if (dragging)
        ::ReleaseCapture();
    Default();
}

// Another window took the mouse in mid-drag: the drag ends there.
void CWendmarkView::OnCaptureChanged(CWnd* wnd)
{
    m_thumbDragArmed = false;
    m_thumbDragging = false;
    Default();
}

void CWendmarkView::OnVScroll(UINT code, UINT position, CScrollBar* bar)
{
    CRect client;
    GetClientRect(&client);
    const int line = std::max(1, m_layout.RowPitch());
    int target = m_scrollPosition;
    switch (code) {
    case SB_LINEUP: target -= line; break;
    case SB_LINEDOWN: target += line; break;
    case SB_PAGEUP: target -= client.Height(); break;
    case SB_PAGEDOWN: target += client.Height(); break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = m_documentHeight; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: target = static_cast<int>(position); break;
    default: return;
    }
    ScrollTo(target, true);
}

BOOL CWendmarkView::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    const int line = std::max(1, m_layout.RowPitch());
    ScrollTo(m_scrollPosition - delta * line / WHEEL_DELTA, true);
    return TRUE;
}

void CWendmarkView::OnLineUp()
{
    OnVScroll(SB_LINEUP, 0, nullptr);
}

void CWendmarkView::OnLineDown()
{
    OnVScroll(SB_LINEDOWN, 0, nullptr);
}

// The grid scrolls within the document; the buttons are kept out of the way meanwhile, and the
// students' threads learn the new position (they keep it, the students are not told).
void CWendmarkView::ScrollTo(int position, bool tellStudents)
{
    const int lowest = std::max(0, ScrollableLength());
    const int clamped = std::min(std::max(position, 0), lowest);
    if (!tellStudents) {
        m_scrollPosition = clamped;
        return;
    }
    m_scrollPosition = clamped;
    SetRedraw(FALSE);
    PlaceScrollControls();
    SetRedraw(TRUE);
    Invalidate(FALSE);
    PostToAllSlots(ScrollPositionCommand(m_scrollPosition));
}

void CWendmarkView::OnSysKeyDown(UINT ch, UINT repeat, UINT flags)
{
    Invalidate(FALSE);   // the captions that follow the left Alt key
    Default();
}

void CWendmarkView::OnSysKeyUp(UINT ch, UINT repeat, UINT flags)
{
    Invalidate(FALSE);
    Default();
}
