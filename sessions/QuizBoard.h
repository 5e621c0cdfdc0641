// CQuizBoard: the quiz state the students' threads share with the quiz panel — whether the
// current speed-quiz round already has its winner, and how many answers the current question
// has — each change made under one lock.
#pragma once

#include "framework/Afx.h"
#include "framework/CriticalSection.h"

class CQuizBoard {
public:
    CQuizBoard() = default;
    CQuizBoard(const CQuizBoard&) = delete;
    CQuizBoard& operator=(const CQuizBoard&) = delete;

    // True for the first press of a round only; the press is taken at once, so two students
    // pressing together cannot both win.
    bool TakeFirstPress();
    // A student's buzzer: the first press of a round, and only while the speed quiz is on (a
    // press outside it is a pupil's, not the quiz's).
    bool TakeFirstSpeedPress();
    void SetSpeedQuizOn(bool on);
    // A new round: the next press wins again.
    void ResetFirstPress();
    bool IsFirstPressTaken() const;

    void CountAnswer();
    void ResetAnswers();
    int GetAnswerCount() const;
    // The students the current question waits for (0 when none runs).
    void SetExpectedCount(int students);
    int GetExpectedCount() const;

private:
    bool m_speedQuizOn = false;
};

// The quiz's one lock: every change to the board is made under it.
extern CCriticalSection g_quizLock;
// The board's state, guarded by g_quizLock; read and changed only through g_quizBoard.
extern int g_quizFirstPressTaken;   // 1 once the current round has its winner
extern int g_quizAnswerCount;       // answers received for the current question
extern int g_quizExpectedCount;     // students asked it (connected when it started)
extern CQuizBoard g_quizBoard;
