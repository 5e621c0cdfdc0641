#include "sessions/ReceiveDispatcher.h"

#include "foundation/AppMessages.h"
#include "foundation/Packet.h"
#include "framework/PostOwned.h"
#include "framework/Time.h"
#include "res/resource.h"
#include "sessions/InputInjection.h"
#include "sessions/PadReports.h"
#include "sessions/LogInfo.h"
#include "sessions/SlotChat.h"
#include "sessions/PCInfo.h"
#include "sessions/PCThreadWnd.h"
#include "sessions/QuizBoard.h"
#include "sessions/StudentThreadLinks.h"
#include "sessions/core/ActivityCommands.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/KeyEvents.h"
#include "sessions/core/PadPermissions.h"
#include "sessions/core/PadScreenState.h"
#include "sessions/core/ReceiveRoutes.h"
#include "sessions/core/RemoteScreen.h"
#include "sessions/core/StudentMessages.h"
#include "sessions/core/TeacherCommands.h"

#include <algorithm>
#include <memory>

namespace {

constexpr DWORD kKeyRecordPauseMs = 10;
constexpr DWORD kMouseListPauseMs = 2;
// A real agent reports its address once or on a change; what comes faster is dropped, so a
// pupil's flood cannot fill the view's message queue.
constexpr int kAddressReportsPerSecond = 4;

// Posts a heap text to a window that may not exist yet; traced and freed when nobody listens.
void PostOwnedText(HWND window, UINT message, WPARAM wParam, const CString& text, const wchar_t* what)
{
    if (!window || message == 0) {
        TRACE(L"No receiver for %s: %s\n", what, text.GetString());
        return;
    }
    PostOwnedInLParam(window, message, wParam, std::make_unique<CString>(text));
}

} // namespace

CReceiveDispatcher::CReceiveDispatcher(CPCThreadWnd& wnd)
    : m_wnd(wnd), m_slot(wnd.GetSlot()), m_links(wnd.GetLinks())
{
    m_upload.SetProgramFolder(m_links.programFolder);
}

void CReceiveDispatcher::Dispatch(const CPacket& packet)
{
    switch (RouteStudentPacket(static_cast<uint8_t>(packet.m_type))) {
    case PacketRoute::Text: OnText(packet.m_text); break;
    case PacketRoute::ScreenFormat: OnScreenFormat(packet); break;
    case PacketRoute::KeyRecords: OnKeyRecords(packet); break;
    case PacketRoute::MouseRecords: OnMouseRecords(packet); break;
    case PacketRoute::ThumbnailPart: OnThumbnailPart(packet); break;
    case PacketRoute::FilePiece: OnFilePiece(packet); break;
    case PacketRoute::ValuePair: OnValuePair(packet); break;
    case PacketRoute::Drop: break;
    }
}

// -- Binary packets ------------------------------------------------------------------------------

void CReceiveDispatcher::OnScreenFormat(const CPacket& packet)
{
    if (IsReportableScreenSize(packet.m_screenWidth, packet.m_screenHeight)) {
        m_slot.m_screenWidth = static_cast<int>(packet.m_screenWidth);
        m_slot.m_screenHeight = static_cast<int>(packet.m_screenHeight);
    } else {
        TRACE(L"Screen format %ux%u ignored\n", packet.m_screenWidth, packet.m_screenHeight);
    }
    // Thumbnail parts are drawn at this depth: only the two the memory bitmap has are taken.
    if (packet.m_bitsPerPixel == 8 || packet.m_bitsPerPixel == 32)
        m_slot.m_bitsPerPixel = static_cast<int>(packet.m_bitsPerPixel);
    else
        TRACE(L"Screen format with %u bits per pixel ignored\n", packet.m_bitsPerPixel);
    m_slot.m_frameWidth = 0;
    CPacket answer(static_cast<UINT>(m_slot.m_echoValue.load()));
    m_wnd.SendPacketNow(answer);
}

