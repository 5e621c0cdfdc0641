// The student thread's connection: answers the protocol needs at once, state reported into the
// slot, the end of the connection in its three forms, and the lending of the socket to a remote
// session.
#include "StudentFixture.h"

#include "foundation/AppMessages.h"
#include "framework/LoopbackPair.h"
#include "framework/PumpUntil.h"
#include "res/resource.h"
#include "sessions/StudentPosting.h"

TEST_F(StudentFixture, KeepAliveIsAnsweredAndStampsTheSlot)
{
    m_slot.m_lastHeardTick = 0;
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_NE(m_slot.m_lastHeardTick.load(), 0u);
    EXPECT_TRUE(m_slot.IsOnline());
    EXPECT_EQ(m_slot.m_connectionId.load(), kConnectionId);
    EXPECT_NE(m_slot.m_pcThreadId.load(), 0u);
}

// A seat is never online with the heard time of its last occupant: the heartbeat runs on another
// thread and would end a student whose thread has not begun to serve yet.
TEST_F(StudentFixture, ASeatComesOnlineAlreadyHeard)
{
    CPCInfo seat;
    seat.m_slotNumber = 9;
    seat.m_lastHeardTick = ::GetTickCount() - 600000;
    LoopbackPair pair;
    ASSERT_TRUE(pair.Ok());
    const SOCKET consoleEnd = pair.TakeServer();
    CPCThread* thread = CPCThread::Start(&seat, Links(), consoleEnd, kConnectionId + 2);
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(seat.IsOnline());
    EXPECT_LT(::GetTickCount() - seat.m_lastHeardTick.load(), 5000u);
    HANDLE handle = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &handle,
                                SYNCHRONIZE, FALSE, 0));
    pair.CloseClient();
    EXPECT_TRUE(WaitThreadEnd(handle));
    CloseHandle(handle);
}

TEST_F(StudentFixture, ScreenFormatIsAnsweredWithTheEchoValue)
{
    CPacket values(77u);
    values.m_flag = 1;   // not a format request, and no capture region: no answer
    ASSERT_TRUE(m_peer->Send(values));
    CPacket format;
    format.m_type = 2;
    format.m_screenWidth = 1280;
    format.m_screenHeight = 800;
    format.m_bitsPerPixel = 24;   // a depth the thumbnails cannot take
    m_slot.m_frameWidth = 640;
    ASSERT_TRUE(m_peer->Send(format));

    CPacket answer;
    ASSERT_TRUE(m_peer->Receive(answer));
    EXPECT_EQ(answer.m_type, 10);
    EXPECT_EQ(answer.m_value, 77u);
    EXPECT_EQ(answer.m_flag, 0u);
    EXPECT_EQ(m_slot.m_screenWidth.load(), 1280);
    EXPECT_EQ(m_slot.m_screenHeight.load(), 800);
    EXPECT_EQ(m_slot.m_bitsPerPixel.load(), 32);
    EXPECT_EQ(m_slot.m_frameWidth.load(), 0);

    format.m_bitsPerPixel = 8;
    ASSERT_TRUE(m_peer->Send(format));
    ASSERT_TRUE(m_peer->Receive(answer));
    EXPECT_EQ(m_slot.m_bitsPerPixel.load(), 8);
    // A size no screen has (window sizes are worked out from it) is not taken; the answer still goes.
    format.m_screenWidth = 0x7FFFFFFF;
    format.m_screenHeight = 0xFFFFFFFF;
    ASSERT_TRUE(m_peer->Send(format));
    ASSERT_TRUE(m_peer->Receive(answer));
    EXPECT_EQ(answer.m_type, 10);
    EXPECT_EQ(m_slot.m_screenWidth.load(), 1280);
    EXPECT_EQ(m_slot.m_screenHeight.load(), 800);
}

