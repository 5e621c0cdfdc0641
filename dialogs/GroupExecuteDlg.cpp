#include "dialogs/GroupExecuteDlg.h"

#include "dialogs/core/GroupRules.h"
#include "foundation/ConfigProfile.h"
#include "foundation/Packet.h"
#include "foundation/StringUtil.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "sessions/StudentPosting.h"
#include "sessions/core/TeacherCommands.h"
#include "ui/DialogSkin.h"
#include "ui/ShowMessageBox.h"

#include <memory>

namespace {

const COLORREF kLabelText = RGB(255, 255, 255);
const COLORREF kNoteText = RGB(163, 162, 163);
const COLORREF kEditBackground = RGB(18, 15, 10);
const wchar_t kRecentSection[] = L"config";
const wchar_t kRecentKey[] = L"recentexe";

} // namespace

BEGIN_MESSAGE_MAP(CGroupExecuteDlg, CSkinnedViewDialog)
    ON_BN_CLICKED(IDC_GEXEC_RUN, OnRun)
    ON_BN_CLICKED(IDC_GEXEC_END_PROCESS, OnEndProcess)
    ON_BN_CLICKED(IDC_GEXEC_RESTART, OnRestart)
    ON_BN_CLICKED(IDC_GEXEC_SHUTDOWN, OnShutdown)
    ON_BN_CLICKED(IDC_GEXEC_DELETE_RECENT, OnDeleteRecent)
    ON_BN_CLICKED(IDC_GEXEC_CLOSE, OnCloseDialog)
END_MESSAGE_MAP()

CGroupExecuteDlg::CGroupExecuteDlg(const std::vector<CPCInfo*>& targets, bool selectedOnly, CWnd* parent)
    : CSkinnedViewDialog(IDD_GROUP_EXECUTE, parent, 558, 543, kDialogBackground),
      m_targets(targets), m_selectedOnly(selectedOnly)
{
}

void CGroupExecuteDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_GEXEC_PATH, m_pathCombo);
    DDX_Control(pDX, IDC_GEXEC_RUN, m_runButton);
    DDX_Control(pDX, IDC_GEXEC_END_PROCESS, m_endButton);
    DDX_Control(pDX, IDC_GEXEC_RESTART, m_restartButton);
    DDX_Control(pDX, IDC_GEXEC_SHUTDOWN, m_shutdownButton);
    DDX_Control(pDX, IDC_GEXEC_CLOSE, m_closeDialogButton);
    DDX_Control(pDX, IDC_GEXEC_DELETE_RECENT, m_deleteRecentButton);
}

BOOL CGroupExecuteDlg::OnInitDialog()
{
    CSkinnedViewDialog::OnInitDialog();
    m_runButton.SetBitmaps(IDB_GEXEC_RUN, IDB_GEXEC_RUN_HOVER, IDB_GEXEC_RUN, IDB_GEXEC_RUN_HOVER);
    m_endButton.SetBitmaps(IDB_GEXEC_END, IDB_GEXEC_END_HOVER, IDB_GEXEC_END, IDB_GEXEC_END_HOVER);
    m_restartButton.SetBitmaps(IDB_GEXEC_RESTART, IDB_GEXEC_RESTART_HOVER, IDB_GEXEC_RESTART, IDB_GEXEC_RESTART_HOVER);
    m_shutdownButton.SetBitmaps(IDB_GEXEC_SHUTDOWN, IDB_GEXEC_SHUTDOWN_HOVER, IDB_GEXEC_SHUTDOWN,
                                IDB_GEXEC_SHUTDOWN_HOVER);
    m_closeDialogButton.SetBitmaps(IDB_GEXEC_CLOSE, IDB_GEXEC_CLOSE_HOVER, IDB_GEXEC_CLOSE, IDB_GEXEC_CLOSE_HOVER);
    m_deleteRecentButton.SetBitmaps(IDB_GEXEC_DELETE_RECENT, IDB_GEXEC_DELETE_RECENT_HOVER, IDB_GEXEC_DELETE_RECENT,
                                    IDB_GEXEC_DELETE_RECENT_HOVER);
    SetEditColours(RGB(4, 226, 198), kEditBackground);
    m_pathArrow.Attach(m_pathCombo.GetSafeHwnd(), IDB_FT_COMBO_ARROW, IDB_FT_COMBO_ARROW_PRESSED, kEditBackground);
    for (int id : {IDC_GEXEC_RUN_HEADER, IDC_GEXEC_END_HEADER, IDC_GEXEC_POWER_HEADER, IDC_GEXEC_PATH_LABEL,
                   IDC_GEXEC_OPTIONS_LABEL, IDC_GEXEC_PROCESS_LABEL})
        SetTextColour(id, kLabelText);
    for (int id : {IDC_GEXEC_RUN_NOTE, IDC_GEXEC_PATH_EXAMPLE, IDC_GEXEC_OPTIONS_EXAMPLE, IDC_GEXEC_END_NOTE,
                   IDC_GEXEC_PROCESS_EXAMPLE})
        SetTextColour(id, kNoteText);
    FillRecentPaths();
    PlaceControls();
    return TRUE;
}