void CReceiveDispatcher::OnKeyRecords(const CPacket& packet)
{
    if (!MayPlayInputHere(L"key records"))
        return;
    const size_t count = KeyRecordsToPlay(packet.m_keys.size());
    for (size_t i = 0; i < count; ++i) {
        InjectKeyInput(packet.m_keys[i]);
        ::Sleep(kKeyRecordPauseMs);
    }
}

void CReceiveDispatcher::OnMouseRecords(const CPacket& packet)
{
    if (!MayPlayInputHere(L"mouse records"))
        return;
    const size_t count = std::min(packet.m_mice.size(), kMaxMouseRecordsPerPacket);
    for (size_t i = 0; i < count; ++i)
        InjectMouseInput(packet.m_mice[i]);
    ::Sleep(kMouseListPauseMs);
}

void CReceiveDispatcher::OnThumbnailPart(const CPacket& packet)
{
    if (!m_thumbnails.DrawPart(m_slot, packet.m_rect, packet.m_image, packet.m_imageLength))
        TRACE(L"PC:%d thumbnail part not drawn\n", m_slot.m_slotNumber.load());
    const DWORD now = ::GetTickCount();
    m_slot.m_lastImageTick = now;
    m_slot.m_lastHeardTick = now;
}

void CReceiveDispatcher::OnFilePiece(const CPacket& packet)
{
    switch (m_upload.Accept(packet, m_slot.GetClassText())) {
    case CUploadReceiver::Result::Ignored: return;
    case CUploadReceiver::Result::Written: m_wnd.SendText(FromU16(FilePieceAnswerCommand(true))); return;
    case CUploadReceiver::Result::Refused: m_wnd.SendText(FromU16(FilePieceAnswerCommand(false))); return;
    }
}

void CReceiveDispatcher::OnValuePair(const CPacket& packet)
{
    m_slot.m_echoValue = static_cast<int>(packet.m_value);
    switch (AnswerValuePair(packet.m_flag, m_slot.m_captureRegionActive.load() != 0)) {
    case ValuePairAnswer::ScreenFormatAnswer:
        m_wnd.SendText(FromU16(ScreenFormatAnswerCommand()));
        break;
    case ValuePairAnswer::CaptureRegion:
        m_wnd.PostToOwnThread(FromU16(CaptureRegionCommand(
            m_slot.m_captureRegion[1].load(), m_slot.m_captureRegion[0].load(),
            m_slot.m_captureRegion[3].load(), m_slot.m_captureRegion[2].load())));
        break;
    case ValuePairAnswer::None:
        break;
    }
}

// -- Text commands -------------------------------------------------------------------------------

void CReceiveDispatcher::OnText(const CString& text)
{
    const std::u16string wire = ToU16(text);
    const TextRoute route = RouteStudentText(wire, kThumbnailSession);
    if (route == TextRoute::Ignore)
        return;
    const std::u16string arguments = ArgumentsOf(wire);
    switch (route) {
    case TextRoute::KeepAlive: OnKeepAlive(); break;
    case TextRoute::ScreenSize: OnScreenSize(arguments); break;
    case TextRoute::FilePieceDone: m_wnd.OnPieceAcknowledged(); break;
    case TextRoute::AddressReport:
        if (arguments.size() <= kMaxAddressReportChars)
            OnAddressReport(FromU16(arguments));
        break;
    case TextRoute::ChatLine: OnChatLine(arguments); break;
    case TextRoute::AgentVersion: m_slot.SetVersion(FromU16(AgentVersionFrom(arguments))); break;
    case TextRoute::DisplayName: m_slot.SetDisplayName(FromU16(DisplayNameFrom(arguments))); break;
    case TextRoute::ShareFrameAck: OnShareFrameAck(arguments); break;
    case TextRoute::OrderlyEnd:
        m_slot.m_orderlyEnd = 1;
        m_wnd.MarkOrderlyEnd();
        break;
    case TextRoute::Restarting: OnRestarting(); break;
    case TextRoute::PadState: OnPadState(arguments); break;
    case TextRoute::PadPermissions: OnPadPermissions(arguments); break;
    case TextRoute::QuizBuzzer: OnQuizBuzzer(); break;
    case TextRoute::QuizAnswer: OnQuizAnswer(FromU16(CutWireText(arguments, kMaxShortTextChars))); break;
    case TextRoute::PadAppEvent: OnPadAppEvent(arguments); break;
    case TextRoute::Orientation: m_slot.m_orientation = ParseLeadingInt(arguments); break;
    case TextRoute::ScanCodes: OnScanCodes(arguments); break;
    case TextRoute::HangulKey: OnHangulKey(); break;
    case TextRoute::PadShareKeepAlive:
        if (HoldsPadShare(L"a keep-alive"))
            PostToView(WM_PAD_SHARE_KEEPALIVE);
        break;
    case TextRoute::PadShareStart: OnPadShareStart(); break;
    case TextRoute::PadShareStop:
        if (HoldsPadShare(L"a stop"))
            PostToView(WM_PAD_SHARE_STOP);
        break;
    case TextRoute::PadShareParam: OnPadShareParam(arguments); break;
    case TextRoute::PadShareRestart: OnPadShareRestart(arguments); break;
    default: break;
    }
}

