#include "activities/quiz/QuizDlg.h"

#include "activities/quiz/QuizPopups.h"
#include "foundation/AppMessages.h"
#include "foundation/MessagePump.h"
#include "sessions/QuizBoard.h"
#include "sessions/PCInfo.h"
#include "sessions/StudentPosting.h"
#include "res/resource.h"
#include "ui/AnimationDlg.h"
#include "ui/UiScale.h"
#include "ui/WaitMsgDlg.h"

namespace {

const int kPanelWidth = 173;
const int kPanelHeight = 230;
const int kButtonWidth = 141;
const int kButtonHeight = 26;
const int kSmallButtonWidth = 41;
const int kSmallButtonHeight = 30;
const int kButtonFontSize = 12;
const int kHiddenRowY = 180;
const int kToggles[] = {IDC_QUIZ_SPEED, IDC_QUIZ_OX, IDC_QUIZ_CHOICE, IDC_QUIZ_CONTROL_RIGHT, IDC_QUIZ_START};

struct PanelButton {
    int id;
    UINT textId;
    bool small;     // one of the row under the column, shown by the mode
};
const PanelButton kPanelButtons[] = {
    {IDC_QUIZ_RANDOM_PICK, IDS_QUIZ_RANDOM_PICK, false}, {IDC_QUIZ_SPEED, IDS_QUIZ_SPEED, false},
    {IDC_QUIZ_OX, IDS_QUIZ_OX, false},                   {IDC_QUIZ_CHOICE, IDS_QUIZ_CHOICE, false},
    {IDC_QUIZ_CONTROL_RIGHT, IDS_QUIZ_CONTROL_RIGHT, false}, {IDC_QUIZ_RESET, IDS_QUIZ_RESET, true},
    {IDC_QUIZ_START, IDS_QUIZ_START, true},              {IDC_QUIZ_CHOICE_COUNT, IDS_QUIZ_CHOICE_COUNT, true},
};

} // namespace

BEGIN_MESSAGE_MAP(CQuizDlg, CQuizPopupDlg)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCloseCommand)
    ON_BN_CLICKED(IDC_QUIZ_RANDOM_PICK, OnRandomPick)
    ON_BN_CLICKED(IDC_QUIZ_SPEED, OnSpeedQuiz)
    ON_BN_CLICKED(IDC_QUIZ_RESET, OnSpeedReset)
    ON_BN_CLICKED(IDC_QUIZ_OX, OnOxMode)
    ON_BN_CLICKED(IDC_QUIZ_CHOICE, OnChoiceMode)
    ON_BN_CLICKED(IDC_QUIZ_CHOICE_COUNT, OnChoiceCount)
    ON_BN_CLICKED(IDC_QUIZ_START, OnQuestionStartStop)
    ON_BN_CLICKED(IDC_QUIZ_CONTROL_RIGHT, OnControlRight)
    ON_MESSAGE(WM_QUIZ_WAIT_TIMEOUT, OnWaitTimeout)
    ON_MESSAGE(WM_SET_FULLSCREEN, OnSetFullScreen)
    ON_MESSAGE(WM_QUIZ_RESULTS, OnResultsClosed)
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
END_MESSAGE_MAP()

CQuizDlg::CQuizDlg(IQuizHost& host) : CQuizPopupDlg(IDD_QUIZ), m_host(host)
{
}

