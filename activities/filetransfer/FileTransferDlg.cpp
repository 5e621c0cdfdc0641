#include "activities/filetransfer/FileTransferDlg.h"

#include "dialogs/ViewDialogState.h"
#include "foundation/AppMessages.h"
#include "framework/MemDC.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "ui/CaptionBand.h"
#include "ui/ShowMessageBox.h"
#include "ui/SkinDraw.h"
#include "ui/SkinScrollWnd.h"
#include "ui/UiScale.h"
#include "ui/ScaledLayout.h"
#include "ui/DialogSkin.h"

namespace {

const COLORREF kBackground = 0x5E524C;
const COLORREF kCaptionBand = 0x2B1E18;
const COLORREF kListBackground = 0x0E0806;
const COLORREF kListText = 0xBEBCBC;
const COLORREF kStatusBackground = 0x1E242A;
const COLORREF kTitleText = 0xE3CF03;
const COLORREF kSectionText = 0xE9E7E6;
const COLORREF kHintText = 0xA19A96;
const COLORREF kLabelText = 0xBEBAB7;
const COLORREF kComboText = 0xC6E204;
const COLORREF kComboBackground = 0x0A0F12;

const int kWidth = 745;
const int kHeight = 646;

bool IsOneOf(int id, std::initializer_list<int> ids)
{
    for (int candidate : ids)
        if (candidate == id)
            return true;
    return false;
}

} // namespace

int CFileTransferDlg::s_openCount = 0;

BEGIN_MESSAGE_MAP(CFileTransferDlg, CSkinnedDialog)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCloseCommand)
    ON_BN_CLICKED(IDC_FT_START, OnStartTransfer)
    ON_BN_CLICKED(IDC_FT_STOP, OnStopTransfer)
    ON_BN_CLICKED(IDC_FT_ADD, OnAddFile)
    ON_BN_CLICKED(IDC_FT_REMOVE, OnRemoveFile)
    ON_BN_CLICKED(IDC_FT_CHECK_ALL, OnCheckAll)
    ON_BN_CLICKED(IDC_FT_OVERWRITE, OnOverwriteToggle)
    ON_BN_CLICKED(IDC_FT_DELETE_PATH, OnDeletePath)
    ON_NOTIFY(NM_DBLCLK, IDC_FT_FOLDER_TREE, OnTreeDblClk)
    ON_NOTIFY(NM_DBLCLK, IDC_FT_FILES, OnFileListDblClk)
    ON_NOTIFY(NM_CLICK, IDC_FT_STUDENTS, OnStudentListClick)
    ON_NOTIFY(LVN_DELETEITEM, IDC_FT_STATUS, OnStatusItemDeleted)
    ON_NOTIFY(LVN_ENDSCROLL, IDC_FT_STATUS, OnStatusListEndScroll)
    ON_MESSAGE(WM_TRANSFER_PROGRESS, OnTransferProgress)
    ON_MESSAGE(WM_TRANSFER_STATUS, OnTransferStatus)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CFileTransferDlg::CFileTransferDlg(CWnd* parent) : CSkinnedDialog(IDD_FILE_TRANSFER, parent)
{
    if (FAILED(::SHGetMalloc(&m_malloc)))
        m_malloc = nullptr;
    if (FAILED(::SHGetDesktopFolder(&m_desktop)))
        m_desktop = nullptr;
}

CFileTransferDlg::~CFileTransferDlg()
{
    m_systemImages.Detach();   // the shell's own list, shared by the whole process
    if (m_desktop)
        m_desktop->Release();
    if (m_malloc)
        m_malloc->Release();
}

void CFileTransferDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FT_FOLDER_TREE, m_tree);
    DDX_Control(pDX, IDC_FT_FILES, m_fileList);
    DDX_Control(pDX, IDC_FT_STUDENTS, m_studentList);
    DDX_Control(pDX, IDC_FT_STATUS, m_statusList);
    DDX_Control(pDX, IDC_FT_DESTINATION, m_destinationBox);
    DDX_Control(pDX, IDC_FT_START, m_startButton);
    DDX_Control(pDX, IDC_FT_STOP, m_stopButton);
    DDX_Control(pDX, IDOK, m_closeButton);
    DDX_Control(pDX, IDC_FT_CHECK_ALL, m_checkAllButton);
    DDX_Control(pDX, IDC_FT_DELETE_PATH, m_deletePathButton);
    DDX_Control(pDX, IDC_FT_ADD, m_addButton);
    DDX_Control(pDX, IDC_FT_REMOVE, m_removeButton);
}

