// The teacher's commands on one student (the slot menu and the toolbar), the collect view, the
// presentation right and the renumbering. "The target" is the focused slot of the shown list.
#include "view/WendmarkView.h"

#include "dialogs/AboutDlg.h"
#include "dialogs/JpegQuiltyDlg.h"
#include "dialogs/PcPerRowDlg.h"
#include "dialogs/ViewDialogState.h"
#include "foundation/IniSettings.h"
#include "foundation/ConfigProfile.h"
#include "foundation/MessagePump.h"
#include "framework/FrameWnd.h"
#include "res/resource.h"
#include "sessions/PadShareSwitch.h"
#include "sessions/core/TeacherCommands.h"
#include "ui/ShowMessageBox.h"
#include "ui/WaitMsgDlg.h"
#include "view/core/ViewTimerRules.h"

namespace {

const DWORD kWaitNoticeMs = 2500;
const int kCombinedFrameWidth = 1024;
const int kCombinedFrameHeight = 768;
const int kMaxPicked = 4;

bool IsYes(int answer)
{
    return answer == 6;
}

} // namespace

// --- Refusals -------------------------------------------------------------------------------

bool CWendmarkView::ShowWaitNotice(UINT textId)
{
    const LifeToken life = Life();
    CWaitMsgDlg notice;
    if (notice.Create(this)) {
        notice.SetMessageText(LoadText(textId));
        notice.CenterWindow(GetSafeHwnd());
        notice.ShowWindow(SW_SHOW);
        PumpMessagesWait(kWaitNoticeMs, 1);
        if (notice.GetSafeHwnd())
            notice.DestroyWindow();
    }
    return Alive(life);
}

bool CWendmarkView::RefuseWhileQuizShown()
{
    if (!IsQuizPanelVisible())
        return false;
    ShowWaitNotice(IDS_CLOSE_QUIZ_FIRST);
    return true;
}

// --- Per-slot commands ----------------------------------------------------------------------

void CWendmarkView::StartRemoteControl()
{
    if (RefuseWhileQuizShown())
        return;
    CPCInfo* slot = GetTargetSlot();
    if (!slot || !slot->IsOnline() || slot->m_pcThreadId.load() == 0) {
        ShowMessageBox(LoadText(IDS_SELECT_STUDENT_FIRST));
        return;
    }
    AskForRemoteSession(*slot);
}

void CWendmarkView::OpenChat()
{
    CPCInfo* slot = GetTargetSlot();
    if (!slot || slot->m_pcThreadId.load() == 0) {
        ShowMessageBox(LoadText(IDS_SELECT_STUDENT_FIRST));
        return;
    }
    if (slot->m_clientKind.load() != 1 && IsAgentBelowChatMinimum(slot->GetVersion())) {
        ShowMessageBox(L"\uD604\uC7AC [1:1\uCC44\uD305] \uAE30\uB2A5\uC740 Windows \uAE30\uBC18\uC758 "
                       L"\uD328\uB4DC\uC5D0\uC11C\uB9CC \uC9C0\uC6D0\uB418\uB294 \uAE30\uB2A5\uC785\uB2C8\uB2E4.");
        return;
    }
    OpenChatWindow(*slot);
}

void CWendmarkView::ToggleForbidMouse()
{
    if (RefuseWhileQuizShown())
        return;
    CPCInfo* slot = GetTargetSlot();
    if (!slot || slot->m_pcThreadId.load() == 0) {
        ShowMessageBox(LoadText(IDS_SELECT_STUDENT_FIRST));
        return;
    }
    const bool on = slot->m_forbidMouse.load() == 0;
    slot->m_forbidMouse = on ? 1 : 0;
    PostCommandToSlot(*slot, ForbidMouseCommand(on));
}

void CWendmarkView::ToggleForbidKeyboard()
{
    CPCInfo* slot = GetTargetSlot();
    if (!slot || slot->m_pcThreadId.load() == 0)
        return;
    const bool on = slot->m_forbidKeyboard.load() == 0;
    slot->m_forbidKeyboard = on ? 1 : 0;
    PostCommandToSlot(*slot, ForbidKeyboardCommand(on));
}

