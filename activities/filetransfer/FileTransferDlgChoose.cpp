// What is sent, to whom and where: the folder tree, the files to send, the ticked students and the
// destination box with its recent folders.
#include "activities/filetransfer/FileTransferDlg.h"

#include "foundation/ConfigProfile.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "ui/ShowMessageBox.h"

namespace {

const int kFileNameColumn = 0;
const int kFileStateColumn = 1;
const int kFilePathColumn = 2;
const int kUnticked = 0;
const int kTicked = 1;

const wchar_t kRecentSection[] = L"config";
const wchar_t kRecentKey[] = L"recentpath";
const wchar_t kDefaultComputerName[] = L"\ucef4\ud4e8\ud130";   // "컴퓨터"

CString FileNameOf(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

std::vector<CString> PathParts(const CString& rest)
{
    std::vector<CString> parts;
    int start = 0;
    while (start <= rest.GetLength()) {
        int end = rest.Find(L'\\', start);
        if (end < 0)
            end = rest.GetLength();
        if (end > start)
            parts.push_back(rest.Mid(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

// -- Tree ------------------------------------------------------------------------------------------

void CFileTransferDlg::FillTreeRoot()
{
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) || !desktop)
        return;
    const CString name = Names().desktop.c_str();
    HTREEITEM root = m_tree.InsertShellItem(TVI_ROOT, desktop, name);
    if (!root)
        return;
    // The lazy expansion fills it when it is first opened.
    m_tree.InsertItem(CShellTreeCtrl::kTemporaryChildName, root);

    LPITEMIDLIST computer = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer)) && computer) {
        SHFILEINFOW info = {};
        if (::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(computer), 0, &info, sizeof(info),
                             SHGFI_PIDL | SHGFI_DISPLAYNAME))
            m_computerName = info.szDisplayName;
        ::CoTaskMemFree(computer);
    }
    if (m_computerName.IsEmpty())
        m_computerName = kDefaultComputerName;
}

HTREEITEM CFileTransferDlg::FindChild(HTREEITEM parent, const CString& text, bool contains) const
{
    for (HTREEITEM child = m_tree.GetChildItem(parent); child; child = m_tree.GetNextSiblingItem(child)) {
        const CString childText = m_tree.GetItemText(child);
        if (contains ? childText.Find(text) >= 0 : childText.CompareNoCase(text) == 0)
            return child;
    }
    return nullptr;
}

// Opens the tree at the preset file (computer, drive, then each folder) and offers the file.
void CFileTransferDlg::NavigateToPreset()
{
    HTREEITEM found = nullptr;
    if (m_presetPath.GetLength() > 3) {
        HTREEITEM root = m_tree.GetRootItem();
        m_tree.Expand(root, TVE_EXPAND);
        HTREEITEM item = FindChild(root, m_computerName, false);
        if (item) {
            m_tree.Expand(item, TVE_EXPAND);
            item = FindChild(item, m_presetPath.Left(2), true);
        }
        const std::vector<CString> parts = PathParts(m_presetPath.Mid(3));
        for (size_t i = 0; item && i < parts.size(); ++i) {
            m_tree.Expand(item, TVE_EXPAND);
            item = FindChild(item, parts[i], false);
        }
        if (item && !parts.empty()) {
            m_tree.SelectItem(item);
            m_tree.Expand(item, TVE_EXPAND);
            m_tree.EnsureVisible(item);
            found = item;
        }
    }
    AddFileToSend(m_presetPath, found ? TreeItemImage(found) : 0);
}

CString CFileTransferDlg::TreeItemPath(HTREEITEM item) const
{
    const auto list = reinterpret_cast<LPCITEMIDLIST>(item ? m_tree.GetItemData(item) : 0);
    wchar_t path[MAX_PATH] = {};
    if (!list || !::SHGetPathFromIDListW(list, path))
        return CString();
    return CString(path);
}

int CFileTransferDlg::TreeItemImage(HTREEITEM item) const
{
    TVITEMW info = {};
    info.mask = TVIF_IMAGE | TVIF_HANDLE;
    info.hItem = item;
    return m_tree.GetItem(&info) ? info.iImage : 0;
}

bool CFileTransferDlg::AddFileToSend(const CString& path, int image)
{
    if (path.IsEmpty())
        return false;
    const DWORD attributes = ::GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (FindFileRow(path) >= 0)
        return false;
    const int row = m_fileList.InsertItem(m_fileList.GetItemCount(), FileNameOf(path), image);
    if (row < 0)
        return false;
    m_fileList.SetItemText(row, kFileStateColumn, LoadText(IDS_FT_WAITING));
    m_fileList.SetItemText(row, kFilePathColumn, path);
    return true;
}

int CFileTransferDlg::FindFileRow(const CString& path) const
{
    for (int row = 0; row < m_fileList.GetItemCount(); ++row)
        if (m_fileList.GetItemText(row, kFilePathColumn) == path)
            return row;
    return -1;
}

void CFileTransferDlg::OnTreeDblClk(NMHDR*, LRESULT* result)
{
    *result = 0;
    HTREEITEM item = m_tree.GetSelectedItem();
    if (!item || item == m_tree.GetRootItem())
        return;
    AddFileToSend(TreeItemPath(item), TreeItemImage(item));
}

