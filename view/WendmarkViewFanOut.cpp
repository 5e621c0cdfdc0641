// Commands that go to many students at once: the class-wide restriction setters, the group
// selection, the thumbnail size after a resize, the hand-back of a connection after a remote
// session and the farewell when the view ends. The view never writes on a student's socket: it
// posts the text to the student's thread by id, and only to slots that have one.
#include "view/WendmarkView.h"

#include "foundation/AppGlobals.h"
#include "foundation/AppMessages.h"
#include "foundation/IniFile.h"
#include "foundation/IniSettings.h"
#include "res/resource.h"
#include "sessions/PCThread.h"
#include "sessions/PadShareSwitch.h"
#include "sessions/StudentPosting.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/TeacherCommands.h"
#include "view/core/PadPackageList.h"
#include "view/core/ViewTimerRules.h"

#include <algorithm>

namespace {

const int kOpenViewWaitRounds = 201;
const int kThreadEndWaitRounds = 401;
const DWORD kWaitRoundMs = 5;

bool HasThread(const CPCInfo& slot)
{
    return slot.m_pcThreadId.load() != 0;
}

// Waits one round while still answering messages other threads send to this one, so a student
// thread that reports synchronously while it ends does not hold up its own end.
void WaitOneRound()
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kWaitRoundMs) {
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitRoundMs, QS_SENDMESSAGE) != WAIT_OBJECT_0)
            return;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// Four comma-separated integers.
bool ReadRect(const CString& text, int rect[4])
{
    std::vector<std::u16string> fields;
    if (!SplitExactly(ToU16(text), 4, fields))
        return false;
    for (size_t i = 0; i < 4; ++i)
        rect[i] = ParseLeadingInt(fields[i]);
    return true;
}

} // namespace

// --- Posting --------------------------------------------------------------------------------

void CWendmarkView::PostToAllSlots(const std::u16string& text)
{
    for (CPCInfo* slot : m_slots)
        PostCommandToSlot(*slot, text);
}

bool CWendmarkView::PostToSession(CPCInfo& slot, const std::u16string& text)
{
    const DWORD threadId = slot.m_controlThreadId.load();
    return threadId != 0 && slot.m_controlThread.load() && PostStudentCommand(threadId, FromU16(text));
}

// --- Class-wide setters ---------------------------------------------------------------------

void CWendmarkView::BroadcastFlag(const std::u16string& text, bool alsoToSession)
{
    for (CPCInfo* slot : m_slots) {
        if (!HasThread(*slot))
            continue;
        PostCommandToSlot(*slot, text);
        if (alsoToSession)
            PostToSession(*slot, text);
    }
}

// Keyboard and mouse: a student under remote control or holding the presentation right is
// driven by the teacher and keeps its input; lifting the ban reaches the session as well.
void CWendmarkView::SendInputRestrictionToAll(const std::u16string& text, bool on)
{
    for (CPCInfo* slot : m_slots) {
        if (!HasThread(*slot))
            continue;
        const bool inSession = slot->m_controlThread.load() != nullptr;
        if (!inSession && !slot->m_screenControl.load())
            PostCommandToSlot(*slot, text);
        if (!on && inSession)
            PostToSession(*slot, text);
    }
}

void CWendmarkView::SendCaptureAllWindows(int on)
{
    m_restrictions.captureAllWindows = on != 0;
    for (CPCInfo* slot : m_slots)
        slot->m_captureAllWindows = on ? 1 : 0;
    BroadcastFlag(CaptureAllWindowsCommand(on != 0), false);
}

void CWendmarkView::SendForbidKeyboardAll(int on)
{
    m_restrictions.forbidKeyboard = on != 0;
    for (CPCInfo* slot : m_slots)
        slot->m_forbidKeyboard = on ? 1 : 0;
    SendInputRestrictionToAll(ForbidKeyboardCommand(on != 0), on != 0);
}

void CWendmarkView::SendForbidMouseAll(int on)
{
    m_restrictions.forbidMouse = on != 0;
    for (CPCInfo* slot : m_slots)
        slot->m_forbidMouse = on ? 1 : 0;
    SendInputRestrictionToAll(ForbidMouseCommand(on != 0), on != 0);
}

void CWendmarkView::SendPreventEnd(int on)
{
    m_restrictions.forbidEnding = on != 0;
    for (CPCInfo* slot : m_slots)
        slot->m_preventEnd = on ? 1 : 0;
    BroadcastFlag(ForbidEndingCommand(on != 0), true);
}

void CWendmarkView::SendPreventWebBrowser(int on)
{
    m_restrictions.forbidWebBrowsers = on != 0;
    for (CPCInfo* slot : m_slots)
        slot->m_forbidWebBrowsers = on ? 1 : 0;
    BroadcastFlag(ForbidWebBrowsersCommand(on != 0), true);
}