BOOL CFileTransferDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    ++s_openCount;
    ShowTeacherToolbar(false);
    SetWindowText(LoadText(IDS_TB_FILE_TRANSFER));
    m_destinationSkin.Attach(m_destinationBox.GetSafeHwnd(), IDB_FT_COMBO_ARROW, IDB_FT_COMBO_ARROW_PRESSED,
                             kComboBackground);
    CreateFonts();
    CreateRunTimeButtons();
    LoadSkin();
    PlaceControls();
    SetUpLists();
    FillTreeRoot();
    FillStudentList();
    FillDestinationCombo();
    m_destinationBox.SetWindowText(Names().desktop.c_str());
    if (HTREEITEM root = m_tree.GetRootItem()) {
        m_tree.SelectItem(root);
        m_tree.EnsureVisible(root);
    }
    if (!m_presetPath.IsEmpty())
        NavigateToPreset();
    WrapInSkinScrollBars();
    m_stopButton.EnableWindow(FALSE);
    return TRUE;
}

void CFileTransferDlg::CreateFonts()
{
    const CString face = LoadText(IDS_FONT_FACE);
    m_titleFont.CreateSimpleFont(ScaleToUi(13), FW_BOLD, face);
    m_normalFont.CreateSimpleFont(ScaleToUi(12), FW_NORMAL, face);
    m_boldFont.CreateSimpleFont(ScaleToUi(12), FW_BOLD, face);
    m_comboBrush.CreateSolidBrush(kComboBackground);
}

void CFileTransferDlg::CreateRunTimeButtons()
{
    m_captionCloseButton.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, ScaledRect(704, 0, 39, 34), this,
                                IDC_CAPTION_CLOSE);
    m_overwriteButton.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, ScaledRect(298, 608, 29, 29), this,
                             IDC_FT_OVERWRITE);
}

void CFileTransferDlg::LoadSkin()
{
    m_captionCloseButton.SetBitmaps(IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE);
    m_overwriteButton.SetBitmaps(IDB_FT_OVERWRITE_OFF, IDB_FT_OVERWRITE_OFF, IDB_FT_OVERWRITE_OFF, IDB_FT_OVERWRITE_ON);
    m_startButton.SetBitmaps(IDB_FT_START, IDB_FT_START_HOVER, IDB_FT_START_DISABLED, IDB_FT_START_HOVER);
    m_stopButton.SetBitmaps(IDB_FT_STOP, IDB_FT_STOP_HOVER, IDB_FT_STOP_DISABLED, IDB_FT_STOP_HOVER);
    m_closeButton.SetBitmaps(IDB_FT_CLOSE, IDB_FT_CLOSE_HOVER, IDB_FT_CLOSE, IDB_FT_CLOSE_HOVER);
    m_checkAllButton.SetBitmaps(IDB_FT_CHECK_ALL, IDB_FT_CHECK_ALL_HOVER, IDB_FT_CHECK_ALL, IDB_FT_CHECK_ALL_HOVER);
    m_deletePathButton.SetBitmaps(IDB_FT_DELETE_PATH, IDB_FT_DELETE_PATH_HOVER, IDB_FT_DELETE_PATH,
                                  IDB_FT_DELETE_PATH_HOVER);
    m_addButton.SetBitmaps(IDB_FT_ADD, IDB_FT_ADD_HOVER, IDB_FT_ADD, IDB_FT_ADD_HOVER);
    m_removeButton.SetBitmaps(IDB_FT_REMOVE, IDB_FT_REMOVE_HOVER, IDB_FT_REMOVE, IDB_FT_REMOVE_HOVER);
    m_filesHeader.LoadBitmap(IDB_FT_FILES_HEADER);
    m_studentsHeader.LoadBitmap(IDB_FT_STUDENTS_HEADER);
    m_destinationPanel.LoadBitmap(IDB_FT_DESTINATION_PANEL);
    m_statusPanel.LoadBitmap(IDB_FT_STATUS_PANEL);
    CBitmap checks;
    if (checks.LoadBitmap(IDB_FT_CHECK_IMAGES) && m_checkImages.Create(17, 17, ILC_COLOR24 | ILC_MASK, 2, 0))
        m_checkImages.Add(checks, RGB(250, 250, 250));
}

