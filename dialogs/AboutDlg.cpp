#include "dialogs/AboutDlg.h"

#include "dialogs/core/LoginFieldRules.h"
#include "dialogs/core/SettingsRules.h"
#include "foundation/AppGlobals.h"
#include "foundation/ConfigProfile.h"
#include "foundation/FileUtil.h"
#include "foundation/IniSettings.h"
#include "res/resource.h"
#include "ui/ShowMessageBox.h"
#include "ui/SkinScrollWnd.h"
#include "ui/UiScale.h"

namespace {

const int kToggleIds[4] = {IDC_ABOUT_PREVENT_END, IDC_ABOUT_PREVENT_WEB, IDC_ABOUT_PREVENT_USB,
                           IDC_ABOUT_PREVENT_OTHER};
const wchar_t* const kToggleKeys[4] = {L"preventend", L"preventwebbrowser", L"preventusb", L"preventetcprogram"};

std::u16string TextOf(HWND window)
{
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    ::GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return std::u16string(text.begin(), text.end());
}

} // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CSkinnedViewDialog)
    ON_BN_CLICKED(IDC_ABOUT_ADD, OnAdd)
    ON_BN_CLICKED(IDC_ABOUT_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_ABOUT_APPLY, OnApply)
    // The toggles' ids lie between others of the dialog: OnToggle acts only on the four.
    ON_CONTROL_RANGE(BN_CLICKED, IDC_ABOUT_PREVENT_END, IDC_ABOUT_PREVENT_USB, OnToggle)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(Senders& senders, const CString& configPath, CWnd* parent)
    : CSkinnedViewDialog(IDD_ABOUT, parent, 549, 541, RGB(43, 50, 65)), m_senders(senders), m_configPath(configPath)
{
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    for (int i = 0; i < 4; ++i)
        DDX_Control(pDX, kToggleIds[i], m_toggles[i]);
    DDX_Control(pDX, IDC_ABOUT_ADD, m_addButton);
    DDX_Control(pDX, IDC_ABOUT_DELETE, m_deleteButton);
    DDX_Control(pDX, IDC_ABOUT_APPLY, m_applyButton);
}

BOOL CAboutDlg::OnInitDialog()
{
    CSkinnedViewDialog::OnInitDialog();
    m_addButton.SetBitmaps(IDB_ABOUT_ADD, IDB_ABOUT_ADD_HOVER, IDB_ABOUT_ADD, IDB_ABOUT_ADD_HOVER);
    m_deleteButton.SetBitmaps(IDB_ABOUT_DELETE, IDB_ABOUT_DELETE_HOVER, IDB_ABOUT_DELETE, IDB_ABOUT_DELETE_HOVER);
    m_applyButton.SetBitmaps(IDB_ABOUT_APPLY, IDB_ABOUT_APPLY_HOVER, IDB_ABOUT_APPLY, IDB_ABOUT_APPLY_HOVER);
    for (int i = 0; i < 4; ++i) {
        m_toggles[i].SetBitmaps(IDB_ABOUT_TOGGLE_OFF, IDB_ABOUT_TOGGLE_OFF, IDB_ABOUT_TOGGLE_OFF, IDB_ABOUT_TOGGLE_ON);
        // Checked exactly for a stored "true".
        if (GetConfigString(L"config", kToggleKeys[i], L"false") == L"true")
            m_toggles[i].SetChecked();
    }
    SetEditColours(RGB(5, 226, 196), RGB(22, 20, 15));
    m_productFont.CreateSimpleFont(ScaleToUi(g_language == L"Chinese" ? 14 : 20), FW_BOLD, LoadText(IDS_FONT_FACE));
    m_list = ::GetDlgItem(m_hWnd, IDC_ABOUT_PROGRAM_LIST);
    for (const std::u16string& name : ReadProgramList(ToU16(GetEtcProgramList(m_configPath))))
        AddToList(name);
    if (CWnd* version = GetDlgItem(IDC_ABOUT_VERSION)) {
        CString text;
        version->GetWindowText(text);
        version->SetWindowText(text + L" " + GetExeFileVersion());
    }
    PlaceAllControls();
    CBitmap scrollSkin;
    if (m_list && scrollSkin.LoadBitmap(IDB_SKIN_SCROLLBAR))
        CSkinScrollWnd::Wrap(CWnd::FromHandle(m_list), scrollSkin);
    return TRUE;
}

