// The quiz panel the view owns: opening it, the speed-quiz winner's announcement from a
// student's thread, and what the panel asks of the view.
#include "view/WendmarkView.h"

#include "activities/quiz/QuizPopups.h"
#include "framework/FrameWnd.h"
#include "framework/PostOwned.h"

void CWendmarkView::OpenQuizPanel()
{
    if (m_quitting || !m_quizDlg.CreatePanel(nullptr))
        return;
    m_quizDlg.OpenPanel();
}

void CWendmarkView::OnQuizButton()
{
    OpenQuizPanel();
    if (m_quizDlg.IsPanelVisible())
        m_quizDlg.RandomPick();
}

LRESULT CWendmarkView::OnOpenQuizPanel(WPARAM marker, LPARAM)
{
    if (marker == MessageMarker)
        OpenQuizPanel();
    return 1;
}

LRESULT CWendmarkView::OnQuizAnnounce(WPARAM marker, LPARAM text)
{
    if (marker != MessageMarker)
        return 0;
    const std::unique_ptr<CString> announcement = AfxTakePosted<CString>(text);
    if (announcement && !m_quitting)
        ShowQuizMessage(*announcement);
    return 0;
}

void CWendmarkView::FocusPickedSlot(int index)
{
    // While a group is shown the index would point into another list.
    if (m_groupShown)
        return;
    m_focusIndex = index;
    m_multiSelection = false;
    Invalidate(FALSE);
}

void CWendmarkView::ShowQuizAnswers(bool shown)
{
    m_answersShown = shown;
    Invalidate(FALSE);
}

void CWendmarkView::SetQuizFullScreen(LPARAM state)
{
    // A main window the teacher put away (the presentation right minimises it) stays put.
    CFrameWnd* frame = GetMainFrame();
    if (frame && frame->IsWindowVisible() && !frame->IsIconic())
        frame->ShowWindow(state ? SW_MAXIMIZE : SW_RESTORE);
}
