// Every private window and thread message of the program, in one place, ordered by number, so
// that a collision shows at a glance. Add a new message here, in the range of its receiver.
//
// Ownership: a message carrying a heap object hands it to the receiver, which frees it; when the
// post fails the sender frees it (framework/PostOwned.h). "Sent" messages carry pointers valid
// during the call only.
//
// Ranges
//   WM_USER +    0 ..   99  to the view and the console's small windows
//   WM_USER +  100 ..  199  to the skinned widgets' own frames
//   WM_USER +  256 .. 0x7FFF taken by framework/AsyncSocket.cpp, to its hidden notification
//                           window only (one number per socket); nothing else goes there
//   WM_USER + 1000 .. 1039, 1135, 1136  to a remote session's windows (the hidden session
//                           window and the window that shows the student)
//   WM_USER + 1100 .. 1199  to the pen tool's windows
//   WM_USER + 1200 .. 1499  to the main frame, the quiz panel and the log window
//   3000 .. 3099            a drop target's drag callbacks, to the window it serves
//   WM_APP  +    1 ..   99  a socket's notifications, to its owner window
//   WM_APP  +  100 ..  199  to a student thread's socket window
//   WM_APP  +  200 ..  299  to a student's thread, and the thread's hand-over to the view
//   WM_APP  +  300 ..  399  a thread's or session's start and end
//   WM_APP  +  400 ..  499  to the view's and the transfer's windows
//   0xBC00 + n              reflected notifications (framework/MessageMap.h, WM_REFLECT_BASE)
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// Carried in wParam by messages whose lParam is a record pointer or a heap object; a message
// with any other wParam is ignored, so a stray message of the same number frees nothing.
constexpr WPARAM MessageMarker = 0x12345;

// --- WM_USER + 0 .. 99 ----------------------------------------------------------------------

// Posted to an on-screen text window's notify window when its display time has run out;
// wParam the text window's handle, lParam 0.
#define WM_CHILD_CLOSED           (WM_USER + 9)
// To the view about a pad's screen share: wParam MessageMarker; lParam the number for
// WM_PAD_SHARE_PARAM, the asking seat for WM_PAD_SHARE_RESTART, else 0.
#define WM_PAD_SHARE_START        (WM_USER + 10)
#define WM_PAD_SHARE_STOP         (WM_USER + 11)
#define WM_PAD_SHARE_PARAM        (WM_USER + 12)
#define WM_PAD_SHARE_KEEPALIVE    (WM_USER + 13)
#define WM_PAD_SHARE_RESTART      (WM_USER + 14)
// To the view: a pad without the presentation right asked for the teacher's screen; lParam its
// slot number.
#define WM_PAD_SHARE_REFUSED      (WM_USER + 15)
// From the pad stream's worker on its way out: lParam the stream's generation.
#define WM_PAD_SHARE_ENDED        (WM_USER + 16)

// --- WM_USER + 100 .. 199 -------------------------------------------------------------------

// To a skinned scroll frame: lay out again. wParam: the vertical bar is shown; lParam: it is on
// the left.
#define WM_SKIN_SCROLL_UPDATE     (WM_USER + 100)

// --- WM_USER + 1000 .. 1039 -------------------------------------------------------------------
// A remote session's hidden window (CCommunicationWnd) unless said otherwise. Each command
// message is sent or posted with plain values; none carries a heap object unless said.

// From the input pump: send the queued input. wParam and lParam 0.
#define WM_FLUSH_INPUT            (WM_USER + 1000)
// To the view window: the student's screen size; wParam width, lParam height.
#define WM_STUDENT_SCREEN_SIZE    (WM_USER + 1001)
// Posted to the single-student control bar by the teacher toolbar's share toggle: its sharing
// flag and share button follow g_screenSharing. wParam, lParam 0.
#define WM_SYNC_SHARE_BUTTON      (WM_USER + 1002)
// To the view window: wParam 1 while the student's sound plays, 0 when it stopped.
#define WM_SOUND_STATE            (WM_USER + 1013)
// "[KW00016]": the student plays its special key combination.
#define WM_SEND_SPECIAL_KEY       (WM_USER + 1015)
// Sent: switches the student's sound on or off; answers 0, or -1 (no device), -2 (no buffer).
#define WM_TOGGLE_SOUND           (WM_USER + 1016)
// Sent: wParam a const CString* with the teacher's chat line, valid during the call.
#define WM_SEND_CHAT_TEXT         (WM_USER + 1018)
// Sent: wParam a const RECT* (the view's client rectangle), valid during the call.
#define WM_SEND_VIEW_REGION       (WM_USER + 1019)
// wParam horizontal, lParam vertical scroll position.
#define WM_SEND_VIEW_SCROLL       (WM_USER + 1020)
// wParam 1 / 0: fitted or not; and full screen or not.
#define WM_SEND_FULLSCREEN_ON     (WM_USER + 1021)
// From the packet thread: lParam the frame number to acknowledge.
#define WM_FRAME_DECODED          (WM_USER + 1022)
#define WM_SEND_FULLSCREEN_STATE  (WM_USER + 1023)
#define WM_SEND_CLIPBOARD         (WM_USER + 1024)
#define WM_SEND_KW00087           (WM_USER + 1025)
// From the packet thread: wParam a heap CString with the text the student put on its clipboard,
// lParam its clipboard format; the session window puts it on the teacher's clipboard as owner.
#define WM_STUDENT_CLIPBOARD      (WM_USER + 1026)
// To the view window: wParam a heap SessionChatLine (sessions/SessionReceiver.h) with a line
// the student wrote, for the chat window that lives on the view window's thread.
#define WM_SESSION_CHAT_LINE      (WM_USER + 1030)
// Sent by the packet thread: wParam a const CPacket* (a type-9 upload piece), valid during the
// call; the session window writes it and answers "[KW00105]%d".
#define WM_FILE_PIECE             (WM_USER + 1033)
// From the packet thread: the student is alive; answer at once.
#define WM_KEEPALIVE_SEEN         (WM_USER + 1034)
// From the packet thread: its queue, which was full, has room again; the session window reads
// from the student's connection again.
#define WM_SESSION_QUEUE_ROOM     (WM_USER + 1035)
// To the combined window (CSumUIThreadWnd): the student of one pane was lost; wParam that pane's
// session window. The other panes go on.
#define WM_SUM_PANE_LOST          (WM_USER + 1037)
#define WM_SEND_KW00116           (WM_USER + 1039)

