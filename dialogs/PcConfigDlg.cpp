#include "dialogs/PcConfigDlg.h"

#include "dialogs/ViewDialogState.h"
#include "dialogs/core/StudentNameRules.h"
#include "framework/MemDC.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "ui/CaptionBand.h"
#include "ui/ShowMessageBox.h"
#include "ui/SkinDraw.h"
#include "ui/UiScale.h"
#include "ui/ScaledLayout.h"
#include "ui/DialogSkin.h"

namespace {

const COLORREF kLabelText = RGB(251, 250, 251);
const COLORREF kEditText = RGB(5, 225, 196);
const COLORREF kEditBackground = RGB(18, 15, 10);

// Design sizes (x g_uiScale).
const int kWidth = 477;
const int kHeight = 190;

UINT RefusalText(StudentNameVerdict verdict)
{
    switch (verdict) {
    case StudentNameVerdict::Empty: return IDS_NAME_EMPTY;
    case StudentNameVerdict::ForbiddenChar: return IDS_NAME_BAD_CHARS;
    case StudentNameVerdict::TooLong: return IDS_NAME_TOO_LONG;
    case StudentNameVerdict::Accepted: break;
    }
    return 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CPcConfigDlg, CSkinnedDialog)
    ON_BN_CLICKED(IDC_SLOTNAME_OK, OnOK)
    ON_BN_CLICKED(IDC_SLOTNAME_CANCEL, OnCancel)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCloseButton)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CPcConfigDlg::CPcConfigDlg(CWnd* parent) : CSkinnedDialog(IDD_SLOT_NAME, parent)
{
}

void CPcConfigDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SLOTNAME_OK, m_okButton);
    DDX_Control(pDX, IDC_SLOTNAME_CANCEL, m_cancelButton);
    DDX_Text(pDX, IDC_SLOTNAME_EDIT, m_name);
    DDV_MaxChars(pDX, m_name, kStudentNameEditMaxChars);
}

BOOL CPcConfigDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    ShowTeacherToolbar(false);
    CreateResources();
    m_closeButton.CreateCaptionClose(this, ScaledRect(437, 0, 39, 34));
    m_okButton.SetBitmaps(IDB_OK, IDB_OK_HOVER, IDB_OK, IDB_OK_HOVER);
    m_cancelButton.SetBitmaps(IDB_CANCEL, IDB_CANCEL_HOVER, IDB_CANCEL, IDB_CANCEL_HOVER);
    m_decoration.LoadBitmap(IDB_SLOTNAME_DECORATION);
    PlaceControls();
    UpdateData(FALSE);
    if (CWnd* edit = GetDlgItem(IDC_SLOTNAME_EDIT)) {
        edit->SendMessage(EM_SETSEL, 0, -1);
        edit->SetFocus();
    }
    return FALSE;   // the focus is on the name already
}

void CPcConfigDlg::CreateResources()
{
    m_text.LoadString(IDS_FONT_FACE);
    m_titleFont.CreateSimpleFont(ScaleToUi(13), FW_BOLD, m_text);
    m_labelFont.CreateSimpleFont(ScaleToUi(12), FW_BOLD, m_text);
    m_editFont.CreateSimpleFont(ScaleToUi(12), FW_NORMAL, m_text);
    m_editBrush.CreateSolidBrush(kEditBackground);
}

void CPcConfigDlg::PlaceControls()
{
    SetWindowPos(nullptr, 0, 0, ScaleToUi(kWidth), ScaleToUi(kHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControl(IDC_SLOTNAME_TITLE, 6, 12, 250, 22, &m_titleFont);
    PlaceControl(IDC_SLOTNAME_LABEL, 29, 83, 87, 20, &m_labelFont);
    PlaceControl(IDC_SLOTNAME_EDIT, 120, 83, 283, 20, &m_editFont);
    PlaceControl(IDC_SLOTNAME_OK, 319, 138, 67, 34, nullptr);
    PlaceControl(IDC_SLOTNAME_CANCEL, 388, 138, 67, 34, nullptr);
}

void CPcConfigDlg::PlaceControl(int id, int x, int y, int width, int height, CFont* font)
{
    PlaceScaled(GetDlgItem(id), x, y, width, height, font);
}

void CPcConfigDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const UINT refusal = RefusalText(CheckStudentName(ToU16(m_name)));
    if (refusal == 0) {
        EndDialog(IDOK);
        return;
    }
    m_text.LoadString(refusal);
    ShowMessageBox(m_text);
    if (CWnd* edit = GetDlgItem(IDC_SLOTNAME_EDIT))
        GotoDlgCtrl(edit);
}

void CPcConfigDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CPcConfigDlg::OnCloseButton()
{
    OnCancel();
}

void CPcConfigDlg::OnDestroy()
{
    OnViewDialogDestroyed();
    CDialogEx::OnDestroy();
}

HBRUSH CPcConfigDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    const int id = control ? control->GetDlgCtrlID() : 0;
    if (id == IDC_SLOTNAME_TITLE || id == IDC_SLOTNAME_LABEL) {
        dc->SetTextColor(id == IDC_SLOTNAME_TITLE ? kDialogTitleText : kLabelText);
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    if (id == IDC_SLOTNAME_EDIT) {
        dc->SetTextColor(kEditText);
        dc->SetBkColor(kEditBackground);
        return m_editBrush;
    }
    return CDialogEx::OnCtlColor(dc, control, kind);
}

void CPcConfigDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemDC buffer(dc, client);
    CDC& target = buffer.GetDC();
    PaintCaptionBand(target, client, kDialogBackground, kDialogCaptionBand, kDialogCaptionBandHeight);
    if (m_decoration.GetSafeHandle())
        DrawSkinBitmap(target, m_decoration, ScaledRect(20, 71, 437, 44));
}
