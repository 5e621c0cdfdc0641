// Admission of students: the connections the listening socket accepts wait as pending records
// until their hello ("[PC00002]") names a seat; an admitted student's socket is handed to its own
// thread, which owns it from then on. Also the students' address entries and status captions.
//
// Nothing a pending connection sends ends the program: a malformed text closes that connection.
#include "view/WendmarkView.h"
#include "view/core/PadPackageList.h"

#include "activities/screenshare/ShareGlobals.h"
#include "foundation/AppGlobals.h"
#include "foundation/AppMessages.h"
#include "foundation/FileUtil.h"
#include "foundation/IniFile.h"
#include "foundation/IniSettings.h"
#include "foundation/Packet.h"
#include "framework/PostOwned.h"
#include "res/resource.h"
#include "sessions/PCThread.h"
#include "sessions/StudentThreadLinks.h"
#include "sessions/StudentThreadStarter.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/StudentMessages.h"
#include "sessions/core/TeacherCommands.h"
#include "sessions/core/WireTags.h"
#include "view/core/AddressReport.h"
#include "view/core/SeatAdmission.h"

#include <algorithm>
#include <memory>

namespace {

// Fields of "[PC00002]": seat, name, the partial-view region's four values, its flag, unused.
constexpr size_t kHelloFieldCount = 8;

bool SendText(CTCPSocket& socket, const std::u16string& text)
{
    CPacket packet(FromU16(text));
    return socket.SendPacket(packet) != FALSE;
}

} // namespace

// --- Accept ---------------------------------------------------------------------------------

void CWendmarkView::AdmitConnection(CTCPSocket& listener)
{
    const std::u16string freeSeats = FreeSeatList(SeatsOnline());
    auto* pending = new CPCInfo;
    pending->m_socket.SetOwner(GetSafeHwnd());
    if (!listener.Accept(pending->m_socket)) {
        TRACE(L"accepting a student connection failed: %d\n", WSAGetLastError());
        delete pending;
        return;
    }
    pending->m_connectionId = m_connectionIds.Next();
    pending->m_socket.LimitPackets(kPacketText, CPendingConnections::kMaxPacketLength);
    // A failed send closes the socket and posts its close; the record goes then.
    if (SendText(pending->m_socket, ConsoleVersionCommand()))
        SendText(pending->m_socket, FreeSeatsCommand(freeSeats));
    m_pending.Add(pending, ::GetTickCount());
}

std::vector<bool> CWendmarkView::SeatsOnline() const
{
    std::vector<bool> online;
    online.reserve(m_slots.size());
    for (const CPCInfo* slot : m_slots)
        online.push_back(slot->IsOnline());
    return online;
}

CPCInfo* CWendmarkView::FindConnection(const void* socket)
{
    return m_pending.Find(socket);
}

void CWendmarkView::RemoveConnection(CPCInfo* pending)
{
    m_pending.Remove(pending);
}

// --- Receiving from a pending connection ------------------------------------------------------

bool CWendmarkView::ReceiveFromPendingConnection(const void* socket)
{
    CPCInfo* pending = FindConnection(socket);
    if (!pending)
        return false;
    CPacket packet;
    if (!pending->m_socket.ReceivePacket(packet))
        return true;   // not whole yet, or closed (its close message removes the record)
    m_pending.NoteActivity(pending, ::GetTickCount());
    if (packet.m_type != 1)
        return true;
    const std::u16string text = ToU16(packet.m_text);
    if (!HasTag(text)) {
        // Only the login server's malformed answers end the program; a pupil's device must not.
        TRACE(L"pending connection %d: text too short, closed\n", pending->m_connectionId.load());
        RemoveConnection(pending);
        return true;
    }
    const std::u16string arguments = ArgumentsOf(text);
    if (IsTag(text, kTagAgentVersion))
        pending->SetVersion(FromU16(AgentVersionFrom(arguments)));
    else if (IsTag(text, kTagClientAnnouncement) || IsTag(text, kTagClientAnnouncementEx) ||
             IsTag(text, kTagRemoteAppClientTexts))
        TakeClientTexts(*pending, arguments);
    else if (IsTag(text, kTagRemoteAppLink))
        LinkRemoteApp(socket, AgentVersionFrom(arguments));
    else if (IsTag(text, kTagHello))
        AdmitIntoSeat(pending, arguments);
    return true;
}