void CGroupExecuteDlg::PlaceControls()
{
    PlaceControl(IDC_TITLE_TEXT, 6, 12, 250, 22, &m_titleFont);
    PlaceControl(IDC_GEXEC_RUN_HEADER, 42, 69, 400, 13, &m_titleFont);
    PlaceControl(IDC_GEXEC_RUN_NOTE, 42, 94, 480, 13, &m_normalFont);
    PlaceControl(IDC_GEXEC_PATH_LABEL, 42, 131, 80, 13, &m_boldFont);
    PlaceControl(IDC_GEXEC_PATH, 126, 129, 357, 18, &m_normalFont);
    PlaceControl(IDC_GEXEC_DELETE_RECENT, 490, 125, 40, 27, nullptr);
    PlaceControl(IDC_GEXEC_PATH_EXAMPLE, 126, 158, 400, 13, &m_normalFont);
    PlaceControl(IDC_GEXEC_OPTIONS_LABEL, 42, 189, 80, 13, &m_boldFont);
    PlaceControl(IDC_GEXEC_OPTIONS, 125, 189, 218, 13, &m_normalFont);
    PlaceControl(IDC_GEXEC_OPTIONS_EXAMPLE, 350, 189, 70, 13, &m_normalFont);
    PlaceControl(IDC_GEXEC_RUN, 426, 183, 104, 27, nullptr);
    PlaceControl(IDC_GEXEC_END_HEADER, 42, 256, 400, 13, &m_titleFont);
    PlaceControl(IDC_GEXEC_END_NOTE, 42, 283, 480, 13, &m_normalFont);
    PlaceControl(IDC_GEXEC_PROCESS_LABEL, 42, 319, 80, 13, &m_boldFont);
    PlaceControl(IDC_GEXEC_PROCESS, 125, 319, 238, 13, &m_normalFont);
    PlaceControl(IDC_GEXEC_END_PROCESS, 371, 311, 80, 27, nullptr);
    PlaceControl(IDC_GEXEC_PROCESS_EXAMPLE, 125, 346, 400, 13, &m_normalFont);
    PlaceControl(IDC_GEXEC_POWER_HEADER, 42, 395, 400, 13, &m_titleFont);
    PlaceControl(IDC_GEXEC_RESTART, 141, 438, 99, 34, nullptr);
    PlaceControl(IDC_GEXEC_SHUTDOWN, 312, 438, 99, 34, nullptr);
    PlaceControl(IDC_GEXEC_CLOSE, 241, 495, 67, 34, nullptr);
    PlaceControl(IDC_CAPTION_CLOSE, 517, 0, 39, 34, nullptr);
}

void CGroupExecuteDlg::FillRecentPaths()
{
    m_pathCombo.ResetContent();
    CStringArray paths;
    SplitString(GetConfigString(kRecentSection, kRecentKey), L"\n", paths);
    for (int i = 0; i < paths.GetSize(); ++i)
        if (!paths[i].IsEmpty())
            m_pathCombo.AddString(paths[i]);
}

bool CGroupExecuteDlg::ReadRunField(int id, bool mayBeEmpty, UINT emptyText, UINT tooLongText, std::u16string& value)
{
    CString text;
    GetDlgItemText(id, text);
    text.Trim();
    value = ToU16(text);
    switch (CheckRunField(value, mayBeEmpty)) {
    case RunFieldVerdict::Accepted: return true;
    case RunFieldVerdict::Empty: Refuse(emptyText, id); break;
    case RunFieldVerdict::TooLong: Refuse(tooLongText, id); break;
    case RunFieldVerdict::Comma: Refuse(IDS_GEXEC_NO_COMMA, id); break;
    }
    return false;
}