TEST_F(StudentFixture, ValuePairsAnswerTheFormatRequestOrTheCaptureRegion)
{
    m_slot.m_captureRegion[0] = 1;
    m_slot.m_captureRegion[1] = 2;
    m_slot.m_captureRegion[2] = 3;
    m_slot.m_captureRegion[3] = 4;
    m_slot.m_captureRegionActive = 1;
    CPacket request(5u);
    ASSERT_TRUE(m_peer->Send(request));   // second value 0: the format answer, region or not
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00002]");
    request.m_flag = 1;
    ASSERT_TRUE(m_peer->Send(request));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00008]2,1,4,3");
    EXPECT_EQ(m_slot.m_echoValue.load(), 5);
}

TEST_F(StudentFixture, ScreenSizeNamesAndStateReachTheSlot)
{
    m_slot.m_captureRegionActive = 1;
    ASSERT_TRUE(m_peer->SendText(L"[PC00004]1920,1080"));
    ASSERT_TRUE(m_peer->SendText(L"[PC00004]1,2,3"));   // wrong field count: ignored
    ASSERT_TRUE(m_peer->SendText(L"[PC00019]"));
    ASSERT_TRUE(m_peer->SendText(L"[PC00017]2.0.1.1050"));
    ASSERT_TRUE(m_peer->SendText(L"[PC00600]3"));
    ASSERT_TRUE(m_peer->SendText(L"[PC00025]41"));
    ASSERT_TRUE(m_peer->SendText(L"[PC0003"));          // shorter than a tag: ignored
    ASSERT_TRUE(m_peer->SendText(L"[PC00034]x"));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00116]");
    ASSERT_TRUE(m_peer->RoundTrip());

    EXPECT_EQ(m_slot.m_screenWidth.load(), 1920);
    EXPECT_EQ(m_slot.m_screenHeight.load(), 1080);
    EXPECT_EQ(m_slot.m_frameWidth.load(), 120);
    EXPECT_EQ(m_slot.m_frameHeight.load(), 135);
    EXPECT_EQ(m_slot.m_captureRegionActive.load(), 0);
    EXPECT_EQ(m_slot.GetDisplayName(), L" ");
    EXPECT_EQ(m_slot.GetVersion(), L"2.0.1.1050");
    EXPECT_EQ(m_slot.m_orientation.load(), 3);
    EXPECT_EQ(m_slot.m_shareAcknowledged.load(), 41);
    EXPECT_EQ(m_slot.m_shareResyncMarker.load(), -1);
    EXPECT_EQ(m_slot.m_restarting.load(), 1);
}

TEST_F(StudentFixture, PadPermissionsSetTheNoticeAndClearItAgain)
{
    ASSERT_TRUE(m_peer->SendText(L"[PC00172]{\"type\":\"android_permission\",\"permissions\":"
                                 L"{\"screencapture\":\"on\",\"overlay\":\"on\"}}"));
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_EQ(m_slot.m_permissions[3].load(), 1);
    EXPECT_EQ(m_slot.m_permissions[1].load(), 0);
    EXPECT_TRUE(m_slot.IsCapturePermissionOnly());
    EXPECT_FALSE(m_slot.GetNotice().IsEmpty());

    ASSERT_TRUE(m_peer->SendText(L"[PC00172]{\"type\":\"android_permission\",\"permissions\":"
                                 L"{\"screencapture\":\"on\",\"overlay\":\"on\",\"usagestats\":\"on\"}}"));
    ASSERT_TRUE(m_peer->SendText(L"[PC00172]not json at all"));
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_TRUE(m_slot.GetNotice().IsEmpty());
    EXPECT_EQ(m_slot.m_permissions[1].load(), 1);
}

