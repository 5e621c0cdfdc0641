// The O/X and multiple-choice questions of the quiz panel: the mode, the start and stop of a
// question, the wait for the answers and the chart.
#include "activities/quiz/QuizDlg.h"

#include "activities/quiz/QuizPopups.h"
#include "framework/CriticalSection.h"
#include "sessions/PCInfo.h"
#include "sessions/QuizBoard.h"

void CQuizDlg::ToggleQuestionMode(int id, Mode mode)
{
    if (RefuseOrReset(id))
        return;
    if (!IsChecked(id)) {
        SetChecked(id, true);
        SetMode(mode);
        return;
    }
    SendToAll(QuestionEndCommand());
    if (mode == kModeOx)
        LabelStartButton(IDS_QUIZ_START);
    SetChecked(IDC_QUIZ_START, false);
    g_quizWaitingDlg.Stop();
    SetChecked(id, false);
    SetMode(kModeNone);
    m_asked.clear();
    g_quizBoard.ResetAnswers();
    g_quizBoard.SetExpectedCount(0);
    m_host.ShowQuizAnswers(false);
}

void CQuizDlg::OnChoiceCount()
{
    if (IsChecked(IDC_QUIZ_START))
        return;
    SetChecked(IDC_QUIZ_CHOICE_COUNT, !IsChecked(IDC_QUIZ_CHOICE_COUNT));
}

QuestionKind CQuizDlg::CurrentKind() const
{
    if (m_mode == kModeOx)
        return QuestionKind::Ox;
    return IsChecked(IDC_QUIZ_CHOICE_COUNT) ? QuestionKind::Select5 : QuestionKind::Select4;
}

void CQuizDlg::OnQuestionStartStop()
{
    if (IsChecked(IDC_QUIZ_START)) {
        EndWaiting();
        ShowResults();
        return;
    }
    StartQuestion();
}

void CQuizDlg::StartQuestion()
{
    const std::vector<CPCInfo*> connected = ConnectedSlots();
    {
        // Cleared together under the lock the students' threads count under, so an answer to
        // the last question cannot land in this one's count.
        CCriticalSectionLock lock(g_quizLock);
        for (CPCInfo* slot : connected)
            slot->ClearQuizAnswer();
        g_quizBoard.ResetAnswers();
    }
    if (connected.empty()) {
        Notice(IDS_QUIZ_NO_STUDENTS, 1000);
        return;
    }
    m_asked.clear();
    for (CPCInfo* slot : connected)
        m_asked.push_back({slot, slot->m_connectionId.load()});
    g_quizBoard.SetExpectedCount(static_cast<int>(connected.size()));
    SendToAll(QuestionStartCommand(CurrentKind()));
    SetChecked(IDC_QUIZ_START, true);
    LabelStartButton(IDS_QUIZ_STOP);
    m_host.ShowQuizAnswers(true);
    ShowQuizWaiting(this);
}

// A student asked who left without answering is waited for no longer: the expected count
// drops to those still there and those who answered.
void CQuizDlg::RecountExpectedAnswers() const
{
    if (m_asked.empty())
        return;
    int expected = 0;
    for (const AskedStudent& asked : m_asked)
        if (asked.slot->m_connectionId.load() == asked.connectionId || asked.slot->HasQuizAnswer())
            ++expected;
    g_quizBoard.SetExpectedCount(expected);
}

void CQuizDlg::EndWaiting()
{
    SetChecked(IDC_QUIZ_START, false);
    LabelStartButton(IDS_QUIZ_START);
    g_quizWaitingDlg.Stop();
}

LRESULT CQuizDlg::OnWaitTimeout(WPARAM, LPARAM)
{
    // A stop pressed meanwhile has shown the chart already.
    if (!IsChecked(IDC_QUIZ_START))
        return 0;
    EndWaiting();
    ShowResults();
    return 0;
}

void CQuizDlg::ShowResults()
{
    std::vector<std::u16string> answers;
    {
        CCriticalSectionLock lock(g_quizLock);
        for (CPCInfo* slot : ConnectedSlots())
            answers.push_back(ToU16(slot->GetQuizAnswer()));
    }
    const QuestionKind kind = CurrentKind();
    m_asked.clear();
    g_quizBoard.SetExpectedCount(0);
    ShowQuizResult(kind, TallyQuizAnswers(kind, answers), CString(), this);
}

LRESULT CQuizDlg::OnResultsClosed(WPARAM, LPARAM)
{
    SendToAll(QuestionEndCommand());
    return 0;
}
