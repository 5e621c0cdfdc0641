#include "sessions/StudentPosting.h"

#include "foundation/AppMessages.h"
#include "foundation/Packet.h"
#include "framework/PostOwned.h"

#include <cwchar>

std::unique_ptr<wchar_t[]> MakeHeapText(const CString& text)
{
    const size_t length = static_cast<size_t>(text.GetLength());
    std::unique_ptr<wchar_t[]> copy(new wchar_t[length + 1]);
    std::wmemcpy(copy.get(), text.GetString(), length);
    copy[length] = L'\0';
    return copy;
}

BOOL PostStudentCommand(DWORD threadId, const CString& text, LPARAM lParam)
{
    if (threadId == 0)
        return FALSE;
    return PostOwnedThreadMessage(threadId, WM_SEND_COMMAND_TEXT, MakeHeapText(text), lParam);
}

BOOL PostStudentPacket(DWORD threadId, std::unique_ptr<CPacket> packet, bool groupPacket)
{
    if (threadId == 0 || !packet)
        return FALSE;
    return PostOwnedThreadMessage(threadId, groupPacket ? WM_SEND_GROUP_PACKET : WM_SEND_PACKET,
                                  std::move(packet));
}