TEST_F(StudentFixture, PadMessagesReachTheViewWithTheMarker)
{
    // A pad without the presentation right does not steer the holder's stream: its stop,
    // acknowledgement, restart and keep-alive reach nobody (its own screen size is still kept).
    for (const wchar_t* text : {L"[AN00005]", L"[AN00006]9", L"[AN00010]800,1280", L"[AN00003]"})
        ASSERT_TRUE(m_peer->SendText(text));
    ASSERT_TRUE(m_peer->RoundTrip());
    PumpPending();
    for (const UINT message : {WM_PAD_SHARE_STOP, WM_PAD_SHARE_PARAM, WM_PAD_SHARE_RESTART, WM_PAD_SHARE_KEEPALIVE})
        EXPECT_EQ(m_view.Count(message), 0) << std::hex << message;
    EXPECT_EQ(m_slot.m_screenWidth.load(), 800);

    m_slot.m_screenControl = 1;   // the teacher's screen goes only to the holder of the right
    ASSERT_TRUE(m_peer->SendText(L"[AN00004]"));
    const CString size = m_peer->ReceiveText();
    EXPECT_EQ(size.Left(9), L"[AN00001]");
    ASSERT_TRUE(m_peer->SendText(L"[AN00006]5,6"));   // two fields: nothing
    ASSERT_TRUE(m_peer->SendText(L"[AN00006]12"));
    ASSERT_TRUE(m_peer->SendText(L"[AN00010]600,1024"));
    ASSERT_TRUE(m_peer->SendText(L"[AN00003]"));
    ASSERT_TRUE(m_peer->SendText(L"[AN00005]"));
    // An address entry longer than any the view keeps is not even passed on.
    ASSERT_TRUE(m_peer->SendText(L"[PC00014]a,192.168.0.3,c," + CString(L'x', 600)));
    ASSERT_TRUE(m_peer->SendText(L"[PC00014]a,192.168.0.3,c,d"));
    ASSERT_TRUE(m_peer->RoundTrip());
    // All of it has been read; the view takes its messages in as it pumps, the last one included.
    PumpUntil([&] { return m_view.Count(WM_STUDENT_ADDRESS_REPORT) > 0; });
    EXPECT_EQ(m_view.Count(WM_PAD_SHARE_RESTART), 1);
    EXPECT_EQ(m_view.Count(WM_PAD_SHARE_STOP), 1);
    EXPECT_EQ(m_view.Count(WM_PAD_SHARE_KEEPALIVE), 1);
    EXPECT_EQ(m_view.Count(WM_PAD_SHARE_START), 1);
    ASSERT_EQ(m_view.Count(WM_PAD_SHARE_PARAM), 1);
    EXPECT_EQ(m_view.Last(WM_PAD_SHARE_PARAM)->lParam, 12);
    EXPECT_EQ(m_view.Last(WM_PAD_SHARE_PARAM)->wParam, MessageMarker);
    EXPECT_EQ(m_slot.m_screenWidth.load(), 600);
    EXPECT_EQ(m_view.Last(WM_PAD_SHARE_RESTART)->lParam, m_slot.m_slotNumber.load());   // who asks
    ASSERT_EQ(m_view.Count(WM_STUDENT_ADDRESS_REPORT), 1);
    EXPECT_EQ(m_view.Last(WM_STUDENT_ADDRESS_REPORT)->text, L"a,192.168.0.3,c,d");
}

namespace {

CString ChildText(HWND window, int id)
{
    wchar_t text[4096] = {};
    GetWindowTextW(GetDlgItem(window, id), text, 4096);
    return text;
}

} // namespace