bool CGroupExecuteDlg::IsTarget(const CPCInfo& slot) const
{
    return slot.m_pcThreadId.load() != 0 && (!m_selectedOnly || slot.m_selected.load() != 0);
}

void CGroupExecuteDlg::PostProgramCommand(const std::function<std::u16string(const std::u16string&)>& commandFor)
{
    for (CPCInfo* slot : m_targets) {
        if (!IsTarget(*slot))
            continue;
        const std::u16string token = ProgramToken(ToU16(slot->GetDisplayName()));
        auto packet = std::make_unique<CPacket>(FromU16(commandFor(token)));
        // A thread that has just ended takes nothing; the packet is freed here then.
        if (!PostStudentPacket(slot->m_pcThreadId.load(), std::move(packet), true))
            TRACE(L"slot %d: its thread took no group command\n", slot->m_slotNumber.load());
    }
}

void CGroupExecuteDlg::OnRun()
{
    std::u16string path, options;
    if (!ReadRunField(IDC_GEXEC_PATH, false, IDS_GEXEC_PATH_EMPTY, IDS_GEXEC_PATH_TOO_LONG, path))
        return;
    if (!ReadRunField(IDC_GEXEC_OPTIONS, true, 0, IDS_GEXEC_OPTIONS_TOO_LONG, options))
        return;
    PostProgramCommand([&](const std::u16string& token) { return RunProgramCommand(token, path, options); });
    CString recent = GetConfigString(kRecentSection, kRecentKey);
    AddToLineList(recent, FromU16(path));
    SetConfigString(kRecentSection, kRecentKey, recent);
    FillRecentPaths();
    m_pathCombo.SetWindowText(FromU16(path));
    ShowMessageBox(LoadText(IDS_GEXEC_RUN_SENT));
}

void CGroupExecuteDlg::OnEndProcess()
{
    std::u16string process;
    if (!ReadRunField(IDC_GEXEC_PROCESS, false, IDS_GEXEC_PROCESS_EMPTY, IDS_GEXEC_PROCESS_TOO_LONG, process))
        return;
    PostProgramCommand([&](const std::u16string& token) { return EndProcessCommand(token, process); });
    ShowMessageBox(LoadText(IDS_GEXEC_END_SENT));
}

void CGroupExecuteDlg::AskAndPostPower(UINT captionId, UINT noteId, UINT askId, const std::u16string& command)
{
    const CString caption = LoadText(captionId);
    if (ShowMessageBox(LoadText(noteId) + L"\n" + LoadText(askId), caption, 4) != 6)
        return;
    for (CPCInfo* slot : m_targets)
        if (IsTarget(*slot))
            PostStudentCommand(slot->m_pcThreadId.load(), FromU16(command));
}

void CGroupExecuteDlg::OnRestart()
{
    AskAndPostPower(IDS_GEXEC_RESTART_CAPTION, IDS_GEXEC_RESTART_NOTE, IDS_GEXEC_RESTART_ASK, RestartPcCommand());
}

void CGroupExecuteDlg::OnShutdown()
{
    AskAndPostPower(IDS_GEXEC_SHUTDOWN_CAPTION, IDS_GEXEC_SHUTDOWN_NOTE, IDS_GEXEC_SHUTDOWN_ASK, ShutDownPcCommand());
}

void CGroupExecuteDlg::OnDeleteRecent()
{
    const CString caption = LoadText(IDS_GEXEC_DELETE_RECENT_CAPTION);
    if (ShowMessageBox(LoadText(IDS_GEXEC_DELETE_RECENT_ASK) + L"\n" + LoadText(IDS_GEXEC_DELETE_RECENT_NOTE),
                       caption, 4) != 6)
        return;
    if (!GetSafeHwnd())
        return;   // the console was closed while the box was open
    CString path;
    m_pathCombo.GetWindowText(path);
    m_pathCombo.SetWindowText(L"");
    path.Trim();
    CString recent = GetConfigString(kRecentSection, kRecentKey);
    RemoveFromLineList(recent, path);
    SetConfigString(kRecentSection, kRecentKey, recent);
    FillRecentPaths();
}

void CGroupExecuteDlg::OnCloseDialog()
{
    EndDialog(IDOK);
}