// --- WM_USER + 1100 .. 1199 -----------------------------------------------------------------

// To the pen toolbar from outside: passed on to the pen thread's window and from there to the
// owning teacher toolbar, parameters unchanged.
#define WM_NOTE_TOOL_NOTIFY       (WM_USER + 1100)
// To the pen toolbar: a file-transfer result box; wParam non-zero success, 0 failure.
#define WM_NOTE_TOOL_MESSAGE      (WM_USER + 1101)
// Posted to the pen thread's window by the teacher toolbar's thread: show the pen toolbar again
// where it was. wParam, lParam 0.
#define WM_NOTE_TOOL_SHOW         (WM_USER + 1102)
// Posted to the pen thread's window: close the drawing surface without asking, back to touch
// mode, hide the pen toolbar. wParam, lParam 0.
#define WM_NOTE_TOOL_HIDE         (WM_USER + 1103)
// To a remote session's hidden window: "[KW00108]home" / "[KW00108]back" for a pad.
#define WM_PAD_HOME               (WM_USER + 1135)
#define WM_PAD_BACK               (WM_USER + 1136)
// To the teacher toolbar: answered 1, no effect.
#define WM_NOTE_TOOL_STATE        (WM_USER + 1137)
#define WM_NOTE_TOOL_QUERY        (WM_USER + 1138)
// To the console (the teacher toolbar, and the view until that exists): with wParam
// MessageMarker, press the pen-tool button. Answers 1.
#define WM_OPEN_NOTE_TOOL         (WM_USER + 1139)

// --- WM_USER + 1200 .. 1499 -----------------------------------------------------------------

// Posted by the group tab strip to its parent: wParam MessageMarker; lParam a heap CString with
// the selected group's name (AfxTakePosted<CString>). A copy, so a tab removed before the
// message arrives leaves nothing dangling.
#define WM_GROUP_TAB_SELECTED     (WM_USER + 1200)
// To the quiz panel from its pop-ups: every asked student has answered (wParam, lParam 0); the
// main window's full-screen state (lParam 1 full screen, 0 restored; passed on to the view); the
// result chart was closed (wParam, lParam 0).
#define WM_QUIZ_WAIT_TIMEOUT      (WM_USER + 1300)
#define WM_SET_FULLSCREEN         (WM_USER + 1301)
#define WM_QUIZ_RESULTS           (WM_USER + 1302)
// Posted by a student's thread to the view: the speed-quiz winner's announcement; wParam
// MessageMarker, lParam a heap CString (AfxTakePosted<CString>).
#define WM_QUIZ_ANNOUNCE          (WM_USER + 1303)
// To the view (the teacher toolbar's quiz entry): with wParam MessageMarker, show the quiz panel.
// Answers 1.
#define WM_OPEN_QUIZ_PANEL        (WM_USER + 1304)
// To the log window: wParam MessageMarker; lParam a heap CLogInfo.
#define WM_ADD_LOG_RECORD         (WM_USER + 1400)
// To the log window from an abnormal-end report's worker: wParam TRUE when the service accepted
// the report; lParam a heap WebServiceReply.
#define WM_PAD_REPORT_DONE        (WM_USER + 1401)

// --- 3000 .. 3099 ---------------------------------------------------------------------------