void CReceiveDispatcher::OnKeepAlive()
{
    StampHeard();
    m_wnd.SendText(FromU16(KeepAliveAnswerCommand()));
}

void CReceiveDispatcher::OnScreenSize(const std::u16string& arguments)
{
    StoreScreenSize(m_slot, arguments);
}

void CReceiveDispatcher::OnAddressReport(const CString& arguments)
{
    if (!m_links.view) {
        TRACE(L"No view for the address report %s\n", arguments.GetString());
        return;
    }
    const DWORD now = ::GetTickCount();
    if (now - m_addressWindowStart >= 1000) {
        m_addressWindowStart = now;
        m_addressReportsInWindow = 0;
    }
    if (++m_addressReportsInWindow > kAddressReportsPerSecond)
        return;
    const int seat = m_slot.m_slotNumber.load();
    if (!PostOwnedInLParam(m_links.view, WM_STUDENT_ADDRESS_REPORT, static_cast<WPARAM>(seat),
                           std::make_unique<CString>(arguments)))
        TRACE(L"PC:%d address report dropped\n", seat);
}

void CReceiveDispatcher::OnChatLine(const std::u16string& arguments)
{
    std::u16string text;
    if (!ReadChatLine(arguments, text))
        return;
    CString header;
    header.Format(L"%s From %s %d, %s\n",
                  CTime::GetCurrentTime().Format(L"[%Y-%m-%d %H:%M:%S]").GetString(),
                  LoadText(IDS_STUDENT_NUMBER_LABEL).GetString(), m_slot.m_slotNumber.load(),
                  m_slot.GetDisplayName().GetString());
    if (!OpenChatWindow(m_slot, m_wnd.GetSafeHwnd())) {
        TRACE(L"PC:%d chat line dropped: the chat is open elsewhere\n", m_slot.m_slotNumber.load());
        return;
    }
    m_slot.m_chatWindow.AppendStudentLine(header, FromU16(text));
}

void CReceiveDispatcher::OnShareFrameAck(const std::u16string& arguments)
{
    m_slot.m_shareAcknowledged = ParseLeadingInt(arguments);
    m_slot.m_shareResyncMarker = -1;
    StampHeard();
}

void CReceiveDispatcher::OnRestarting()
{
    m_slot.m_restartWord = 0;
    m_slot.m_restartTick = ::GetTickCount();
    m_slot.m_restarting = 1;
    m_wnd.SendText(FromU16(RestartAnswerCommand()));
}

void CReceiveDispatcher::OnPadState(const std::u16string& arguments)
{
    StorePadState(m_slot, arguments);
}

void CReceiveDispatcher::OnPadPermissions(const std::u16string& arguments)
{
    StorePadPermissions(m_slot, arguments);
}

