// CTransferSchedule: which student is asked for which file, and when. Files go one after the
// other; of the current file at most `limit` students run at once, the others wait in the order
// they were ticked and each result starts the oldest waiting one; when every target student has
// a result the next file begins. Students are indexes in the dialog's student list.
#pragma once

#include <deque>
#include <vector>

// What the dialog does after a step: ask these students for the current file (in this order);
// the current file changed; the whole transfer is over.
struct TransferStep {
    std::vector<int> start;
    bool nextFile = false;
    bool done = false;
};

class CTransferSchedule {
public:
    // At least this many students of one file run at once, whatever the setting says.
    static constexpr int kMinimumLimit = 2;

    // Begins with file 0 of fileCount for the students (list order). Nothing to do when either
    // is empty.
    TransferStep Start(const std::vector<int>& students, int fileCount, int limit);
    // A result of one file at one student. It counts once, and only while the transfer runs and
    // that file is the current one and was asked of the student; any other report starts
    // nothing.
    TransferStep OnResult(int file, int student);
    // Nothing more starts: the waiting students are forgotten.
    void Stop();

    bool IsRunning() const { return m_running; }
    int GetCurrentFile() const { return m_currentFile; }
    // The students counted for the current file (asked or waiting), and the results of it in.
    int GetStartedCount() const { return static_cast<int>(m_students.size()); }
    int GetFinishedCount() const { return m_finished; }
    int GetWaitingCount() const { return static_cast<int>(m_waiting.size()); }

private:
    TransferStep BeginFile();

    std::vector<int> m_students;
    int m_fileCount = 0;
    int m_limit = kMinimumLimit;
    int m_currentFile = 0;
    int m_finished = 0;
    std::deque<int> m_waiting;
    std::vector<int> m_asked;      // students asked for the current file, result not yet in
    bool m_running = false;
};