// Sent by a drop target to the window it serves, for a window other than a view: wParam a
// COleDropInfo on the sender's stack, lParam 0. The answer goes back to OLE; a window that does
// not answer refuses the drag (0 is DROPEFFECT_NONE / FALSE).
#define WM_DROP_ENTER             3000   // answer: DROPEFFECT
#define WM_DROP_OVER              3001   // answer: DROPEFFECT
#define WM_DROP_DROP              3002   // answer: TRUE when taken
#define WM_DROP_DROPEX            3003   // answer: DROPEFFECT, or -1 to let WM_DROP_DROP decide
#define WM_DROP_LEAVE             3004   // wParam 0

// --- WM_APP + 1 .. 99 -----------------------------------------------------------------------

// Sent by a CTCPSocket to its owner window: wParam the CTCPSocket*; lParam 0, except for
// WM_SOCKET_CONNECT: the connect error code (0 on success), and for WM_SOCKET_RECEIVE after the
// peer has closed: CTCPSocket::kLastBytes.
#define WM_SOCKET_ACCEPT          (WM_APP + 1)
#define WM_SOCKET_CONNECT         (WM_APP + 2)
#define WM_SOCKET_RECEIVE         (WM_APP + 3)
#define WM_SOCKET_CLOSE           (WM_APP + 4)

// --- WM_APP + 100 .. 199 --------------------------------------------------------------------

// To a viewer or pen thread (PostThreadMessage by thread id): close its window and end.
#define WM_THREAD_QUIT_WINDOW     (WM_APP + 100)
// Sent to a student thread's socket window: wParam a const CString* with the typed line.
#define WM_CHAT_TYPED             (WM_APP + 106)
// Sent by the class screen share's worker to the view: wParam a CPacket* the worker keeps (valid
// during the call; the view sends copies), lParam 1 for a block only students that missed one
// need, else 0.
#define WM_BROADCAST_PACKET       (WM_APP + 107)
// Sent by the remote-controller app's stream worker to the view: wParam a CPacket* the worker
// keeps (valid during the call), lParam 0.
#define WM_REMOTE_APP_FRAME       (WM_APP + 109)
// Sent to a student thread's socket window: wParam a CPacket* the caller keeps.
#define WM_PAD_SHARE_FRAME        (WM_APP + 110)

// --- WM_APP + 200 .. 299 --------------------------------------------------------------------

// To a student's thread (PostThreadMessage by thread id). wParam: a heap wchar_t[] command
// text; lParam: a socket handle for "[KW00003]", the transfer window for "[KW00010]", else 0.
#define WM_SEND_COMMAND_TEXT      (WM_APP + 200)
// From a student's thread to the view: wParam the detached socket handle, lParam the CPCInfo.
#define WM_SESSION_ACCEPTED       (WM_APP + 201)
#define WM_SESSION_ACCEPTED_MODE2 (WM_APP + 202)
// To a student's thread: wParam a heap CPacket, lParam 0.
#define WM_SEND_GROUP_PACKET      (WM_APP + 203)
#define WM_SEND_PACKET            (WM_APP + 204)
// From a student's thread to the view, as WM_SESSION_ACCEPTED.
#define WM_SUM_SESSION_ACCEPTED   (WM_APP + 205)
// To a student's thread: open the slot's chat window there, or bring it to the front; wParam
// and lParam 0.
#define WM_OPEN_CHAT              (WM_APP + 206)

// --- WM_APP + 300 .. 399 --------------------------------------------------------------------

// To a student's thread: start serving; wParam and lParam 0.
#define WM_THREAD_START           (WM_APP + 300)
// Posted by a remote session to the view when it ends: wParam the CPCInfo, lParam the socket
// handle given back (the view's from then on), or INVALID_SOCKET when the student was lost.
#define WM_SESSION_CLOSED         (WM_APP + 301)
// To a remote session's threads: end the session (WM_CLOSE to the thread's window).
#define WM_THREAD_CLOSE           (WM_APP + 302)
// Posted to the view by a student's thread: wParam the seat number; lParam a heap CString with
// the "[PC00014]" arguments, which the view frees.
#define WM_STUDENT_ADDRESS_REPORT (WM_APP + 303)
// Posted to the view once an admitted student's thread runs: wParam the seat number, lParam the
// connection id it was started for.
#define WM_STUDENT_THREAD_STARTED (WM_APP + 304)
// Posted to the view by a student's thread whose seat held the presentation right when it went
// offline: wParam the seat number, lParam the connection id the thread served.
#define WM_PRESENTATION_RIGHT_FREED (WM_APP + 305)

// --- WM_APP + 400 .. 499 --------------------------------------------------------------------

// To the file-transfer window: wParam a heap CString with the file's path; lParam
// slot number << 16 | value (result 0..3, or a percentage).
#define WM_TRANSFER_PROGRESS      (WM_APP + 401)
#define WM_TRANSFER_STATUS        (WM_APP + 402)
// To the view, a student's status caption: wParam the seat number (1-based), lParam 1..4
// (updating, restarting, starting, ending).
#define WM_SLOT_STATUS            (WM_APP + 403)
// Posted by an image button to its parent when a valid single file was dropped on it: wParam
// the path (a heap wchar_t array, AfxTakePosted<wchar_t[]>), lParam 0.
#define WM_FILE_DROPPED           (WM_APP + 405)