void CWendmarkView::SendPreventUsb(int on)
{
    m_restrictions.forbidUsbStorage = on != 0;
    for (CPCInfo* slot : m_slots)
        slot->m_forbidUsbStorage = on ? 1 : 0;
    BroadcastFlag(ForbidUsbStorageCommand(on != 0), true);
}

void CWendmarkView::SendPreventOtherPrograms(int on)
{
    m_restrictions.forbidOtherPrograms = on != 0;
    for (CPCInfo* slot : m_slots)
        slot->m_forbidOtherPrograms = on ? 1 : 0;
    BroadcastFlag(ForbidOtherProgramsCommand(on != 0), true);
}

void CWendmarkView::SendProhibitedProgramList(const CString& list)
{
    BroadcastFlag(ProgramListCommand(BuildPadPackageList(ToU16(list))), true);
}

// --- Names ----------------------------------------------------------------------------------

void CWendmarkView::SavePcName(int seat, const CString& name)
{
    const std::optional<CString>& stored = StoredPcName(seat);
    if (stored && *stored == name)
        return;
    CString key;
    key.Format(L"%d", seat);
    IniSetString(m_configPath, L"PCNAME-", key, name);
    m_storedNames.erase(seat);   // read again as the file gives it back (outer spaces trimmed)
}

// --- Groups ---------------------------------------------------------------------------------

void CWendmarkView::SendCaptureRegion(CPCInfo& slot, bool useGroupRect)
{
    if (useGroupRect) {
        if (m_groupRectValid)
            PostCommandToSlot(slot, CaptureRegionCommand(m_groupRect[0], m_groupRect[1], m_groupRect[2], m_groupRect[3]));
        else
            PostCommandToSlot(slot, CaptureRegionCommand(0, 0, 0, 0));
        return;
    }
    // The slot keeps its own region in the hello's order; the student wants it back turned.
    if (slot.m_captureRegionActive.load())
        PostCommandToSlot(slot, CaptureRegionCommand(slot.m_captureRegion[1].load(), slot.m_captureRegion[0].load(),
                                                     slot.m_captureRegion[3].load(), slot.m_captureRegion[2].load()));
    else
        PostCommandToSlot(slot, CaptureRegionCommand(0, 0, 0, 0));
}

void CWendmarkView::SelectGroup(const CString& name)
{
    m_shownGroupName = name;
    const auto rect = m_groupPartRects.find(name);
    m_groupRectValid = rect != m_groupPartRects.end() && !rect->second.IsEmpty() && ReadRect(rect->second, m_groupRect);
    if (!m_groupRectValid)
        std::fill(std::begin(m_groupRect), std::end(m_groupRect), 0);
    const auto layout = m_groupPerRows.find(name);
    int values[3] = {0, 0, 0};
    std::vector<std::u16string> fields;
    if (layout != m_groupPerRows.end() && SplitExactly(ToU16(layout->second), 3, fields)) {
        for (size_t i = 0; i < 3; ++i)
            values[i] = ParseLeadingInt(fields[i]);
        m_groupGrid = GridSettings{values[0], values[1], values[2]};
    } else {
        m_groupGrid = m_classGrid;
    }

    if (name != LoadText(IDS_DEFAULT_GROUP)) {
        m_groupShown = true;
        m_groupSlots.clear();
        const auto members = m_groupSlotLists.find(name);
        const CString membership = members == m_groupSlotLists.end() ? CString() : members->second;
        for (CPCInfo* slot : m_slots) {
            CString mark;
            mark.Format(L",%d,", slot->m_slotNumber.load());
            if (membership.Find(mark) < 0)
                continue;
            m_groupSlots.push_back(slot);
            if (HasThread(*slot))
                SendCaptureRegion(*slot, true);
        }
    } else {
        m_groupShown = false;
        for (CPCInfo* slot : m_slots)
            if (HasThread(*slot))
                SendCaptureRegion(*slot, false);
    }

    m_multiSelection = false;
    for (CPCInfo* slot : m_slots)
        slot->m_selected = 0;
    m_pickedCount = 0;
    m_focusIndex = -1;
    RecomputeThumbnailSize();
    m_scrollPosition = 0;
    PlaceScrollControls();
    Invalidate(FALSE);
    SetFocus();
    SetTimer(kTimerGroupSave, 1000);
}

void CWendmarkView::DeleteGroup(const CString& name)
{
    // A group made again under this name starts with no rectangle or layout of the old one.
    m_groupSlotLists.erase(name);
    m_groupPartRects.erase(name);
    m_groupPerRows.erase(name);
    for (int i = 0; i < m_groupNames.GetSize(); ++i) {
        if (m_groupNames[i] == name) {
            m_groupNames.RemoveAt(i);
            break;
        }
    }
    SaveGroupList(m_groupFilePath, m_groupNames);
}

