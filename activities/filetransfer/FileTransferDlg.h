// CFileTransferDlg: the modal dialog (template 130) with which the teacher sends files to the
// ticked students. The teacher picks files in a shell folder tree, ticks students, names a
// destination folder on the student PCs and presses Start; the dialog then asks the students'
// threads for one file at a time (at most the parallel limit of "filetrans" at once), and shows
// one status row per file and student with a progress bar and the result. It is one of the
// view's modal dialogs: the opener sets g_viewDialogOpen; the dialog hides the teacher toolbar
// while it is open and clears the flag when it is destroyed.
//
// The student threads report with WM_TRANSFER_PROGRESS (one file done or failed at one student)
// and WM_TRANSFER_STATUS (its percentage): wParam a heap CString with the file's full path,
// which the dialog takes over; lParam the slot number << 16 | the status or percentage.
//
// The dialog's work is split over three files:
//   FileTransferDlg.cpp          opening, skin, layout, painting, closing
//   FileTransferDlgChoose.cpp    the folder tree, the files to send, the students, destinations
//   FileTransferDlgTransfer.cpp  Start, Stop and the students' reports
#pragma once

#include "ui/ComboArrowSkin.h"
#include "activities/filetransfer/core/DestinationFolder.h"
#include "activities/filetransfer/core/TransferSchedule.h"
#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/CriticalSection.h"
#include "framework/Font.h"
#include "framework/ImageList.h"
#include "ui/ImageButton.h"
#include "ui/ListCtrlEx.h"
#include "ui/ShellTreeCtrl.h"
#include "ui/SkinnedDialog.h"
#include "ui/VarnixComboBox.h"

#include <shlobj.h>

#include <vector>

class CPCInfo;

class CFileTransferDlg : public CSkinnedDialog {
public:
    explicit CFileTransferDlg(CWnd* parent = nullptr);
    ~CFileTransferDlg() override;

    // Before DoModal: the view's slots (read only), and the file to offer when the dialog opens
    // (a file dropped on the toolbar button).
    void SetSlots(const std::vector<CPCInfo*>* slots) { m_slots = slots; }
    void SetPresetPath(const CString& path) { m_presetPath = path; }
    // The program's language code ("Kor", "Eng", "Chinese", ...): a few positions and the order
    // of a result text's arguments follow it.
    void SetLanguage(const CString& code) { m_language = code; }

    // One dialog at a time: true while one is open.
    static bool IsOpen() { return s_openCount > 0; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override { OnCloseCommand(); }
    void OnCancel() override { OnCloseCommand(); }

    afx_msg void OnCloseCommand();
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);

    afx_msg void OnTreeDblClk(NMHDR* header, LRESULT* result);
    afx_msg void OnAddFile();
    afx_msg void OnRemoveFile();
    afx_msg void OnFileListDblClk(NMHDR* header, LRESULT* result);
    afx_msg void OnStudentListClick(NMHDR* header, LRESULT* result);
    afx_msg void OnCheckAll();
    afx_msg void OnOverwriteToggle();
    afx_msg void OnDeletePath();

    afx_msg void OnStartTransfer();
    afx_msg void OnStopTransfer();
    afx_msg void OnStatusItemDeleted(NMHDR* header, LRESULT* result);
    afx_msg void OnStatusListEndScroll(NMHDR* header, LRESULT* result);
    afx_msg LRESULT OnTransferProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTransferStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // --- Opening and skin (FileTransferDlg.cpp) ---
    void CreateFonts();
    void CreateRunTimeButtons();
    void LoadSkin();
    void PlaceControls();
    void PlaceControl(CWnd* control, int x, int y, int width, int height, CFont* font);
    void PlaceDialogItem(int id, int x, int y, int width, int height, CFont* font);
    void SetUpLists();
    void WrapInSkinScrollBars();
    void PaintDialog(CDC& dc, const CRect& client);
    void SetChoosingEnabled(bool enabled);

    // --- Choosing (FileTransferDlgChoose.cpp) ---
    void FillTreeRoot();
    void FillStudentList();
    void NavigateToPreset();
    HTREEITEM FindChild(HTREEITEM parent, const CString& text, bool contains) const;
    // The file-system path of a tree item; empty for none.
    CString TreeItemPath(HTREEITEM item) const;
    int TreeItemImage(HTREEITEM item) const;
    // False when the path is empty, a folder or already listed.
    bool AddFileToSend(const CString& path, int image);
    bool IsTicked(int row) const;
    void SetTicked(int row, bool ticked);
    std::vector<int> TickedStudents() const;
    DestinationNames Names() const;
    void FillDestinationCombo();
    CString ReadRecentPaths() const;
    void WriteRecentPaths(const CString& list);
    void AddRecentPath(const CString& shown);

    // --- Transfer (FileTransferDlgTransfer.cpp) ---
    void AddStatusRows(const std::vector<int>& students);
    void PlaceProgressBars();
    // False when the student has no thread (it left).
    bool PostToStudent(int student, const CString& text);
    // Asks the students for the current file; one without a thread is a failure at once.
    void StartStudents(const std::vector<int>& students);
    CString FileCommand(int file) const;
    int ReadParallelLimit() const;
    // The status row of that file at that slot, -1 for none.
    int FindStatusRow(int slotNumber, const CString& path) const;
    int FindFileRow(const CString& path) const;
    int FindStudentRow(int slotNumber) const;
    CString ResultText(int status, int slotNumber, const CString& fileName) const;
    void ShowFileCount(int file, int finished, int started);
    void EndRunning();

    IMalloc* m_malloc = nullptr;
    IShellFolder* m_desktop = nullptr;
    CImageList m_systemImages;      // the shell's small icons: images of the files to send
    CImageList m_checkImages;       // 0 unticked, 1 ticked
    const std::vector<CPCInfo*>* m_slots = nullptr;
    CTransferSchedule m_schedule;
    CCriticalSection m_lock;
    bool m_running = false;
    CString m_destination;          // the trimmed destination at Start
    CString m_presetPath;
    CString m_computerName;         // the tree's name of the computer node
    CString m_language = L"Kor";

    CListCtrlEx m_fileList;         // 1015: name, state, full path
    CListCtrlEx m_studentList;      // 1016: number (its image the tick), name
    CListCtrlEx m_statusList;       // 1108: file, number, progress, result, path
    CShellTreeCtrl m_tree;          // 1007
    CVarnixComboBox m_destinationBox;  // 1130
    CComboArrowSkin m_destinationSkin;
    CImageButton m_startButton;
    CImageButton m_stopButton;
    CImageButton m_closeButton;
    CImageButton m_checkAllButton;
    CImageButton m_deletePathButton;
    CImageButton m_addButton;
    CImageButton m_removeButton;
    CImageButton m_overwriteButton;     // 1020, made at run time
    CImageButton m_captionCloseButton;  // 1628, made at run time

    CFont m_titleFont;              // bold 13
    CFont m_normalFont;             // normal 12
    CFont m_boldFont;               // bold 12
    CBrush m_comboBrush;
    CBitmap m_filesHeader;          // 586
    CBitmap m_studentsHeader;       // 587
    CBitmap m_destinationPanel;     // 593
    CBitmap m_statusPanel;          // 594

    static int s_openCount;
};