void CFileTransferDlg::OnAddFile()
{
    HTREEITEM item = m_tree.GetSelectedItem();
    if (!item || item == m_tree.GetRootItem()) {
        ShowMessageBox(LoadText(IDS_FT_FILES_ONLY));
        return;
    }
    const CString path = TreeItemPath(item);
    if (path.IsEmpty()) {
        // A shell place with no file behind it.
        if (m_tree.ItemHasChildren(item))
            ShowMessageBox(LoadText(IDS_FT_FILES_ONLY));
        return;
    }
    const DWORD attributes = ::GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ShowMessageBox(LoadText(IDS_FT_FILES_ONLY));
        return;
    }
    AddFileToSend(path, TreeItemImage(item));
}

void CFileTransferDlg::OnRemoveFile()
{
    const int row = m_fileList.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        ShowMessageBox(LoadText(IDS_FT_CHOOSE_FILE_TO_REMOVE));
        return;
    }
    m_fileList.DeleteItem(row);
}

void CFileTransferDlg::OnFileListDblClk(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (activate->iItem >= 0)
        m_fileList.DeleteItem(activate->iItem);
}

// -- Students ---------------------------------------------------------------------------------------

void CFileTransferDlg::FillStudentList()
{
    if (!m_slots)
        return;
    for (CPCInfo* slot : *m_slots) {
        if (!slot || !slot->IsOnline())
            continue;
        CString number;
        number.Format(L"%d", slot->m_slotNumber.load());
        const int row = m_studentList.InsertItem(m_studentList.GetItemCount(), number, kTicked);
        if (row < 0)
            continue;
        m_studentList.SetItemText(row, 1, slot->GetDisplayName());
        m_studentList.SetItemData(row, reinterpret_cast<DWORD_PTR>(slot));
    }
}

bool CFileTransferDlg::IsTicked(int row) const
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    return m_studentList.GetItem(&item) && item.iImage == kTicked;
}

void CFileTransferDlg::SetTicked(int row, bool ticked)
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = ticked ? kTicked : kUnticked;
    m_studentList.SetItem(&item);
}

std::vector<int> CFileTransferDlg::TickedStudents() const
{
    std::vector<int> ticked;
    for (int row = 0; row < m_studentList.GetItemCount(); ++row)
        if (IsTicked(row))
            ticked.push_back(row);
    return ticked;
}

void CFileTransferDlg::OnStudentListClick(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (click->iItem >= 0 && click->iSubItem == 0)
        SetTicked(click->iItem, !IsTicked(click->iItem));
}

void CFileTransferDlg::OnCheckAll()
{
    const int count = m_studentList.GetItemCount();
    const bool allTicked = static_cast<int>(TickedStudents().size()) == count;
    for (int row = 0; row < count; ++row)
        SetTicked(row, !allTicked);
}

void CFileTransferDlg::OnOverwriteToggle()
{
    if (m_overwriteButton.IsChecked())
        m_overwriteButton.ClearChecked();
    else
        m_overwriteButton.SetChecked();
}

// -- Destination ------------------------------------------------------------------------------------

DestinationNames CFileTransferDlg::Names() const
{
    return DestinationNames{LoadText(IDS_FT_DESKTOP).Str(), LoadText(IDS_FT_STUDENT_PROGRAM_FOLDER).Str()};
}

CString CFileTransferDlg::ReadRecentPaths() const
{
    return GetConfigString(kRecentSection, kRecentKey);
}

void CFileTransferDlg::WriteRecentPaths(const CString& list)
{
    if (!SetConfigString(kRecentSection, kRecentKey, list))
        TRACE(L"File transfer: the recent folders could not be stored\n");
}

void CFileTransferDlg::AddRecentPath(const CString& shown)
{
    WriteRecentPaths(WithRecentPath(ReadRecentPaths().Str(), shown.Str(), Names()).c_str());
}

void CFileTransferDlg::FillDestinationCombo()
{
    m_destinationBox.ResetContent();
    for (const std::wstring& entry : DestinationEntries(ReadRecentPaths().Str(), Names()))
        m_destinationBox.AddString(entry.c_str());
}

void CFileTransferDlg::OnDeletePath()
{
    CString shown;
    m_destinationBox.GetWindowText(shown);
    if (shown == LoadText(IDS_FT_STUDENT_PROGRAM_FOLDER)) {
        ShowMessageBox(LoadText(IDS_FT_PROGRAM_FOLDER_NOT_DELETABLE));
        return;
    }
    const CString question = LoadText(IDS_FT_DELETE_PATH_ASK) + L"\n" + LoadText(IDS_FT_DELETE_PATH_NOTE);
    if (ShowMessageBox(question, LoadText(IDS_FT_DELETE_PATH_CAPTION), 4) != IDYES)
        return;
    m_destinationBox.SetWindowText(L"");
    WriteRecentPaths(WithoutRecentPath(ReadRecentPaths().Str(), shown.Str(), Names()).c_str());
    FillDestinationCombo();
}
