// The private messages between the classroom view, the students' threads and the windows they
// report to. A message carrying a heap object hands it to the receiver, which frees it; when the
// post fails the sender frees it (framework/PostOwned.h).
#pragma once

#include "framework/Afx.h"

// Carried in wParam by messages whose lParam is a record pointer; any other wParam is ignored.
constexpr WPARAM MessageMarker = 0x12345;

// To a student's thread (PostThreadMessage by thread id).
// wParam: heap wchar_t[] command text; lParam: a socket handle for "[KW00003]", the transfer
// window for "[KW00010]", else 0.
#define WM_SEND_COMMAND_TEXT      (WM_APP + 200)
#define WM_SEND_GROUP_PACKET      (WM_APP + 203)   // wParam: heap CPacket
#define WM_SEND_PACKET            (WM_APP + 204)   // wParam: heap CPacket
#define WM_THREAD_START           (WM_APP + 300)
// Opens the slot's chat window on the student's thread, or brings it to the front. No parameters.
#define WM_OPEN_CHAT              (WM_APP + 206)

// From a student's thread to the view: wParam the detached socket handle, lParam the CPCInfo.
#define WM_SESSION_ACCEPTED       (WM_APP + 201)
#define WM_SESSION_ACCEPTED_MODE2 (WM_APP + 202)
#define WM_SUM_SESSION_ACCEPTED   (WM_APP + 205)
// From a remote session to the view when it ends.
#define WM_SESSION_CLOSED         (WM_APP + 301)
#define WM_THREAD_CLOSE           (WM_APP + 302)
// Sent (synchronously) to the view: wParam and lParam both the same const CString* with the
// "[PC00014]" arguments, valid during the call.
#define WM_STUDENT_ADDRESS_REPORT (WM_APP + 303)

// To a student thread's socket window.
#define WM_CHAT_TYPED             (WM_APP + 106)   // sent: wParam a const CString* with the line
#define WM_PAD_SHARE_FRAME        (WM_APP + 110)   // sent: wParam a CPacket* the caller keeps

// To the file-transfer window: wParam a heap CString with the file's path, lParam
// slot number << 16 | value (result 0..3, or a percentage).
#define WM_TRANSFER_PROGRESS      (WM_APP + 401)
#define WM_TRANSFER_STATUS        (WM_APP + 402)

// To the view, wParam MessageMarker (lParam the number for WM_PAD_SHARE_PARAM).
#define WM_PAD_SHARE_START        (WM_USER + 10)
#define WM_PAD_SHARE_STOP         (WM_USER + 11)
#define WM_PAD_SHARE_PARAM        (WM_USER + 12)
#define WM_PAD_SHARE_KEEPALIVE    (WM_USER + 13)
#define WM_PAD_SHARE_RESTART      (WM_USER + 14)

// To the log window: wParam MessageMarker, lParam a heap CLogInfo.
#define WM_ADD_LOG_RECORD         (WM_USER + 1400)
// To the log window from a web-service report's worker: wParam TRUE when the service accepted
// the report, lParam a heap WebServiceReply.
#define WM_PAD_REPORT_DONE        (WM_USER + 1401)
