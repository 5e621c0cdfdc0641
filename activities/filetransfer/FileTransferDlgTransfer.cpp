// Start, Stop and the students' reports. The student threads do the sending; the dialog only asks
// them, file by file, and never waits for them.
#include "activities/filetransfer/FileTransferDlg.h"

#include "foundation/IniFile.h"
#include "foundation/IniSettings.h"
#include "framework/PostOwned.h"
#include "framework/ProgressCtrl.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "foundation/AppMessages.h"
#include "sessions/StudentPosting.h"
#include "sessions/core/ActivityCommands.h"
#include "ui/ShowMessageBox.h"

#include <memory>

namespace {

// Files to send.
const int kFileNameColumn = 0;
const int kFileStateColumn = 1;
const int kFilePathColumn = 2;
// Status rows.
const int kStatusNumberColumn = 1;
const int kStatusProgressColumn = 2;
const int kStatusResultColumn = 3;
const int kStatusPathColumn = 4;
const int kBarInset = 3;

int SlotNumberOf(LPARAM lParam) { return static_cast<int>((static_cast<UINT>(lParam) >> 16) & 0xFFFF); }
int ValueOf(LPARAM lParam) { return static_cast<int>(static_cast<UINT>(lParam) & 0xFFFF); }

CString Trimmed(const CString& text)
{
    CString trimmed = text;
    trimmed.Trim();
    return trimmed;
}

} // namespace

void CFileTransferDlg::OnStartTransfer()
{
    if (m_running)
        return;
    CString shown;
    m_destinationBox.GetWindowText(shown);
    m_destination = Trimmed(shown);
    if (HasForbiddenFolderChars(m_destination.Str())) {
        ShowMessageBox(LoadText(IDS_FT_BAD_FOLDER_CHARS));
        return;
    }
    if (m_fileList.GetItemCount() == 0) {
        ShowMessageBox(LoadText(IDS_FT_NO_FILE_CHOSEN));
        return;
    }
    const std::vector<int> students = TickedStudents();
    if (students.empty()) {
        ShowMessageBox(LoadText(IDS_FT_NO_STUDENT_TICKED));
        return;
    }
    m_statusList.DeleteAllItems();
    AddStatusRows(students);
    PlaceProgressBars();
    SetChoosingEnabled(false);

    const CString folderCommand = FromU16(DestinationFolderCommand(
        ToU16(CString(ToStoredPath(m_destination.Str(), Names()).c_str()))));
    AddRecentPath(m_destination);
    FillDestinationCombo();
    m_destinationBox.SetWindowText(m_destination);
    for (int student : students)
        PostToStudent(student, folderCommand);

    for (int row = 0; row < m_fileList.GetItemCount(); ++row)
        m_fileList.SetItemText(row, kFileStateColumn, LoadText(IDS_FT_SENDING));
    m_running = true;
    const TransferStep step = m_schedule.Start(students, m_fileList.GetItemCount(), ReadParallelLimit());
    StartStudents(step.start);
}

void CFileTransferDlg::AddStatusRows(const std::vector<int>& students)
{
    const CString waiting = LoadText(IDS_FT_WAITING);
    for (int file = 0; file < m_fileList.GetItemCount(); ++file) {
        const CString name = m_fileList.GetItemText(file, kFileNameColumn);
        const CString path = m_fileList.GetItemText(file, kFilePathColumn);
        for (int student : students) {
            const int row = m_statusList.InsertItem(m_statusList.GetItemCount(), name);
            if (row < 0)
                continue;
            m_statusList.SetItemText(row, kStatusNumberColumn, m_studentList.GetItemText(student, 0));
            m_statusList.SetItemText(row, kStatusResultColumn, waiting);
            m_statusList.SetItemText(row, kStatusPathColumn, path);
            auto bar = std::make_unique<CProgressCtrl>();
            if (!bar->Create(WS_VISIBLE, CRect(0, 0, 0, 0), &m_statusList, 0))
                continue;
            bar->SetRange(0, 100);
            bar->SetBarColor(RGB(255, 0, 0));
            m_statusList.SetItemData(row, reinterpret_cast<DWORD_PTR>(bar.release()));   // the row owns it
        }
    }
}

void CFileTransferDlg::PlaceProgressBars()
{
    for (int row = 0; row < m_statusList.GetItemCount(); ++row) {
        auto* bar = reinterpret_cast<CProgressCtrl*>(m_statusList.GetItemData(row));
        RECT cell = {};
        cell.top = kStatusProgressColumn;
        cell.left = LVIR_BOUNDS;
        if (!bar || !m_statusList.SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                                              reinterpret_cast<LPARAM>(&cell)))
            continue;
        bar->MoveWindow(cell.left, cell.top + kBarInset, cell.right - cell.left,
                        cell.bottom - cell.top - 2 * kBarInset);
    }
}

void CFileTransferDlg::OnStatusItemDeleted(NMHDR* header, LRESULT* result)
{
    *result = 0;
    std::unique_ptr<CProgressCtrl> bar(reinterpret_cast<CProgressCtrl*>(reinterpret_cast<NMLISTVIEW*>(header)->lParam));
    if (bar && bar->GetSafeHwnd())
        bar->DestroyWindow();
}

void CFileTransferDlg::OnStatusListEndScroll(NMHDR*, LRESULT* result)
{
    *result = 0;
    PlaceProgressBars();
    m_statusList.Invalidate();
}

// -- Asking the students ----------------------------------------------------------------------------