void CAboutDlg::PlaceAllControls()
{
    CFont* labels = &m_boldFont;
    PlaceControl(IDC_TITLE_TEXT, 6, 12, 121, 22, &m_titleFont);
    PlaceControl(IDC_ABOUT_INFO_HEADER, 34, 63, 250, 13, &m_titleFont);
    PlaceControl(IDC_ABOUT_PRODUCT, 240, 119, 306, 18, &m_productFont);
    PlaceControl(IDC_ABOUT_SLOGAN, 240, 143, 306, 13, &m_normalFont);
    PlaceControl(IDC_ABOUT_VERSION, 240, 159, 306, 13, &m_normalFont);
    PlaceControl(IDC_ABOUT_RESTRICT_HEADER, 34, 225, 250, 13, &m_titleFont);
    PlaceControl(IDC_ABOUT_PREVENT_END, 32, 262, 29, 29, nullptr);
    PlaceControl(IDC_ABOUT_PREVENT_WEB, 32, 294, 29, 29, nullptr);
    PlaceControl(IDC_ABOUT_PREVENT_USB, 32, 326, 29, 29, nullptr);
    PlaceControl(IDC_ABOUT_PREVENT_OTHER, 257, 262, 29, 29, nullptr);
    PlaceControl(IDC_ABOUT_PREVENT_END_LABEL, 63, 269, 154, 13, labels);
    PlaceControl(IDC_ABOUT_PREVENT_WEB_LABEL, 63, 301, 123, 13, labels);
    PlaceControl(IDC_ABOUT_PREVENT_USB_LABEL, 63, 333, 205, 13, labels);
    PlaceControl(IDC_ABOUT_PREVENT_OTHER_LABEL, 288, 269, 133, 13, labels);
    PlaceControl(IDC_ABOUT_PROGRAM_EDIT, 261, 312, 194, 18, &m_normalFont);
    PlaceControl(IDC_ABOUT_PROGRAM_LIST, 258, 337, 200, 111, &m_normalFont);
    PlaceControl(IDC_ABOUT_ADD, 461, 304, 63, 27, nullptr);
    PlaceControl(IDC_ABOUT_DELETE, 461, 337, 63, 27, nullptr);
    PlaceControl(IDC_ABOUT_APPLY, 230, 491, 90, 34, nullptr);
    PlaceControl(IDC_CAPTION_CLOSE, 508, 0, 39, 34, nullptr);
    SetTextColour(IDC_ABOUT_SLOGAN, RGB(163, 163, 163));
    SetTextColour(IDC_ABOUT_VERSION, RGB(163, 163, 163));
    SetTextColour(IDC_ABOUT_INFO_HEADER, RGB(255, 255, 255));
    SetTextColour(IDC_ABOUT_RESTRICT_HEADER, RGB(255, 255, 255));
    SetTextColour(IDC_ABOUT_PRODUCT, RGB(0, 120, 255));
    for (int id : {IDC_ABOUT_PREVENT_END_LABEL, IDC_ABOUT_PREVENT_WEB_LABEL, IDC_ABOUT_PREVENT_USB_LABEL,
                   IDC_ABOUT_PREVENT_OTHER_LABEL})
        SetTextColour(id, RGB(251, 251, 251));
}