void CWendmarkView::OnSetPcName()
{
    if (RefuseWhileQuizShown())
        return;
    CPCInfo* slot = GetTargetSlot();
    if (!slot || !slot->IsOnline()) {
        ShowMessageBox(LoadText(IDS_SELECT_STUDENT_FIRST));
        return;
    }
    RunPcNameDialog(*slot);
}

void CWendmarkView::OnRebootPc()
{
    if (!m_closing)
        AskAndPostPower(IDS_RESTART_ONE_ASK, IDS_RESTART_CAPTION, IDS_RESTART_SELECTED_ASK, IDS_RESTART_CAPTION,
                        RestartPcCommand());
}

void CWendmarkView::OnShutdownPc()
{
    if (!m_closing)
        AskAndPostPower(IDS_SHUTDOWN_ONE_ASK, IDS_SHUTDOWN_CAPTION, IDS_SHUTDOWN_SELECTED_ASK, IDS_SHUTDOWN_CAPTION,
                        ShutDownPcCommand());
}

// Without a multi-selection the target alone; with one, the target and every selected slot
// (the target twice when it is selected too, as the students have always been told).
void CWendmarkView::AskAndPostPower(UINT oneAskId, UINT oneCaptionId, UINT manyAskId, UINT manyCaptionId,
                                    const std::u16string& command)
{
    CPCInfo* target = GetTargetSlot();
    if (!m_multiSelection) {
        if (!target)
            return;
        const LifeToken life = Life();
        const int answer = ShowMessageBox(LoadText(oneAskId), LoadText(oneCaptionId), 4);
        if (Alive(life) && IsYes(answer) && GetTargetSlot() == target)
            PostCommandToSlot(*target, command);
        return;
    }
    if (!target) {
        ShowMessageBox(LoadText(IDS_NEED_FOCUSED_STUDENT));
        return;
    }
    const LifeToken life = Life();
    const int answer = ShowMessageBox(LoadText(manyAskId), LoadText(manyCaptionId), 4);
    if (!Alive(life) || !IsYes(answer) || GetTargetSlot() != target)
        return;
    PostCommandToSlot(*target, command);
    for (CPCInfo* slot : ShownSlots())
        if (slot->m_selected.load())
            PostCommandToSlot(*slot, command);
}

void CWendmarkView::OnRetryNextDay()
{
    CPCInfo* target = GetTargetSlot();
    if (!target)
        return;
    const LifeToken life = Life();
    const int answer = ShowMessageBox(LoadText(IDS_RETRY_NEXT_DAY_ASK), LoadText(IDS_CONFIRM_CAPTION), 4);
    if (Alive(life) && IsYes(answer) && GetTargetSlot() == target)
        PostCommandToSlot(*target, RetryNextDayCommand());
}

// --- Renumbering ----------------------------------------------------------------------------

void CWendmarkView::OnChangeSlot()
{
    CPCInfo* target = GetTargetSlot();
    if (!target || g_viewDialogOpen.load() || g_messageBoxOpen.load())
        return;
    for (const CPCInfo* slot : m_slots) {
        if (slot->m_renumberPending.load()) {
            ShowMessageBox(LoadText(IDS_RENUMBER_IN_PROGRESS));
            return;
        }
    }
    const int oldNumber = target->m_slotNumber.load();
    const LifeToken life = Life();
    int newNumber = 0;
    int mode = 0;
    if (!RunSlotRenumberDialog(*target, newNumber, mode) || !Alive(life))
        return;
    RenumberSlot(oldNumber, newNumber, mode == 1);
}

// The student is told its new number and to end; it comes back under that number.
void CWendmarkView::EmptySeatForRenumber(CPCInfo& slot, int toldNumber)
{
    PostCommandToSlot(slot, SlotNumberCommand(toldNumber));
    PostCommandToSlot(slot, EndSessionCommand());
    ReleasePresentationRightOf(slot);
    slot.MarkOffline();
    slot.SetNotice(L"");
    CCriticalSectionLock lock(slot.GetLock());
    slot.m_thumbnail.Create(slot.m_thumbnail.GetWidth(), slot.m_thumbnail.GetHeight(), slot.m_bitsPerPixel.load());
}

