// The quiz's three pop-ups, one of each for the whole program, and the helpers that show them.
// Main thread only: a student's thread posts its announcement to the view, which shows it here.
#pragma once

#include "activities/quiz/QuizMsgDlg.h"
#include "activities/quiz/QuizResultDlg.h"
#include "activities/quiz/QuizWaitingDlg.h"

extern CQuizMsgDlg g_quizMsgDlg;
extern CQuizWaitingDlg g_quizWaitingDlg;
extern CQuizResultDlg g_quizResultDlg;

// Marks the speed-quiz press as taken, then shows the announcement with the text.
void ShowQuizMessage(const CString& text);
// Hides the announcement (when shown), which opens the round to a new press.
void HideQuizMessage();
void ShowQuizWaiting(CQuizDlg* owner);
// Disables the owner until the chart is closed; an empty caption is the default one.
void ShowQuizResult(QuestionKind kind, const QuizTally& tally, const CString& caption, CWnd* owner);
// When the console closes.
void DestroyQuizPopups();