void CFileTransferDlg::PlaceControls()
{
    SetWindowPos(nullptr, 0, 0, ScaleToUi(kWidth), ScaleToUi(kHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool english = m_language == L"Eng";
    PlaceDialogItem(IDC_TITLE_TEXT, 6, 12, 250, 22, &m_titleFont);
    PlaceDialogItem(IDC_FT_SECTION_FOLDERS, 24, 72, 250, 13, &m_boldFont);
    PlaceDialogItem(IDC_FT_SECTION_FILES, 302, 72, 89, 13, &m_boldFont);
    PlaceDialogItem(IDC_FT_SECTION_STUDENTS, 518, 72, 105, 13, &m_boldFont);
    PlaceControl(&m_tree, 21, 89, 240, 226, &m_normalFont);
    PlaceControl(&m_addButton, 267, 123, 27, 69, nullptr);
    PlaceControl(&m_removeButton, 267, 220, 27, 69, nullptr);
    PlaceDialogItem(IDC_FT_FILES_LABEL_NAME, 340, 103, 49, 13, &m_normalFont);
    PlaceDialogItem(IDC_FT_FILES_LABEL_STATE, 450, 103, 49, 13, &m_normalFont);
    PlaceDialogItem(IDC_FT_STUDENTS_LABEL_NUMBER, 545, 103, 26, 13, &m_normalFont);
    PlaceDialogItem(IDC_FT_STUDENTS_LABEL_NAME, english ? 620 : 636, 103, 100, 13, &m_normalFont);
    PlaceControl(&m_checkAllButton, 521, 100, 17, 17, nullptr);
    PlaceControl(&m_fileList, 300, 125, 212, 191, &m_normalFont);
    PlaceControl(&m_studentList, 516, 125, 212, 191, &m_normalFont);
    PlaceDialogItem(IDC_FT_DESTINATION_TITLE, 31, 343, 93, 13, &m_boldFont);
    PlaceControl(&m_destinationBox, 134, 340, 518, 18, &m_boldFont);
    PlaceControl(&m_deletePathButton, 664, 336, 63, 27, nullptr);
    PlaceDialogItem(IDC_FT_HINT_FIRST, 137, 372, 667, 15, &m_normalFont);
    PlaceDialogItem(IDC_FT_HINT_SECOND, m_language == L"Kor" ? 160 : 137, 388, 550, 13, &m_normalFont);
    PlaceDialogItem(IDC_FT_STATUS_LABEL_FILE, 100, 432, 26, 13, &m_normalFont);
    PlaceDialogItem(IDC_FT_STATUS_LABEL_NUMBER, 210, 432, 49, 13, &m_normalFont);
    PlaceDialogItem(IDC_FT_STATUS_LABEL_PROGRESS, 315, 432, 39, 13, &m_normalFont);
    PlaceDialogItem(IDC_FT_STATUS_LABEL_RESULT, 555, 432, 80, 13, &m_normalFont);
    PlaceControl(&m_statusList, 23, 455, 706, 137, &m_normalFont);
    PlaceControl(&m_overwriteButton, 298, 608, 29, 29, nullptr);
    PlaceDialogItem(IDC_FT_OVERWRITE_LABEL, 328, 616, 130, 13, &m_boldFont);
    PlaceControl(&m_startButton, 473, 603, 90, 34, nullptr);
    PlaceControl(&m_stopButton, 569, 603, 90, 34, nullptr);
    PlaceControl(&m_closeButton, 664, 603, 67, 34, nullptr);
    PlaceControl(&m_captionCloseButton, 704, 0, 39, 34, nullptr);
}

void CFileTransferDlg::PlaceControl(CWnd* control, int x, int y, int width, int height, CFont* font)
{
    PlaceScaled(control, x, y, width, height, font);
}

void CFileTransferDlg::PlaceDialogItem(int id, int x, int y, int width, int height, CFont* font)
{
    PlaceControl(GetDlgItem(id), x, y, width, height, font);
}

void CFileTransferDlg::SetUpLists()
{
    for (CListCtrlEx* list : {&m_fileList, &m_studentList, &m_statusList}) {
        // The dialog owns the image lists: the lists must not destroy them.
        list->ModifyStyle(0, LVS_SHAREIMAGELISTS);
        list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        list->SetRowColors(list == &m_statusList ? kStatusBackground : kListBackground, kListText);
        list->SetRowHeight(list == &m_statusList ? 22 : 24);
    }
    m_tree.SendMessage(TVM_SETBKCOLOR, 0, kListBackground);
    m_tree.SendMessage(TVM_SETTEXTCOLOR, 0, kListText);

    SHFILEINFOW info = {};
    HIMAGELIST system = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(
        L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (system && m_systemImages.Attach(system))
        m_fileList.SetImageList(&m_systemImages, LVSIL_SMALL);
    m_studentList.SetImageList(&m_checkImages, LVSIL_SMALL);

    CRect client;
    m_fileList.GetClientRect(&client);
    m_fileList.InsertColumn(0, LoadText(IDS_FT_COL_SELECTED_FILE), LVCFMT_CENTER, client.Width() - ScaleToUi(80));
    m_fileList.InsertColumn(1, LoadText(IDS_FT_COL_TRANSFER_STATE), LVCFMT_CENTER, ScaleToUi(80));
    m_fileList.InsertColumn(2, LoadText(IDS_FT_COL_FULL_PATH), LVCFMT_CENTER, 0);
    m_studentList.GetClientRect(&client);
    m_studentList.InsertColumn(0, LoadText(IDS_COL_CHECK_NUMBER), LVCFMT_CENTER, ScaleToUi(71));
    m_studentList.InsertColumn(1, LoadText(IDS_COL_STUDENT_NAME), LVCFMT_CENTER, client.Width() - ScaleToUi(71));
    m_statusList.InsertColumn(0, LoadText(IDS_FT_COL_FILE), LVCFMT_CENTER, ScaleToUi(180));
    m_statusList.InsertColumn(1, LoadText(IDS_FT_COL_STUDENT_NUMBER), LVCFMT_CENTER, ScaleToUi(60));
    m_statusList.InsertColumn(2, LoadText(IDS_FT_COL_PROGRESS), LVCFMT_CENTER, ScaleToUi(135));
    m_statusList.InsertColumn(3, LoadText(IDS_FT_COL_RESULT), LVCFMT_CENTER, ScaleToUi(349));
    m_statusList.InsertColumn(4, LoadText(IDS_FT_COL_PATH), LVCFMT_CENTER, ScaleToUi(1));
}

void CFileTransferDlg::WrapInSkinScrollBars()
{
    CBitmap skin;
    if (!skin.LoadBitmap(IDB_SKIN_SCROLLBAR))
        return;
    for (CWnd* control : std::initializer_list<CWnd*>{&m_tree, &m_fileList, &m_studentList}) {
        if (CSkinScrollWnd* wrapper = CSkinScrollWnd::Wrap(control, skin))
            wrapper->PostMessage(WM_SKIN_SCROLL_UPDATE, 1, 0);
    }
}

// -- Running state ----------------------------------------------------------------------------------

void CFileTransferDlg::SetChoosingEnabled(bool enabled)
{
    m_tree.EnableWindow(enabled);
    m_fileList.EnableWindow(enabled);
    m_studentList.EnableWindow(enabled);
    m_startButton.EnableWindow(enabled);
    m_stopButton.EnableWindow(!enabled);
    m_startButton.Invalidate();
    m_stopButton.Invalidate();
}

void CFileTransferDlg::OnCloseCommand()
{
    if (m_running) {
        ShowMessageBox(LoadText(IDS_FT_STOP_BEFORE_CLOSE));
        return;
    }
    EndDialog(IDOK);
}

void CFileTransferDlg::OnDestroy()
{
    // Rows still listed delete their progress bars while the list is destroyed.
    m_statusList.DeleteAllItems();
    if (s_openCount > 0)
        --s_openCount;
    OnViewDialogDestroyed();
    CDialogEx::OnDestroy();
}

// -- Painting ---------------------------------------------------------------------------------------

HBRUSH CFileTransferDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    const int id = control ? control->GetDlgCtrlID() : 0;
    if (kind == CTLCOLOR_EDIT || kind == CTLCOLOR_LISTBOX) {
        dc->SetTextColor(kind == CTLCOLOR_EDIT ? kComboText : 0x00AEFF);
        dc->SetBkColor(kComboBackground);
        return m_comboBrush;
    }
    COLORREF colour = 0;
    if (id == IDC_TITLE_TEXT)
        colour = kTitleText;
    else if (IsOneOf(id, {IDC_FT_SECTION_FOLDERS, IDC_FT_SECTION_FILES, IDC_FT_SECTION_STUDENTS,
                          IDC_FT_DESTINATION_TITLE, IDC_FT_OVERWRITE_LABEL}))
        colour = kSectionText;
    else if (IsOneOf(id, {IDC_FT_HINT_FIRST, IDC_FT_HINT_SECOND}))
        colour = kHintText;
    else if (id >= IDC_FT_FILES_LABEL_NAME && id <= IDC_FT_STATUS_LABEL_RESULT)
        colour = kLabelText;
    else
        return CDialogEx::OnCtlColor(dc, control, kind);
    dc->SetTextColor(colour);
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CFileTransferDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemDC buffer(dc, client);
    PaintDialog(buffer.GetDC(), client);
}

void CFileTransferDlg::PaintDialog(CDC& dc, const CRect& client)
{
    PaintCaptionBand(dc, client, kBackground, kCaptionBand, kDialogCaptionBandHeight);
    if (m_filesHeader.GetSafeHandle())
        DrawSkinBitmap(dc, m_filesHeader, ScaledRect(300, 90, 212, 35));
    if (m_studentsHeader.GetSafeHandle())
        DrawSkinBitmap(dc, m_studentsHeader, ScaledRect(516, 90, 212, 35));
    if (m_destinationPanel.GetSafeHandle())
        DrawSkinBitmap(dc, m_destinationPanel, ScaledRect(132, 336, 524, 28));
    if (m_statusPanel.GetSafeHandle())
        DrawSkinBitmap(dc, m_statusPanel, ScaledRect(22, 414, 708, 180));
}
