// Posting commands and packets to a student's thread. The thread owns what it is given and frees
// it whether or not it could send it; when the post fails (the thread has ended) these free it.
#pragma once

#include "framework/Afx.h"

#include <memory>

class CPacket;

// The text as a heap array of wide characters, as WM_SEND_COMMAND_TEXT carries it.
std::unique_ptr<wchar_t[]> MakeHeapText(const CString& text);

// WM_SEND_COMMAND_TEXT. lParam: a socket handle given back with "[KW00003]" (on a failed post it
// stays the caller's), the transfer window with "[KW00010]", else 0.
BOOL PostStudentCommand(DWORD threadId, const CString& text, LPARAM lParam = 0);
// WM_SEND_PACKET (or WM_SEND_GROUP_PACKET).
BOOL PostStudentPacket(DWORD threadId, std::unique_ptr<CPacket> packet, bool groupPacket = false);
