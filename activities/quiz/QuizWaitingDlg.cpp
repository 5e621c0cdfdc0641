#include "activities/quiz/QuizWaitingDlg.h"

#include "activities/quiz/QuizDlg.h"
#include "activities/quiz/core/QuizTally.h"
#include "foundation/AppMessages.h"
#include "res/resource.h"
#include "sessions/QuizBoard.h"
#include "ui/UiScale.h"

namespace {

const int kBarLeft = 27;
const int kBarTop = 120;
const int kBarWidth = 450;
const int kBarHeight = 20;

} // namespace

BEGIN_MESSAGE_MAP(CQuizWaitingDlg, CQuizPopupDlg)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CQuizWaitingDlg::CQuizWaitingDlg() : CQuizPopupDlg(IDD_QUIZ_WAITING)
{
}

BOOL CQuizWaitingDlg::OnInitDialog()
{
    CQuizPopupDlg::OnInitDialog();
    SetWindowPos(nullptr, 0, 0, ScaleToUi(504), ScaleToUi(170), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow(::GetDesktopWindow());
    return TRUE;
}

void CQuizWaitingDlg::Start(CQuizDlg* owner, const CString& caption)
{
    m_owner = owner;
    m_caption = caption;
    m_seconds = 0;
    m_answers = g_quizBoard.GetAnswerCount();
    m_expected = g_quizBoard.GetExpectedCount();
    SetDlgItemText(IDC_TITLE_TEXT, m_caption);
    SetDlgItemText(IDC_QUIZWAIT_SECONDS, L"0");
    ShowProgress();
    ShowWindow(SW_SHOW);
    SetTimer(kTimerId, kTimerPeriod);
}

void CQuizWaitingDlg::Stop()
{
    if (!GetSafeHwnd())
        return;
    KillTimer(kTimerId);
    ShowWindow(SW_HIDE);
}

void CQuizWaitingDlg::OnTimer(UINT_PTR id)
{
    if (id != kTimerId) {
        Default();
        return;
    }
    ++m_seconds;
    CString seconds;
    seconds.Format(L"%d", m_seconds);
    SetDlgItemText(IDC_QUIZWAIT_SECONDS, seconds);
    m_answers = g_quizBoard.GetAnswerCount();
    if (m_owner)
        m_owner->RecountExpectedAnswers();
    m_expected = g_quizBoard.GetExpectedCount();
    ShowProgress();
    // "Reaches or passes": a student who answered and then left still counts among the answers.
    if (m_answers >= m_expected) {
        KillTimer(kTimerId);
        if (m_owner && m_owner->GetSafeHwnd())
            m_owner->PostMessage(WM_QUIZ_WAIT_TIMEOUT);
    }
}

void CQuizWaitingDlg::ShowProgress()
{
    CString progress;
    progress.Format(L"%d / %d", m_answers, m_expected);
    SetDlgItemText(IDC_QUIZWAIT_PROGRESS, progress);
    Invalidate(FALSE);
}

void CQuizWaitingDlg::PaintContent(CDC& dc)
{
    const int full = ScaleToUi(kBarWidth);
    const int left = ScaleToUi(kBarLeft);
    const int top = ScaleToUi(kBarTop);
    const int height = ScaleToUi(kBarHeight);
    dc.FillSolidRect(left, top, full, height, kCaptionBand);
    dc.FillSolidRect(left, top, QuizProgressLength(full, m_answers, m_expected), height, kBar);
}