void CWendmarkView::AddCreatedGroup(const CString& name)
{
    m_groupNames.Add(name);
    SaveGroupList(m_groupFilePath, m_groupNames);
    const auto members = m_groupSlotLists.find(name);
    SetGroupSlots(m_groupFilePath, name, members == m_groupSlotLists.end() ? L"" : members->second.GetString());
    SetGroupPartRect(m_groupFilePath, name, L"");
    SetGroupPerRow(m_groupFilePath, name, L"");
}

// --- Layout ---------------------------------------------------------------------------------

void CWendmarkView::RecomputeThumbnailSize()
{
    CRect client;
    GetClientRect(&client);
    ApplyLayout(client.Width());
}

// --- After a remote session -----------------------------------------------------------------

// The session gives the connection back: the student's thread takes the socket again with the
// thumbnail size and goes on where it was.
LRESULT CWendmarkView::OnRemoteSessionEnded(WPARAM slotRecord, LPARAM socket)
{
    auto* slot = reinterpret_cast<CPCInfo*>(slotRecord);
    if (!slot || std::find(m_slots.begin(), m_slots.end(), slot) == m_slots.end())
        return 0;
    slot->m_controlThread = nullptr;
    slot->m_controlThreadId = 0;
    Invalidate(FALSE);
    const bool studentLost = static_cast<SOCKET>(socket) == INVALID_SOCKET;
    const DWORD threadId = slot->m_pcThreadId.load();
    CPCThread* thread = slot->m_pcThread.load();
    if (threadId == 0 || !thread) {
        if (socket && !studentLost)
            ::closesocket(static_cast<SOCKET>(socket));
        return 0;
    }
    if (studentLost) {
        EndLostStudent(*slot, *thread);
        return 0;
    }
    if (!slot->IsOnline()) {
        // The heartbeat ended the seat while the session ran (and logged it): the connection
        // goes, and so does the student's thread that lent it.
        ::shutdown(static_cast<SOCKET>(socket), SD_BOTH);
        ::closesocket(static_cast<SOCKET>(socket));
        EndLostStudent(*slot, *thread, false);
        return 0;
    }
    // The thread waits for this while it has lent its socket; it cannot end meanwhile.
    thread->ResumeAfterSession();
    const int width = m_layout.ThumbnailWidth();
    const int height = m_layout.ThumbnailHeight();
    if (!PostStudentCommand(threadId, FromU16(ThumbnailSizeCommand(width, height)), socket) && socket)
        ::closesocket(static_cast<SOCKET>(socket));
    {
        CCriticalSectionLock lock(slot->GetLock());
        if (slot->m_thumbnail.GetWidth() != width || slot->m_thumbnail.GetHeight() != height)
            slot->m_thumbnail.Create(width, height, slot->m_bitsPerPixel.load());
    }
    PostCommandToSlot(*slot, ResumeDelayCommand(m_refreshDelay));
    slot->m_shareSent = 0;
    slot->m_shareAcknowledged = 0;
    slot->m_shareResyncMarker = -1;
    if (IsClassScreenSharing())
        PostCommandToSlot(*slot, ScreenShareCommand(true));
    if (IsTouchLockOn()) {
        PostCommandToSlot(*slot, ForbidKeyboardCommand(true));
        PostCommandToSlot(*slot, ForbidMouseCommand(true));
    }
    return 0;
}

// --- The farewell ---------------------------------------------------------------------------

// Every student is told, in order, what ends with the console, then asked to end; the view
// waits a little for their threads so that none is left writing into a record being deleted.
void CWendmarkView::SayFarewell()
{
    if (IsClassScreenSharing())
        PostToAllSlots(ScreenShareCommand(false));
    if (g_padShareRunning.load()) {
        for (CPCInfo* slot : m_slots)
            if (slot->m_screenControl.load())
                PostCommandToSlot(*slot, ScreenControlRightCommand(false));
        g_padShareRunning = 0;
    }
    for (int round = 0; round < kOpenViewWaitRounds && g_openViewCount.load() > 0; ++round)
        WaitOneRound();
    if (m_groupShown)
        for (CPCInfo* slot : m_slots)
            if (HasThread(*slot))
                SendCaptureRegion(*slot, false);
    PostToAllSlots(EndSessionCommand());
    const auto anyThread = [this] {
        return std::any_of(m_slots.begin(), m_slots.end(), [](const CPCInfo* slot) { return HasThread(*slot); });
    };
    for (int round = 0; round < kThreadEndWaitRounds && anyThread(); ++round)
        WaitOneRound();
    for (CPCInfo* slot : m_slots) {
        slot->MarkOffline();
        slot->SetNotice(L"");
    }
    m_closing = true;
}
