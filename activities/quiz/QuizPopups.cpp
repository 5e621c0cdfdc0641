#include "activities/quiz/QuizPopups.h"

#include "res/resource.h"
#include "sessions/QuizBoard.h"

CQuizMsgDlg g_quizMsgDlg;
CQuizWaitingDlg g_quizWaitingDlg;
CQuizResultDlg g_quizResultDlg;

namespace {

const wchar_t kQuizCaption[] = L"Lumora Quiz";

bool EnsureCreated(CDialog& popup, UINT templateId)
{
    return popup.GetSafeHwnd() || popup.Create(templateId, nullptr);
}

} // namespace

void ShowQuizMessage(const CString& text)
{
    g_quizBoard.TakeFirstPress();
    g_quizMsgDlg.SetTextAndCaption(text, kQuizCaption);
    if (!EnsureCreated(g_quizMsgDlg, IDD_QUIZ_MESSAGE))
        return;
    g_quizMsgDlg.CenterWindow(::GetDesktopWindow());
    g_quizMsgDlg.ShowWindow(SW_SHOW);
    g_quizMsgDlg.Invalidate();
    g_quizMsgDlg.UpdateWindow();
}

void HideQuizMessage()
{
    g_quizMsgDlg.Dismiss(2);
}

void ShowQuizWaiting(CQuizDlg* owner)
{
    if (EnsureCreated(g_quizWaitingDlg, IDD_QUIZ_WAITING))
        g_quizWaitingDlg.Start(owner, kQuizCaption);
}

void ShowQuizResult(QuestionKind kind, const QuizTally& tally, const CString& caption, CWnd* owner)
{
    if (!EnsureCreated(g_quizResultDlg, IDD_QUIZ_RESULT))
        return;
    if (owner)
        owner->EnableWindow(FALSE);
    g_quizResultDlg.SetResult(kind, tally, caption.IsEmpty() ? CString(kQuizCaption) : caption, owner);
    g_quizResultDlg.LayoutQuizResultDlg();
    g_quizResultDlg.ShowWindow(SW_SHOW);
}

void DestroyQuizPopups()
{
    for (CDialog* popup : {static_cast<CDialog*>(&g_quizMsgDlg), static_cast<CDialog*>(&g_quizWaitingDlg),
                           static_cast<CDialog*>(&g_quizResultDlg)})
        if (popup->GetSafeHwnd())
            popup->DestroyWindow();
}