BOOL CQuizDlg::CreatePanel(CWnd* parent)
{
    if (GetSafeHwnd())
        return TRUE;
    if (!Create(IDD_QUIZ, parent))
        return FALSE;
    // Top-most like the teacher toolbar: the main window, active after a pick, never covers it.
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CQuizDlg::OnInitDialog()
{
    CQuizPopupDlg::OnInitDialog();
    SkinButtons();
    const int ids[] = {IDC_QUIZ_RANDOM_PICK, IDC_QUIZ_SPEED, IDC_QUIZ_OX, IDC_QUIZ_CHOICE, IDC_QUIZ_CONTROL_RIGHT};
    for (int row = 0; row < 5; ++row)
        if (CWnd* button = GetDlgItem(ids[row]))
            button->SetWindowPos(nullptr, ScaleToUi(16), ScaleToUi(44 + row * 27), ScaleToUi(kButtonWidth),
                                 ScaleToUi(kButtonHeight) - 2, SWP_NOZORDER | SWP_NOACTIVATE);
    const int small = ScaleToUi(22);
    if (CWnd* close = GetDlgItem(IDC_CAPTION_CLOSE))
        close->SetWindowPos(nullptr, ScaleToUi(kPanelWidth) - small - ScaleToUi(8), ScaleToUi(8), small, small,
                            SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceWindow();
    SetMode(kModeNone);
    return TRUE;
}

void CQuizDlg::SkinButtons()
{
    m_buttonFont.CreateSimpleFont(ScaleToUi(kButtonFontSize), FW_BOLD, LoadText(IDS_FONT_FACE));
    static_assert(sizeof(kPanelButtons) / sizeof(kPanelButtons[0]) == sizeof(m_buttons) / sizeof(m_buttons[0]),
                  "one skinned button for each of the panel's buttons");
    for (size_t i = 0; i < sizeof(m_buttons) / sizeof(m_buttons[0]); ++i) {
        const PanelButton& button = kPanelButtons[i];
        if (!m_buttons[i].SubclassDlgItem(static_cast<UINT>(button.id), this))
            continue;
        if (button.small)
            m_buttons[i].SetBitmaps(IDB_QUIZ_SMALL_BUTTON, IDB_QUIZ_SMALL_BUTTON_HOVER, IDB_QUIZ_SMALL_BUTTON_DISABLED,
                                    IDB_QUIZ_SMALL_BUTTON_PRESSED);
        else
            m_buttons[i].SetBitmaps(IDB_QUIZ_WIDE_BUTTON, IDB_QUIZ_WIDE_BUTTON_HOVER, IDB_QUIZ_WIDE_BUTTON_DISABLED,
                                    IDB_QUIZ_WIDE_BUTTON_PRESSED);
        m_buttons[i].SetCaption(LoadText(button.textId), m_buttonFont, kText);
    }
}

void CQuizDlg::LabelStartButton(UINT textId)
{
    for (size_t i = 0; i < sizeof(m_buttons) / sizeof(m_buttons[0]); ++i)
        if (kPanelButtons[i].id == IDC_QUIZ_START && m_buttons[i].GetSafeHwnd())
            m_buttons[i].SetCaption(LoadText(textId), m_buttonFont, kText);
}

void CQuizDlg::OpenPanel()
{
    if (!GetSafeHwnd())
        return;
    PlaceWindow();
    ShowWindow(SW_SHOW);
    SetForegroundWindow();
}

bool CQuizDlg::IsPanelVisible() const
{
    return GetSafeHwnd() && IsWindowVisible();
}

void CQuizDlg::PlaceWindow()
{
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const int width = ScaleToUi(kPanelWidth);
    SetWindowPos(nullptr, screenWidth - width, ScaleToUi(112) + screenHeight / 2 - screenHeight / 4, width,
                 ScaleToUi(kPanelHeight), SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CQuizDlg::OnDisplayChange(WPARAM, LPARAM)
{
    PlaceWindow();
    return 0;
}

BOOL CQuizDlg::PreTranslateMessage(MSG* msg)
{
    // Alt+F4 would close the panel behind the teacher's back while a quiz runs.
    if (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_F4 && (::GetKeyState(VK_MENU) & 0x8000))
        return TRUE;
    return CQuizPopupDlg::PreTranslateMessage(msg);
}

// --- Helpers --------------------------------------------------------------------------------

bool CQuizDlg::IsChecked(int id) const
{
    return IsDlgButtonChecked(id) == BST_CHECKED;
}

void CQuizDlg::ShowControlRightFree()
{
    if (GetSafeHwnd())
        SetChecked(IDC_QUIZ_CONTROL_RIGHT, false);
}

void CQuizDlg::SetChecked(int id, bool checked)
{
    CheckDlgButton(id, checked ? BST_CHECKED : BST_UNCHECKED);
    if (id == IDC_QUIZ_SPEED)
        g_quizBoard.SetSpeedQuizOn(checked);   // the students' buzzers count only while it is on
}

// The choice count is a setting of the question, not a quiz of its own.
bool CQuizDlg::IsAnotherQuizActive(int exceptId) const
{
    for (int id : kToggles)
        if (id != exceptId && IsChecked(id))
            return true;
    return false;
}

// Refuses before anything is reset or sent: a refused press leaves the running quiz alone.
bool CQuizDlg::RefuseOrReset(int id)
{
    if (IsAnotherQuizActive(id)) {
        Notice(IDS_QUIZ_OTHER_ACTIVE, 1500);
        return true;
    }
    ResetQuiz();
    SendToAll(QuizEndCommand());
    return false;
}

void CQuizDlg::ResetQuiz()
{
    HideQuizMessage();
}

void CQuizDlg::Notice(UINT textId, DWORD milliseconds)
{
    CWaitMsgDlg notice;
    if (!notice.Create(nullptr))
        return;
    notice.SetMessageText(LoadText(textId));
    notice.CenterWindow(::GetDesktopWindow());
    notice.ShowWindow(SW_SHOW);
    PumpMessagesWait(milliseconds, 1);
    if (notice.GetSafeHwnd())
        notice.DestroyWindow();
}

std::vector<CPCInfo*> CQuizDlg::ConnectedSlots() const
{
    std::vector<CPCInfo*> connected;
    for (CPCInfo* slot : m_host.GetQuizSlots())
        if (slot && slot->IsOnline() && slot->m_pcThreadId.load() != 0)
            connected.push_back(slot);
    return connected;
}

void CQuizDlg::SendToAll(const std::u16string& text) const
{
    const CString command = FromU16(text);
    for (CPCInfo* slot : ConnectedSlots())
        PostStudentCommand(slot->m_pcThreadId.load(), command);
}

void CQuizDlg::PlaceButton(int id, int x, int y)
{
    if (CWnd* button = GetDlgItem(id)) {
        button->SetWindowPos(nullptr, ScaleToUi(x), ScaleToUi(y), ScaleToUi(kSmallButtonWidth),
                             ScaleToUi(kSmallButtonHeight), SWP_NOZORDER | SWP_NOACTIVATE);
        button->ShowWindow(SW_SHOW);
    }
}

void CQuizDlg::SetMode(Mode mode)
{
    m_mode = mode;
    for (int id : {IDC_QUIZ_RESET, IDC_QUIZ_START, IDC_QUIZ_CHOICE_COUNT})
        if (CWnd* button = GetDlgItem(id))
            button->ShowWindow(SW_HIDE);
    if (mode == kModeSpeed) {
        PlaceButton(IDC_QUIZ_RESET, 66, kHiddenRowY);
    } else if (mode == kModeOx) {
        PlaceButton(IDC_QUIZ_START, 66, kHiddenRowY);
    } else if (mode == kModeSelect) {
        PlaceButton(IDC_QUIZ_CHOICE_COUNT, 36, kHiddenRowY);
        PlaceButton(IDC_QUIZ_START, 96, kHiddenRowY);
    }
}

// --- Commands -------------------------------------------------------------------------------

void CQuizDlg::RandomPick()
{
    if (!GetSafeHwnd() || RefuseOrReset(0))
        return;
    const std::vector<CPCInfo*> connected = ConnectedSlots();
    if (connected.empty()) {
        Notice(IDS_QUIZ_NO_STUDENTS, 1000);
        return;
    }
    EnableWindow(FALSE);
    // Owned by the panel: it stays above the panel, and the panel is active again after it.
    CAnimationDlg animation(this);
    animation.DoModal();
    // The class may have changed while the animation ran.
    const std::vector<CPCInfo*> still = ConnectedSlots();
    if (!GetSafeHwnd())
        return;
    if (!still.empty()) {
        CPCInfo* picked = still[::GetTickCount() % still.size()];
        PostStudentCommand(picked->m_pcThreadId.load(), FromU16(PickedStudentCommand()));
        m_host.FocusPickedSlot(picked->m_slotNumber.load() - 1);
        CString text;
        text.Format(LoadText(IDS_QUIZ_PICKED), picked->m_slotNumber.load(), picked->GetDisplayName().GetString());
        ShowQuizMessage(text);
    }
    EnableWindow(TRUE);
}

void CQuizDlg::OnSpeedQuiz()
{
    if (RefuseOrReset(IDC_QUIZ_SPEED))
        return;
    if (IsChecked(IDC_QUIZ_SPEED)) {
        SendToAll(SpeedQuizStopCommand());
        SetChecked(IDC_QUIZ_SPEED, false);
        SetMode(kModeNone);
    } else {
        SendToAll(SpeedQuizStartCommand());
        SetChecked(IDC_QUIZ_SPEED, true);
        SetMode(kModeSpeed);
    }
}

void CQuizDlg::OnSpeedReset()
{
    ResetQuiz();
    SendToAll(SpeedQuizResetCommand());
}

void CQuizDlg::OnControlRight()
{
    if (m_host.IsScreenShareOn()) {
        Notice(IDS_SHARING_REFUSED, 2500);
        return;
    }
    if (m_host.IsTouchControlOn()) {
        Notice(IDS_TOUCH_CONTROL_REFUSED, 2500);
        return;
    }
    if (RefuseOrReset(IDC_QUIZ_CONTROL_RIGHT))
        return;
    SetChecked(IDC_QUIZ_CONTROL_RIGHT, m_host.ToggleControlRight() == 1);
}

void CQuizDlg::OnCloseCommand()
{
    if (IsAnotherQuizActive(0)) {
        Notice(IDS_QUIZ_CLOSE_REFUSED, 1500);
        return;
    }
    ShowWindow(SW_HIDE);
    ResetQuiz();
    SendToAll(QuizEndCommand());
}

void CQuizDlg::OnDestroy()
{
    DestroyQuizPopups();
    Default();
}

LRESULT CQuizDlg::OnSetFullScreen(WPARAM, LPARAM state)
{
    m_host.SetQuizFullScreen(state);
    return 0;
}
