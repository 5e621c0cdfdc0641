#include "sessions/QuizBoard.h"

// Defined before the board, so it is constructed first and destroyed last.
CCriticalSection g_quizLock(0);
CQuizBoard g_quizBoard;

bool CQuizBoard::TakeFirstPress()
{
    CCriticalSectionLock lock(g_quizLock);
    if (m_firstPressTaken)
        return false;
    m_firstPressTaken = true;
    return true;
}

bool CQuizBoard::TakeFirstSpeedPress()
{
    CCriticalSectionLock lock(g_quizLock);
    return m_speedQuizOn && TakeFirstPress();
}

void CQuizBoard::SetSpeedQuizOn(bool on)
{
    CCriticalSectionLock lock(g_quizLock);
    m_speedQuizOn = on;
}

void CQuizBoard::ResetFirstPress()
{
    CCriticalSectionLock lock(g_quizLock);
    m_firstPressTaken = false;
}

bool CQuizBoard::IsFirstPressTaken() const
{
    CCriticalSectionLock lock(g_quizLock);
    return m_firstPressTaken;
}

void CQuizBoard::CountAnswer()
{
    CCriticalSectionLock lock(g_quizLock);
    ++m_answerCount;
}

void CQuizBoard::ResetAnswers()
{
    CCriticalSectionLock lock(g_quizLock);
    m_answerCount = 0;
}

int CQuizBoard::GetAnswerCount() const
{
    CCriticalSectionLock lock(g_quizLock);
    return m_answerCount;
}
