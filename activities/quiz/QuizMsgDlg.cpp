#include "activities/quiz/QuizMsgDlg.h"

#include "res/resource.h"
#include "sessions/QuizBoard.h"

BEGIN_MESSAGE_MAP(CQuizMsgDlg, CQuizPopupDlg)
    ON_BN_CLICKED(IDC_QUIZMSG_YES, OnYes)
    ON_BN_CLICKED(IDC_QUIZMSG_NO, OnNo)
    ON_BN_CLICKED(IDC_QUIZMSG_OK_ALT, OnOkAlt)
    ON_BN_CLICKED(IDC_QUIZMSG_CANCEL_ALT, OnCancelAlt)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCancelAlt)
END_MESSAGE_MAP()

CQuizMsgDlg::CQuizMsgDlg() : CQuizPopupDlg(IDD_QUIZ_MESSAGE)
{
}

BOOL CQuizMsgDlg::OnInitDialog()
{
    CQuizPopupDlg::OnInitDialog();
    SetDlgItemText(IDC_QUIZMSG_TEXT, m_text);
    SetDlgItemText(IDC_TITLE_TEXT, m_caption);
    return TRUE;
}

void CQuizMsgDlg::SetTextAndCaption(const CString& text, const CString& caption)
{
    m_text = text;
    m_caption = caption;
    if (GetSafeHwnd()) {
        SetDlgItemText(IDC_QUIZMSG_TEXT, m_text);
        SetDlgItemText(IDC_TITLE_TEXT, m_caption);
    }
}

void CQuizMsgDlg::Dismiss(int result)
{
    m_result = result;
    g_quizBoard.ResetFirstPress();
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
}