// The chat lives on the student's thread: a line from the student opens it there, what the
// teacher types goes out from it, and a hidden chat opens again with the next line.
TEST_F(StudentFixture, ChatWindowOpensOnTheStudentsLineAndSendsWhatTheTeacherTypes)
{
    ASSERT_TRUE(m_peer->SendText(L"[PC00017]2.0.1.1046"));
    ASSERT_TRUE(m_peer->SendText(L"[PC00015]three,fields,here"));   // ignored
    ASSERT_TRUE(m_peer->SendText(L"[PC00015]hello&comma; teacher,x"));
    HWND chat = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (chat = FindWindowW(nullptr, L"Slot :7, Mina")) != nullptr; }));
    EXPECT_EQ(GetWindowThreadProcessId(chat, nullptr), m_slot.m_pcThreadId.load());
    ASSERT_TRUE(PumpUntil([&] { return ChildText(chat, IDC_CHAT_LOG).Find(L"hello, teacher") != -1; }));
    const CString log = ChildText(chat, IDC_CHAT_LOG);
    EXPECT_NE(log.Find(L" 7, Mina"), -1);
    EXPECT_EQ(log.Find(L"three"), -1);

    SetWindowTextW(GetDlgItem(chat, IDC_CHAT_INPUT), L"see you, Mina");
    SendMessageW(chat, WM_COMMAND, MAKEWPARAM(IDC_CHAT_SEND, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(chat, IDC_CHAT_SEND)));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00072]see you&comma; Mina,5000");
    EXPECT_NE(ChildText(chat, IDC_CHAT_LOG).Find(L"Write to Mina : "), -1);
    EXPECT_TRUE(ChildText(chat, IDC_CHAT_INPUT).IsEmpty());

    SendMessageW(chat, WM_COMMAND, MAKEWPARAM(IDC_CHAT_HIDE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(chat, IDC_CHAT_HIDE)));
    EXPECT_FALSE(IsWindow(chat));
    EXPECT_FALSE(m_slot.m_chatWindow.IsOpen());
    ASSERT_TRUE(m_peer->SendText(L"[PC00015]again,x"));
    ASSERT_TRUE(PumpUntil([&] { return (chat = FindWindowW(nullptr, L"Slot :7, Mina")) != nullptr; }));
    ASSERT_TRUE(PumpUntil([&] { return ChildText(chat, IDC_CHAT_LOG).Find(L"again") != -1; }));
    EXPECT_EQ(ChildText(chat, IDC_CHAT_LOG).Find(L"hello"), -1);
}

TEST_F(StudentFixture, TeacherChatIsSentWithCommasForTheAgentVersion)
{
    ASSERT_TRUE(m_peer->SendText(L"[PC00017]2.0.1.1046"));
    ASSERT_TRUE(m_peer->RoundTrip());
    HWND wnd = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, L"PC Thread");
    ASSERT_NE(wnd, nullptr);
    const CString line(L"a,b");
    SendMessageW(wnd, WM_CHAT_TYPED, reinterpret_cast<WPARAM>(&line), 0);
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00072]a&comma;b,5000");
}

// -- The end of the connection --------------------------------------------------------------------

TEST_F(StudentFixture, PeerCloseMarksOfflineAndLogsAnAbnormalEnd)
{
    m_slot.m_screenControl = 1;
    m_slot.SetNotice(L"note");
    m_peer->Close();
    ASSERT_TRUE(WaitThreadEnd(m_threadHandle));
    PumpPending();
    EXPECT_FALSE(m_slot.IsOnline());
    EXPECT_EQ(m_slot.m_pcThread.load(), nullptr);
    EXPECT_EQ(m_slot.m_pcThreadId.load(), 0u);
    EXPECT_EQ(m_slot.m_screenControl.load(), 0);
    EXPECT_TRUE(m_slot.GetNotice().IsEmpty());
    ASSERT_EQ(m_log.m_logs.size(), 1u);
    const CLogInfo& record = *m_log.m_logs[0];
    EXPECT_EQ(record.m_kind, 2);
    EXPECT_EQ(record.m_slotNumber, kSlotNumber);
    EXPECT_EQ(record.m_content, L"Abnormal Disconnection");
    EXPECT_EQ(record.m_kindText, L"2");
    EXPECT_NE(record.m_title.Find(L"7(Mina)"), -1);
}

TEST_F(StudentFixture, OrderlyEndLeavesNoLogRecord)
{
    ASSERT_TRUE(m_peer->SendText(L"[PC00031]"));
    ASSERT_TRUE(m_peer->RoundTrip());
    m_peer->Close();
    ASSERT_TRUE(WaitThreadEnd(m_threadHandle));
    PumpPending();
    EXPECT_FALSE(m_slot.IsOnline());
    EXPECT_TRUE(m_log.m_logs.empty());
}