// Enter adds the typed name while the name has the focus, and applies otherwise.
BOOL CAboutDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        if (::GetFocus() == ::GetDlgItem(m_hWnd, IDC_ABOUT_PROGRAM_EDIT))
            OnAdd();
        else
            OnApply();
        return TRUE;
    }
    return CSkinnedViewDialog::PreTranslateMessage(msg);
}

void CAboutDlg::OnOK()
{
    OnApply();   // there is no OK button: Enter applies
}

void CAboutDlg::OnToggle(UINT id)
{
    for (CImageButton& toggle : m_toggles) {
        if (static_cast<UINT>(toggle.GetDlgCtrlID()) != id)
            continue;
        if (toggle.IsChecked())
            toggle.ClearChecked();
        else
            toggle.SetChecked();
    }
}

std::vector<std::u16string> CAboutDlg::ListedNames() const
{
    std::vector<std::u16string> names;
    const int count = m_list ? static_cast<int>(::SendMessageW(m_list, LB_GETCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        const int length = static_cast<int>(::SendMessageW(m_list, LB_GETTEXTLEN, i, 0));
        if (length < 0)
            continue;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        ::SendMessageW(m_list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        names.emplace_back(text.begin(), text.end());
    }
    return names;
}

void CAboutDlg::AddToList(const std::u16string& name)
{
    if (m_list)
        ::SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromU16(name).GetString()));
}

void CAboutDlg::OnAdd()
{
    HWND edit = ::GetDlgItem(m_hWnd, IDC_ABOUT_PROGRAM_EDIT);
    const std::u16string name = TrimWhiteSpace(TextOf(edit));
    switch (CheckProgramName(name, ListedNames())) {
    case ProgramNameVerdict::TooLong: Refuse(IDS_ABOUT_PROGRAM_NAME_TOO_LONG, IDC_ABOUT_PROGRAM_EDIT); return;
    case ProgramNameVerdict::Empty: Refuse(IDS_ABOUT_PROGRAM_NAME_EMPTY, IDC_ABOUT_PROGRAM_EDIT); return;
    case ProgramNameVerdict::Duplicate: Refuse(IDS_ABOUT_PROGRAM_NAME_DUPLICATE, IDC_ABOUT_PROGRAM_EDIT); return;
    case ProgramNameVerdict::BadCharacters: Refuse(IDS_ABOUT_PROGRAM_NAME_BAD_CHARS, IDC_ABOUT_PROGRAM_EDIT); return;
    case ProgramNameVerdict::Accepted: break;
    }
    AddToList(name);
    ::SetWindowTextW(edit, L"");
}

void CAboutDlg::OnDelete()
{
    const LRESULT selected = m_list ? ::SendMessageW(m_list, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (selected == LB_ERR) {
        Refuse(IDS_ABOUT_SELECT_PROGRAM_TO_DELETE, IDC_ABOUT_PROGRAM_LIST);
        return;
    }
    ::SendMessageW(m_list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
}

// Every value is stored and sent, changed or not.
void CAboutDlg::OnApply()
{
    void (Senders::*const senders[4])(int) = {&Senders::SendPreventEnd, &Senders::SendPreventWebBrowser,
                                               &Senders::SendPreventUsb, &Senders::SendPreventOtherPrograms};
    for (int i = 0; i < 4; ++i) {
        const bool on = m_toggles[i].IsChecked();
        SetConfigString(L"config", kToggleKeys[i], on ? L"true" : L"false");
        (m_senders.*senders[i])(on ? 1 : 0);
    }
    const CString joined = FromU16(JoinProgramList(ListedNames()));
    SetEtcProgramList(m_configPath, joined);
    m_senders.SendProhibitedProgramList(joined);
    if (static_cast<size_t>(joined.GetLength()) > kMaxJoinedProgramListLength)
        ShowMessageBox(LoadText(IDS_ABOUT_PROGRAM_LIST_TOO_LONG));
    ShowMessageBox(LoadText(IDS_ABOUT_APPLIED));
}