void CReceiveDispatcher::OnQuizBuzzer()
{
    if (!g_quizBoard.TakeFirstSpeedPress())
        return;
    CString format = LoadText(IDS_QUIZ_FASTEST);
    if (format.IsEmpty())
        format = L"[%d: %s]";
    CString announcement;
    announcement.Format(format, m_slot.m_slotNumber.load(), m_slot.GetDisplayName().GetString());
    PostOwnedText(m_links.quizWindow, m_links.quizAnnounceMessage, MessageMarker, announcement,
                  L"the speed-quiz winner");
    m_wnd.SendText(FromU16(FirstPressCommand()));
}

void CReceiveDispatcher::OnQuizAnswer(const CString& arguments)
{
    // A student who answers again changes the answer, not the count of students who answered.
    // Stored and counted under the quiz lock, under which the panel clears both for a question.
    CCriticalSectionLock lock(g_quizLock);
    if (m_slot.StoreQuizAnswer(arguments))
        g_quizBoard.CountAnswer();
}

void CReceiveDispatcher::OnPadAppEvent(const std::u16string& arguments)
{
    LogPadAppEvent(m_slot, m_links.logWindow, arguments);
}

void CReceiveDispatcher::OnScanCodes(const std::u16string& arguments)
{
    if (MayPlayInputHere(L"scan codes"))
        PlayScanCodes(arguments);
}

void CReceiveDispatcher::OnHangulKey()
{
    if (MayPlayInputHere(L"the Hangul key"))
        PressHangulKey();
}

// The teacher's screen goes to the holder of the presentation right only: another pad gets no
// start of a stream, and the teacher is told who asked.
void CReceiveDispatcher::OnPadShareStart()
{
    if (m_slot.m_screenControl.load() == 0) {
        PostToView(WM_PAD_SHARE_REFUSED, m_slot.m_slotNumber.load());
        return;
    }
    m_wnd.SendText(FromU16(PadScreenSizeCommand(::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                                ::GetSystemMetrics(SM_CYVIRTUALSCREEN))));
    PostToView(WM_PAD_SHARE_START);
}

void CReceiveDispatcher::OnPadShareParam(const std::u16string& arguments)
{
    int value = 0;
    if (ReadSingleNumber(arguments, value) && HoldsPadShare(L"an acknowledgement"))
        PostToView(WM_PAD_SHARE_PARAM, value);
}

void CReceiveDispatcher::OnPadShareRestart(const std::u16string& arguments)
{
    ScreenSizeReport report;
    if (ReadScreenSize(arguments, report)) {
        m_slot.m_screenWidth = report.width;
        m_slot.m_screenHeight = report.height;
    }
    if (HoldsPadShare(L"a restart"))
        PostToView(WM_PAD_SHARE_RESTART, m_slot.m_slotNumber.load());
}

// -- Helpers -------------------------------------------------------------------------------------

void CReceiveDispatcher::PostToView(UINT message, LPARAM lParam)
{
    if (!m_links.view || !::PostMessageW(m_links.view, message, MessageMarker, lParam))
        TRACE(L"PC:%d message 0x%X for the view dropped\n", m_slot.m_slotNumber.load(), message);
}

bool CReceiveDispatcher::MayPlayInputHere(const wchar_t* what) const
{
    if (MayPlayInput(m_slot))
        return true;
    TRACE(L"PC:%d has no presentation right: %s dropped\n", m_slot.m_slotNumber.load(), what);
    return false;
}

// The one stream of the teacher's screen to a pad is the presentation holder's: another pad's
// stop, acknowledgement, restart or keep-alive would steer or hide it.
bool CReceiveDispatcher::HoldsPadShare(const wchar_t* what) const
{
    if (m_slot.m_screenControl.load() != 0)
        return true;
    TRACE(L"PC:%d has no presentation right: %s of the pad share dropped\n", m_slot.m_slotNumber.load(), what);
    return false;
}

void CReceiveDispatcher::StampHeard()
{
    m_slot.m_lastHeardTick = ::GetTickCount();
}
