#include "sessions/ControlWinowDlg.h"

#include "foundation/AppMessages.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "sessions/SlotChat.h"
#include "ui/ShowMessageBox.h"

std::atomic<HWND> g_singleControlBar{nullptr};

namespace {

constexpr int kPadClientKind = 2;

} // namespace

BEGIN_MESSAGE_MAP(CControlWinowDlg, CRemoteControlBar)
    ON_BN_CLICKED(IDC_BAR_SOUND, OnSound)
    ON_BN_CLICKED(IDC_BAR_CHAT, OnChat)
    ON_BN_CLICKED(IDC_BAR_HOME, OnPadHome)
    ON_BN_CLICKED(IDC_BAR_BACK, OnPadBack)
    ON_MESSAGE(WM_SYNC_SHARE_BUTTON, OnSyncShareButton)
END_MESSAGE_MAP()

CControlWinowDlg::CControlWinowDlg(CWnd& owner, CPCInfo& slot, const RemoteSessionLinks& links)
    : CRemoteControlBar(owner, links), m_slot(slot)
{
}

void CControlWinowDlg::MakeButtons()
{
    const bool pad = m_slot.m_clientKind.load() == kPadClientKind;
    const ButtonLayout kOwn[] = {
        {IDC_BAR_SOUND, IDB_BAR_SOUND, IDB_BAR_SOUND_HOVER, IDB_BAR_SOUND_PRESSED, IDB_BAR_SOUND_DISABLED,
         IDS_BAR_SOUND_START, 13, 11, 37},
        {IDC_BAR_CHAT, IDB_BAR_CHAT, IDB_BAR_CHAT_HOVER, IDB_BAR_CHAT_PRESSED, IDB_BAR_CHAT, IDS_CHAT_ONE_TO_ONE, 54, 11,
         37},
        {IDC_BAR_HOME, IDB_BAR_HOME, IDB_BAR_HOME_HOVER, IDB_BAR_HOME, IDB_BAR_HOME, IDS_BAR_PAD_HOME, 13, 11, 37},
        {IDC_BAR_BACK, IDB_BAR_BACK, IDB_BAR_BACK_HOVER, IDB_BAR_BACK, IDB_BAR_BACK, IDS_BAR_PAD_BACK, 54, 11, 37},
    };
    MakeButton(kOwn[0], false);
    MakeButton(kOwn[1], false);
    MakeButton(kOwn[2], pad);
    MakeButton(kOwn[3], pad);
    CRemoteControlBar::MakeButtons();
}

LRESULT CControlWinowDlg::OnSyncShareButton(WPARAM, LPARAM)
{
    ShowShareState();
    return 0;
}

void CControlWinowDlg::SetSoundState(bool on)
{
    CImageButton* sound = Button(IDC_BAR_SOUND);
    if (!sound)
        return;
    sound->SetTooltipText(LoadText(on ? IDS_BAR_SOUND_STOP : IDS_BAR_SOUND_START));
    on ? sound->SetChecked() : sound->ClearChecked();
}

// The student's sound on or off; a device or buffer the teacher PC cannot make is told.
void CControlWinowDlg::OnSound()
{
    CImageButton* sound = Button(IDC_BAR_SOUND);
    if (sound)
        sound->EnableWindow(FALSE);
    const LRESULT result = m_session ? ::SendMessageW(m_session, WM_TOGGLE_SOUND, 0, 0) : 0;
    if (result == -1 || result == -2) {
        CString text;
        text.Format(LoadText(IDS_BAR_SOUND_FAILED), result == -1 ? 0 : 2);
        ShowMessageBox(text);
    }
    if (!::IsWindow(m_hWnd))
        return;
    if (sound)
        sound->EnableWindow(TRUE);
    m_owner.SetFocus();
}

void CControlWinowDlg::OnChat()
{
    if (m_slot.m_chatWindow.IsOnThisThread())
        m_slot.m_chatWindow.BringToFront();
    else
        OpenChatWindow(m_slot, m_owner.GetSafeHwnd());
}

void CControlWinowDlg::OnPadHome()
{
    SendPadKey(WM_PAD_HOME);
}

void CControlWinowDlg::OnPadBack()
{
    SendPadKey(WM_PAD_BACK);
}

void CControlWinowDlg::SendPadKey(UINT message)
{
    if (m_session)
        ::SendMessageW(m_session, message, 0, 0);
    m_owner.SetFocus();
}