bool CFileTransferDlg::PostToStudent(int student, const CString& text)
{
    const auto* slot = reinterpret_cast<const CPCInfo*>(m_studentList.GetItemData(student));
    const DWORD threadId = slot ? slot->m_pcThreadId.load() : 0;
    return threadId != 0 && PostStudentCommand(threadId, text, reinterpret_cast<LPARAM>(m_hWnd));
}

CString CFileTransferDlg::FileCommand(int file) const
{
    return FromU16(StartFileSendCommand(m_overwriteButton.IsChecked() != FALSE,
                                        ToU16(m_fileList.GetItemText(file, kFilePathColumn))));
}

void CFileTransferDlg::StartStudents(const std::vector<int>& students)
{
    const int file = m_schedule.GetCurrentFile();
    const CString path = m_fileList.GetItemText(file, kFilePathColumn);
    for (int student : students) {
        if (PostToStudent(student, FileCommand(file)))
            continue;
        // Gone since the dialog opened: its result is in at once, so nobody waits for it.
        const auto* slot = reinterpret_cast<const CPCInfo*>(m_studentList.GetItemData(student));
        const LPARAM report = static_cast<LPARAM>((static_cast<UINT>(slot->m_slotNumber.load()) << 16) | 3);
        if (!PostOwnedMessage(m_hWnd, WM_TRANSFER_PROGRESS, std::make_unique<CString>(path), report))
            TRACE(L"File transfer: the result of a missing student could not be posted\n");
    }
}

int CFileTransferDlg::ReadParallelLimit() const
{
    CString configPath;
    OpenIniFile(L"config.ini", configPath);
    return GetFileTransferLimit(configPath);
}

// -- Stop -------------------------------------------------------------------------------------------

void CFileTransferDlg::OnStopTransfer()
{
    const CString stop = FromU16(StopFileSendCommand());
    for (int student : TickedStudents())
        PostToStudent(student, stop);
    m_schedule.Stop();
    EndRunning();
}

void CFileTransferDlg::EndRunning()
{
    m_running = false;
    SetChoosingEnabled(true);
}

// -- Reports ----------------------------------------------------------------------------------------

LRESULT CFileTransferDlg::OnTransferProgress(WPARAM wParam, LPARAM lParam)
{
    std::unique_ptr<CString> path = AfxTakePosted<CString>(wParam);
    if (!path)
        return 0;
    CCriticalSectionLock lock(m_lock);
    const int slotNumber = SlotNumberOf(lParam);
    const int file = FindFileRow(*path);
    const int row = FindStatusRow(slotNumber, *path);
    if (row >= 0)
        m_statusList.SetItemText(row, kStatusResultColumn,
                                 ResultText(ValueOf(lParam), slotNumber, m_fileList.GetItemText(file, kFileNameColumn)));
    // Only a report the transfer is waiting for moves it on: once per student and file, and
    // nothing after Stop.
    const int finishedBefore = m_schedule.GetFinishedCount();
    const int started = m_schedule.GetStartedCount();
    const TransferStep step = m_schedule.OnResult(file, FindStudentRow(slotNumber));
    if (step.nextFile || step.done)
        ShowFileCount(file, started, started);
    else if (m_schedule.GetFinishedCount() != finishedBefore)
        ShowFileCount(file, m_schedule.GetFinishedCount(), started);
    if (step.done)
        EndRunning();
    else
        StartStudents(step.start);
    return 0;
}

LRESULT CFileTransferDlg::OnTransferStatus(WPARAM wParam, LPARAM lParam)
{
    std::unique_ptr<CString> path = AfxTakePosted<CString>(wParam);
    if (!path)
        return 0;
    CCriticalSectionLock lock(m_lock);
    const int row = FindStatusRow(SlotNumberOf(lParam), *path);
    if (row < 0)
        return 0;
    if (auto* bar = reinterpret_cast<CProgressCtrl*>(m_statusList.GetItemData(row)))
        bar->SetPos(ValueOf(lParam));
    return 0;
}

void CFileTransferDlg::ShowFileCount(int file, int finished, int started)
{
    if (file < 0)
        return;
    CString count;
    count.Format(L"%d/%d", finished, started);
    m_fileList.SetItemText(file, kFileStateColumn, count);
}

CString CFileTransferDlg::ResultText(int status, int slotNumber, const CString& fileName) const
{
    CString text;
    switch (status) {
    case 0:
        if (m_language == L"Chinese")
            text.Format(LoadText(IDS_FT_RESULT_DONE), fileName.GetString(), slotNumber);
        else
            text.Format(LoadText(IDS_FT_RESULT_DONE), slotNumber, fileName.GetString());
        break;
    case 1: text.Format(LoadText(IDS_FT_RESULT_READ_ERROR), slotNumber, fileName.GetString()); break;
    case 2: text.Format(LoadText(IDS_FT_RESULT_OPEN_ERROR), slotNumber, fileName.GetString()); break;
    case 3: text.Format(LoadText(IDS_FT_RESULT_SOCKET_ERROR), slotNumber); break;
    default: break;
    }
    return text;
}

int CFileTransferDlg::FindStatusRow(int slotNumber, const CString& path) const
{
    for (int row = 0; row < m_statusList.GetItemCount(); ++row)
        if (_wtoi(m_statusList.GetItemText(row, kStatusNumberColumn)) == slotNumber &&
            m_statusList.GetItemText(row, kStatusPathColumn) == path)
            return row;
    return -1;
}

int CFileTransferDlg::FindStudentRow(int slotNumber) const
{
    for (int row = 0; row < m_studentList.GetItemCount(); ++row)
        if (_wtoi(m_studentList.GetItemText(row, 0)) == slotNumber)
            return row;
    return -1;
}