void CWendmarkView::TakeClientTexts(CPCInfo& pending, const std::u16string& arguments)
{
    ClientAnnouncement announcement;
    if (!ReadClientAnnouncement(arguments, announcement))
        return;
    pending.m_clientKind = announcement.clientKind;
    for (int i = 0; i < (announcement.hasThirdText ? 3 : 2); ++i)
        pending.SetAnnouncementText(i, FromU16(announcement.texts[i]));
}

bool CWendmarkView::ClosePendingConnection(const void* socket)
{
    CPCInfo* pending = FindConnection(socket);
    if (!pending)
        return false;
    // A close posted for a record that has since been replaced at the same address names an open
    // socket: only a closed one ends its record.
    if (pending->m_socket.m_hSocket == INVALID_SOCKET)
        RemoveConnection(pending);
    return true;
}

// --- Admission ("[PC00002]") ------------------------------------------------------------------

void CWendmarkView::AdmitIntoSeat(CPCInfo* pending, const std::u16string& arguments)
{
    std::vector<std::u16string> fields;
    if (!SplitExactly(arguments, kHelloFieldCount, fields)) {
        RemoveConnection(pending);
        return;
    }
    CPCInfo* slot = nullptr;
    {
        CCriticalSectionLock lock(m_slotLock);
        if (!FindConnection(&pending->m_socket))
            return;   // already gone: nothing to admit
        size_t seatIndex = 0;
        switch (CheckSeat(fields[0], SeatsOnline(), seatIndex)) {
        case SeatVerdict::BeyondSeats:
            RefuseSeat(pending, kRefusalBeyondSeats, IDS_SEAT_BEYOND_LAST);
            return;
        case SeatVerdict::SeatTaken:
            RefuseSeat(pending, kRefusalSeatTaken, IDS_SEAT_TAKEN);
            return;
        case SeatVerdict::Admit:
            break;
        }
        slot = m_slots[seatIndex];
        FillSeat(*slot, *pending, fields);
    }
    if (!GreetStudent(*pending))
        return;   // the socket closed while greeting; its close message removes the record
    slot->m_sessionChanging = 0;
    CWinThread* viewer = slot->m_viewThread.load();
    if (viewer && viewer->m_pMainWnd && viewer->m_pMainWnd->GetSafeHwnd())
        viewer->m_pMainWnd->PostMessage(WM_CLOSE);
    HandOverToStudentThread(*slot, pending);
}

void CWendmarkView::RefuseSeat(CPCInfo* pending, int reason, UINT textId)
{
    SendText(pending->m_socket, RefusalCommand(static_cast<RefusalReason>(reason), ToU16(LoadText(textId))));
    RemoveConnection(pending);
}

void CWendmarkView::FillSeat(CPCInfo& slot, const CPCInfo& pending, const std::vector<std::u16string>& fields)
{
    const int seat = slot.m_slotNumber.load();
    for (auto& permission : slot.m_permissions)
        permission = 1;
    {
        CCriticalSectionLock lock(slot.GetLock());
        slot.m_thumbnail.Create(m_layout.ThumbnailWidth(), m_layout.ThumbnailHeight(), m_thumbnailBitsPerPixel);
    }
    const CString name = LoadPcName(seat);
    slot.SetDisplayName(name);
    SavePcName(seat, name);
    // The record keeps the region in the order "[KW00008]" gives it back, not the hello's.
    slot.m_captureRegion[0] = ParseLeadingInt(fields[3]);
    slot.m_captureRegion[1] = ParseLeadingInt(fields[2]);
    slot.m_captureRegion[2] = ParseLeadingInt(fields[5]);
    slot.m_captureRegion[3] = ParseLeadingInt(fields[4]);
    slot.m_captureRegionActive = fields[6] == u"true" ? 1 : 0;
    slot.SetNotice(L"");
    slot.SetVersion(pending.GetVersion());
    slot.m_clientKind = pending.m_clientKind.load();
    for (int i = 0; i < 3; ++i)
        slot.SetAnnouncementText(i, pending.GetAnnouncementText(i));
    slot.m_screenOn = pending.m_screenOn.load();
    slot.m_screenControl = 0;
    slot.m_orderlyEnd = 0;
    // The student a renumber was waiting for (or another) has arrived.
    slot.m_renumberPending = 0;
    slot.m_refreshDelay = m_refreshDelay;
    slot.m_imageQuality = m_imageQuality;
}

