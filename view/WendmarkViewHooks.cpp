// What the activities opened from the classroom view plug in. Each function here is where the
// activity's own code takes over; until an activity exists its entry does the least a teacher
// would expect (nothing shown as open, nothing opened).
#include "view/WendmarkView.h"

#include "activities/screenshare/ShareGlobals.h"
#include "dialogs/GroupExecuteDlg.h"
#include "foundation/AppGlobals.h"
#include "sessions/PCInfo.h"
#include "sessions/SlotChat.h"

// The quiz panel: while it is visible, the commands that take a student away refuse.
bool CWendmarkView::IsQuizPanelVisible() const
{
    return m_quizDlg.IsPanelVisible();
}

// The class screen share (the toolbar's share button).
bool CWendmarkView::IsClassScreenSharing() const
{
    return g_screenSharing.load() != 0;
}

// The toolbar's touch lock.
bool CWendmarkView::IsTouchLockOn() const
{
    return m_broadcastDlg.IsTouchLocked();
}

// A remote session takes the connection: the slot's chat window closes first (on its own
// thread).
void CWendmarkView::CloseSlotChat(CPCInfo& slot)
{
    slot.m_chatWindow.CloseChat();
}

// Brings the slot's chat window to the front, or opens it with the slot's display name, on the
// student's thread.
void CWendmarkView::OpenChatWindow(CPCInfo& slot)
{
    if (!RequestChatWindow(slot))
        TRACE(L"PC:%d the chat cannot be opened now\n", slot.m_slotNumber.load());
}

// The group execute dialog, given the shown slots and the multi-selection.
void CWendmarkView::RunGroupExecuteDialog()
{
    CGroupExecuteDlg dialog(ShownSlots(), m_multiSelection, this);
    dialog.DoModal();
}