void CWendmarkView::RenumberSlot(int oldNumber, int newNumber, bool swap)
{
    CString moving;
    moving.Format(LoadText(IDS_SLOT_MOVING), oldNumber);
    for (CPCInfo* slot : ShownSlots()) {
        const int number = slot->m_slotNumber.load();
        if (number == oldNumber && slot->m_pcThreadId.load() != 0) {
            EmptySeatForRenumber(*slot, newNumber);
            if (swap) {
                slot->SetNotice(LoadText(IDS_SLOT_SWAPPING));
                slot->m_renumberPending = 1;
            }
        } else if (number == newNumber) {
            if (swap && slot->IsOnline()) {
                EmptySeatForRenumber(*slot, oldNumber);
                slot->SetNotice(LoadText(IDS_SLOT_SWAPPING));
            } else if (!swap && !slot->IsOnline()) {
                slot->SetNotice(moving);
                slot->m_renumberPending = 1;
            }
        }
    }
    Invalidate(FALSE);
}

// --- Collect view ---------------------------------------------------------------------------

void CWendmarkView::BeginCollectPicking()
{
    CancelCollectWait();
    m_collectPicking = true;
    m_pickedCount = 0;
    for (CPCInfo* slot : m_slots)
        slot->m_selected = 0;
    Invalidate(FALSE);
}

void CWendmarkView::StartCollectView()
{
    if (m_pickedCount == 0) {
        m_collectPicking = false;
        Invalidate(FALSE);
        return;
    }
    int picked = 0;
    std::fill(std::begin(m_pickedSlots), std::end(m_pickedSlots), nullptr);
    for (CPCInfo* slot : ShownSlots()) {
        if (picked >= m_pickedCount || picked >= kMaxPicked)
            break;
        if (slot->m_selected.load())
            m_pickedSlots[picked++] = slot;
    }
    m_collectAccepted = 0;
    std::fill(std::begin(m_collectSockets), std::end(m_collectSockets), INVALID_SOCKET);
    m_collectPicking = false;
    // Only the students the request reached are waited for: one that left meanwhile would hold
    // the others' connections back for nothing.
    int asked = 0;
    for (int i = 0; i < picked; ++i) {
        CPCInfo* slot = m_pickedSlots[i];
        m_pickedSlots[i] = nullptr;
        if (PostCommandToSlot(*slot, CombinedSessionCommand(kCombinedFrameWidth, kCombinedFrameHeight)))
            m_pickedSlots[asked++] = slot;
    }
    m_pickedCount = asked;
    if (asked == 0) {
        EndCollectPicking();
        ShowMessageBox(LoadText(IDS_COLLECT_VIEW_NO_ANSWER));
        return;
    }
    SetTimer(kTimerCollectAnswers, kCollectAnswerWaitMs);
}

// A new pick replaces the one still waiting for its students: the connections lent so far go
// back to their thumbnails, and those still to come go straight back (none is picked now).
void CWendmarkView::CancelCollectWait()
{
    KillTimer(kTimerCollectAnswers);
    for (size_t i = 0; i < std::size(m_pickedSlots); ++i) {
        CPCInfo* slot = m_pickedSlots[i];
        const SOCKET handle = m_collectSockets[i];
        m_pickedSlots[i] = nullptr;
        m_collectSockets[i] = INVALID_SOCKET;
        if (slot && handle != INVALID_SOCKET && slot->TakeLentSocket(handle))
            OnRemoteSessionEnded(reinterpret_cast<WPARAM>(slot), static_cast<LPARAM>(handle));
    }
    m_collectAccepted = 0;
    m_pickedCount = 0;
}

void CWendmarkView::EndCollectPicking()
{
    KillTimer(kTimerCollectAnswers);
    m_collectAccepted = 0;
    m_pickedCount = 0;
    m_collectPicking = false;
    for (CPCInfo* slot : m_slots)
        slot->m_selected = 0;
    Invalidate(FALSE);
}

std::vector<CPCInfo*> CWendmarkView::GetPickedSlots() const
{
    std::vector<CPCInfo*> picked;
    for (int i = 0; i < m_pickedCount && i < kMaxPicked; ++i)
        if (m_pickedSlots[i])
            picked.push_back(m_pickedSlots[i]);
    return picked;
}

// --- The presentation right -----------------------------------------------------------------