bool CWendmarkView::GreetStudent(CPCInfo& pending)
{
    const std::u16string greeting =
        GreetingCommand(pending.m_connectionId.load(), m_layout.ThumbnailWidth(), m_layout.ThumbnailHeight(),
                        m_refreshDelay, m_imageQuality, GreetingDigest());
    return SendText(pending.m_socket, greeting) && SendText(pending.m_socket, ConsoleVersionCommand());
}

// The admission state follows once the thread runs (OnStudentThreadStarted).
void CWendmarkView::HandOverToStudentThread(CPCInfo& slot, CPCInfo* pending)
{
    StudentThreadLinks links;
    links.view = GetSafeHwnd();
    links.logWindow = g_logDlg.load();
    links.quizWindow = GetSafeHwnd();
    links.quizAnnounceMessage = WM_QUIZ_ANNOUNCE;
    links.programFolder = GetModuleDirectory();
    auto request = std::make_unique<StudentThreadRequest>();
    request->slot = &slot;
    request->links = links;
    request->connectionId = pending->m_connectionId.load();
    // The socket leaves the view on this thread before its handle travels, so exactly one
    // thread owns it at any time.
    request->socket = pending->m_socket.Detach();
    CPCThread::ReserveSeat(&slot, request->connectionId);
    RemoveConnection(pending);
    StartStudentThreadSoon(std::move(request));
}

LRESULT CWendmarkView::OnStudentThreadStarted(WPARAM seat, LPARAM connectionId)
{
    const int seatNumber = static_cast<int>(seat);
    if (seatNumber < 1 || seatNumber > GetSeatCount())
        return 0;
    CPCInfo& slot = *m_slots[static_cast<size_t>(seatNumber) - 1];
    // The student may have gone since, and another come into the seat.
    if (slot.IsOnline() && slot.m_connectionId.load() == static_cast<int>(connectionId) &&
        slot.m_pcThreadId.load() != 0)
        SendAdmissionState(slot);
    return 0;
}

void CWendmarkView::SendAdmissionState(CPCInfo& slot)
{
    AdmissionState state;
    state.scrollPosition = m_scrollPosition;
    state.restrictions = m_restrictions;
    state.lightRemotePc = g_optLightRemotePc != 0;
    state.padProgramList = BuildPadPackageList(ToU16(GetEtcProgramList(m_configPath)));
    slot.m_captureAllWindows = m_restrictions.captureAllWindows ? 1 : 0;
    state.screenSharing = g_screenSharing.load() != 0;
    state.share = m_shareSettings;
    if (state.screenSharing)
        StartShareFlow(slot);
    slot.m_forbidKeyboard = m_restrictions.forbidKeyboard ? 1 : 0;
    slot.m_forbidMouse = m_restrictions.forbidMouse ? 1 : 0;
    slot.m_preventEnd = m_restrictions.forbidEnding ? 1 : 0;
    slot.m_forbidWebBrowsers = m_restrictions.forbidWebBrowsers ? 1 : 0;
    slot.m_forbidUsbStorage = m_restrictions.forbidUsbStorage ? 1 : 0;
    slot.m_forbidOtherPrograms = m_restrictions.forbidOtherPrograms ? 1 : 0;
    for (const std::u16string& command : AdmissionStateCommands(state))
        PostCommandToSlot(slot, command);
}

// --- Reports from the students' threads ---------------------------------------------------------

LRESULT CWendmarkView::OnStudentAddressReport(WPARAM seat, LPARAM entry)
{
    const std::unique_ptr<CString> text = AfxTakePosted<CString>(entry);
    if (text)
        ApplyAddressReport(ToU16(*text), ToU16(m_localAddress), static_cast<int>(seat), m_studentAddresses);
    return 0;
}

LRESULT CWendmarkView::OnSlotStatusText(WPARAM seat, LPARAM status)
{
    static const UINT kStatusTexts[] = {IDS_SLOT_UPDATING, IDS_SLOT_RESTARTING, IDS_SLOT_STARTING, IDS_SLOT_ENDING};
    const int seatNumber = static_cast<int>(seat);
    if (status < 1 || status > 4 || seatNumber < 1 || seatNumber > GetSeatCount())
        return 1;
    m_slots[static_cast<size_t>(seatNumber) - 1]->SetNotice(LoadText(kStatusTexts[status - 1]));
    return 1;
}
