#include "sessions/QuizBoard.h"

CQuizBoard g_quizBoard;

namespace {

class CLockScope {
public:
    explicit CLockScope(CRITICAL_SECTION& lock) : m_lock(lock) { ::EnterCriticalSection(&m_lock); }
    ~CLockScope() { ::LeaveCriticalSection(&m_lock); }
    CLockScope(const CLockScope&) = delete;
    CLockScope& operator=(const CLockScope&) = delete;
private:
    CRITICAL_SECTION& m_lock;
};

}  // namespace

CQuizBoard::CQuizBoard()
{
    ::InitializeCriticalSection(&m_lock);
}

CQuizBoard::~CQuizBoard()
{
    ::DeleteCriticalSection(&m_lock);
}

bool CQuizBoard::TakeFirstPress()
{
    CLockScope lock(m_lock);
    if (m_firstPressTaken)
        return false;
    m_firstPressTaken = true;
    return true;
}

void CQuizBoard::ResetFirstPress()
{
    CLockScope lock(m_lock);
    m_firstPressTaken = false;
}

bool CQuizBoard::IsFirstPressTaken() const
{
    CLockScope lock(m_lock);
    return m_firstPressTaken;
}

void CQuizBoard::CountAnswer()
{
    CLockScope lock(m_lock);
    ++m_answerCount;
}

void CQuizBoard::ResetAnswers()
{
    CLockScope lock(m_lock);
    m_answerCount = 0;
}

int CQuizBoard::GetAnswerCount() const
{
    CLockScope lock(m_lock);
    return m_answerCount;
}