int CWendmarkView::TogglePresentationRight()
{
    if (!m_presentationMode)
        m_presentationHolder = -1;
    const int index = m_focusIndex >= 0 ? m_focusIndex : m_presentationHolder;
    const std::vector<CPCInfo*>& shown = ShownSlots();
    CPCInfo* slot = index >= 0 && index < static_cast<int>(shown.size()) ? shown[static_cast<size_t>(index)] : nullptr;
    if (!slot || !slot->IsOnline()) {
        if (!IsNoteToolDrawing())
            ShowMessageBox(LoadText(IDS_PRESENTATION_SELECT_FIRST));
        return 0;
    }
    const bool holder = slot->m_screenControl.load() != 0;
    if (m_presentationMode && !holder) {
        ShowMessageBox(LoadText(IDS_PRESENTATION_TAKEN));
        return 1;
    }
    if (slot->m_pcThreadId.load() == 0)
        return 0;
    if (holder) {
        PostCommandToSlot(*slot, ScreenControlRightCommand(false));
        slot->m_screenControl = 0;
        // The teacher's screen went to the presenter only: the pad that was one sees no more.
        StopPadStream();
        m_presentationHolder = -1;
        m_presentationSlot = nullptr;
        m_presentationConnectionId = -1;
        m_presentationMode = false;
        return 0;
    }
    // The presenter drives the teacher PC: a ban on its own input would stop it.
    if (slot->m_forbidKeyboard.load()) {
        PostCommandToSlot(*slot, ForbidKeyboardCommand(false));
        slot->m_forbidKeyboard = 0;
    }
    if (slot->m_forbidMouse.load()) {
        PostCommandToSlot(*slot, ForbidMouseCommand(false));
        slot->m_forbidMouse = 0;
    }
    PostCommandToSlot(*slot, ScreenControlRightCommand(true));
    slot->m_screenControl = 1;
    m_presentationHolder = index;
    m_presentationSlot = slot;
    m_presentationConnectionId = slot->m_connectionId.load();
    m_presentationMode = true;
    if (CFrameWnd* frame = GetMainFrame())
        frame->ShowWindow(SW_MINIMIZE);
    return 1;
}

void CWendmarkView::ReleasePresentationRightOf(CPCInfo& slot)
{
    const bool held = slot.m_screenControl.exchange(0) != 0;
    const bool viewsHolder = &slot == m_presentationSlot;
    if (held || viewsHolder)
        g_padShareRunning = 0;
    if (!viewsHolder)
        return;
    m_presentationMode = false;
    m_presentationHolder = -1;
    m_presentationSlot = nullptr;
    m_presentationConnectionId = -1;
    m_broadcastDlg.SetPresentationRightInUse(false);
    m_quizDlg.ShowControlRightFree();
    Invalidate(FALSE);
}

LRESULT CWendmarkView::OnPresentationRightFreed(WPARAM seat, LPARAM connectionId)
{
    const size_t index = static_cast<size_t>(seat) - 1;
    // Only the connection that was given the right: a student admitted into the seat since is
    // not the one that left.
    if (index < m_slots.size() && m_slots[index] == m_presentationSlot &&
        static_cast<int>(connectionId) == m_presentationConnectionId)
        ReleasePresentationRightOf(*m_slots[index]);
    return 0;
}

// --- Dialogs --------------------------------------------------------------------------------

bool CWendmarkView::BeginViewDialog()
{
    if (g_viewDialogOpen.load() || g_messageBoxOpen.load())
        return false;
    g_viewDialogOpen = 1;
    return true;
}

void CWendmarkView::ManageTitles()
{
    if (!BeginViewDialog())
        return;
    std::vector<CString> names;
    for (const CPCInfo* slot : m_slots)
        names.push_back(slot->GetDisplayName());
    int displayTitle = m_showCaptions ? 1 : 0;
    const LifeToken life = Life();
    const bool confirmed = RunTitlesDialog(names, displayTitle);
    g_viewDialogOpen = 0;
    if (!confirmed || !Alive(life))
        return;
    m_showCaptions = displayTitle != 0;
    SetConfigInt(L"config", L"displaytitle", displayTitle);
    for (size_t i = 0; i < names.size() && i < m_slots.size(); ++i) {
        const CString name = names[i].IsEmpty() ? CString(L" ") : names[i];
        if (name == L"Not Connect")
            continue;
        CPCInfo& slot = *m_slots[i];
        slot.SetDisplayName(name);
        SavePcName(slot.m_slotNumber.load(), name);
        PostCommandToSlot(slot, DisplayNameCommand(ToU16(name)));
    }
    Invalidate(FALSE);
}

