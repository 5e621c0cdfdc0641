#include "sessions/SlotChat.h"

#include "framework/PostOwned.h"
#include "sessions/PCInfo.h"
#include "foundation/AppMessages.h"

bool RequestChatWindow(const CPCInfo& slot)
{
    const DWORD threadId = slot.m_pcThreadId.load();
    return threadId != 0 && slot.m_controlThread.load() == nullptr && AfxPostToRunningThread(threadId, WM_OPEN_CHAT, 0, 0);
}

bool OpenChatWindow(CPCInfo& slot, HWND owner)
{
    const CString name = slot.GetDisplayName();
    CString caption;
    caption.Format(L"Slot :%d, %s", slot.m_slotNumber.load(), name.GetString());
    return slot.m_chatWindow.Open(owner, name, caption);
}