TEST_F(StudentFixture, EndCommandSaysGoodbyeClosesAndEnds)
{
    ASSERT_TRUE(PostCommand(L"[KW10001]KW_END"));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW10001]KW_END");
    EXPECT_TRUE(m_peer->WaitClosed());
    ASSERT_TRUE(WaitThreadEnd(m_threadHandle));
    PumpPending();
    EXPECT_FALSE(m_slot.IsOnline());
    EXPECT_TRUE(m_log.m_logs.empty());
    // The thread is gone: a post fails and the sender keeps (and frees) the text.
    EXPECT_FALSE(PostStudentCommand(GetThreadId(m_threadHandle), L"[KW00050]true"));
}

TEST_F(StudentFixture, StaleThreadDoesNotOfflineTheSeatsNewStudent)
{
    // The view ended the seat and gave it to another student meanwhile.
    m_slot.SetOnline(kConnectionId + 1);
    m_slot.m_pcThread = nullptr;
    m_slot.m_pcThreadId = 4242;
    m_slot.m_screenControl = 1;
    m_slot.SetNotice(L"new student's notice");
    m_peer->Close();
    ASSERT_TRUE(WaitThreadEnd(m_threadHandle));
    PumpPending();
    EXPECT_TRUE(m_slot.IsOnline());
    EXPECT_EQ(m_slot.m_connectionId.load(), kConnectionId + 1);
    EXPECT_EQ(m_slot.m_pcThreadId.load(), 4242u);
    EXPECT_EQ(m_slot.m_screenControl.load(), 1);
    EXPECT_EQ(m_slot.GetNotice(), L"new student's notice");
    m_slot.MarkOffline();
}

// -- Lending the socket to a remote session -------------------------------------------------------

TEST_F(StudentFixture, SocketIsLentToTheViewAndTakenBack)
{
    ASSERT_TRUE(PostCommand(L"[KW00004]1,320,240"));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00004]1,320,240");
    ASSERT_TRUE(PumpUntil([&] { return m_view.Count(WM_SESSION_ACCEPTED) == 1; }));
    const CRecordingWnd::Record* accepted = m_view.Last(WM_SESSION_ACCEPTED);
    EXPECT_EQ(accepted->lParam, reinterpret_cast<LPARAM>(&m_slot));
    const SOCKET lent = static_cast<SOCKET>(accepted->wParam);
    ASSERT_NE(lent, INVALID_SOCKET);

    // The session has the connection now; the thread waits and reads nothing.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(CPacket(CString(L"[KW00087]")).ToBytes(bytes));
    ASSERT_EQ(send(lent, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0),
              static_cast<int>(bytes.size()));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00087]");
    ASSERT_TRUE(m_peer->SendText(L"[PC00003]"));   // for the session, which does not answer here
    ASSERT_TRUE(PostCommand(L"[KW00050]true"));    // the session's business while it runs
    CPacket none;
    EXPECT_FALSE(m_peer->Receive(none, 300));

    // The session ends: the view resumes the thread and gives the socket back. The keep-alive the
    // session left unread is the thread's to answer now.
    CPCThread* thread = m_slot.m_pcThread.load();
    ASSERT_NE(thread, nullptr);
    thread->ResumeAfterSession();
    ASSERT_TRUE(PostCommand(L"[KW00003]200,150", static_cast<LPARAM>(lent)));
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW00003]200,150");
    EXPECT_EQ(m_peer->ReceiveText(), L"[KW10002]");
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_TRUE(m_peer->m_skipped.empty());
}

TEST_F(StudentFixture, UnknownHandOverModeSendsNothing)
{
    ASSERT_TRUE(PostCommand(L"[KW00004]9,1,1"));
    ASSERT_TRUE(m_peer->RoundTrip());
    EXPECT_TRUE(m_peer->m_skipped.empty());
    EXPECT_EQ(m_view.Count(WM_SESSION_ACCEPTED), 0);
}