void CWendmarkView::OpenGroupExecute()
{
    if (!BeginViewDialog())
        return;
    RunGroupExecuteDialog();
    g_viewDialogOpen = 0;
}

// --- The view's settings dialogs ------------------------------------------------------------

namespace {

// The settings dialog sends through the view's class-wide setters.
class CViewRestrictionSenders : public CAboutDlg::Senders {
public:
    explicit CViewRestrictionSenders(CWendmarkView& view) : m_view(view) {}
    void SendPreventEnd(int on) override { m_view.SendPreventEnd(on); }
    void SendPreventWebBrowser(int on) override { m_view.SendPreventWebBrowser(on); }
    void SendPreventUsb(int on) override { m_view.SendPreventUsb(on); }
    void SendPreventOtherPrograms(int on) override { m_view.SendPreventOtherPrograms(on); }
    void SendProhibitedProgramList(const CString& joined) override { m_view.SendProhibitedProgramList(joined); }

private:
    CWendmarkView& m_view;
};

} // namespace

void CWendmarkView::OpenSettings()
{
    if (!BeginViewDialog())
        return;
    CViewRestrictionSenders senders(*this);
    CAboutDlg dialog(senders, m_configPath, this);
    dialog.DoModal();
    g_viewDialogOpen = 0;   // also when the dialog could not be made
}

void CWendmarkView::SetImageQuality()
{
    if (!BeginViewDialog())
        return;
    const LifeToken life = Life();
    CJpegQuiltyDlg dialog(this);
    dialog.m_quality = m_imageQuality;
    dialog.m_refreshPeriod = m_refreshDelay;
    dialog.m_captureAll = m_restrictions.captureAllWindows ? 1 : 0;
    const INT_PTR result = dialog.DoModal();
    g_viewDialogOpen = 0;
    if (result != IDOK || !Alive(life))
        return;
    m_imageQuality = dialog.m_quality;
    SetConfigInt(L"config", L"quilty", m_imageQuality);
    for (CPCInfo* slot : m_slots) {
        if (slot->m_pcThreadId.load() == 0)
            continue;
        slot->m_imageQuality = m_imageQuality;
        PostCommandToSlot(*slot, ImageQualityCommand(m_imageQuality));
    }
    m_refreshDelay = dialog.m_refreshPeriod;
    SetConfigInt(L"config", L"delay", m_refreshDelay);
    SendThumbnailDelay(m_refreshDelay);
    SendCaptureAllWindows(dialog.m_captureAll);
}

void CWendmarkView::SetSlotsPerRow()
{
    if (!BeginViewDialog())
        return;
    const LifeToken life = Life();
    CPcPerRowDlg dialog(this);
    const GridSettings shown = m_groupShown ? m_groupGrid : m_classGrid;
    dialog.m_perRow = shown.slotsPerRow;
    dialog.m_widthRatio = shown.widthRatio;
    dialog.m_heightRatio = shown.heightRatio;
    const INT_PTR result = dialog.DoModal();
    g_viewDialogOpen = 0;
    if (result != IDOK || !Alive(life))
        return;
    const GridSettings chosen{dialog.m_perRow, dialog.m_widthRatio, dialog.m_heightRatio};
    if (m_groupShown) {
        m_groupGrid = chosen;
        CString layout;
        layout.Format(L"%d,%d,%d", chosen.slotsPerRow, chosen.widthRatio, chosen.heightRatio);
        m_groupPerRows[m_shownGroupName] = layout;
        SetGroupPerRow(m_groupFilePath, m_shownGroupName, layout);
    } else {
        m_classGrid = chosen;
        SetConfigInt(L"config", L"perrow", chosen.slotsPerRow);
        SetConfigInt(L"config", L"widthratio", chosen.widthRatio);
        SetConfigInt(L"config", L"heightratio", chosen.heightRatio);
    }
    RecomputeThumbnailSize();
    OnVScroll(SB_LINEUP, 0, nullptr);
    Invalidate(TRUE);
}
