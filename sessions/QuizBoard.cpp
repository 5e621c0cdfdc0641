#include "sessions/QuizBoard.h"

// Defined before the board, so it is constructed first and destroyed last.
CCriticalSection g_quizLock(0);
int g_quizFirstPressTaken = 0;
int g_quizAnswerCount = 0;
int g_quizExpectedCount = 0;
CQuizBoard g_quizBoard;

bool CQuizBoard::TakeFirstPress()
{
    CCriticalSectionLock lock(g_quizLock);
    if (g_quizFirstPressTaken)
        return false;
    g_quizFirstPressTaken = 1;
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
    g_quizFirstPressTaken = 0;
}

bool CQuizBoard::IsFirstPressTaken() const
{
    CCriticalSectionLock lock(g_quizLock);
    return g_quizFirstPressTaken != 0;
}

void CQuizBoard::CountAnswer()
{
    CCriticalSectionLock lock(g_quizLock);
    ++g_quizAnswerCount;
}

void CQuizBoard::ResetAnswers()
{
    CCriticalSectionLock lock(g_quizLock);
    g_quizAnswerCount = 0;
}

int CQuizBoard::GetAnswerCount() const
{
    CCriticalSectionLock lock(g_quizLock);
    return g_quizAnswerCount;
}

void CQuizBoard::SetExpectedCount(int students)
{
    CCriticalSectionLock lock(g_quizLock);
    g_quizExpectedCount = students;
}

int CQuizBoard::GetExpectedCount() const
{
    CCriticalSectionLock lock(g_quizLock);
    return g_quizExpectedCount;
}
