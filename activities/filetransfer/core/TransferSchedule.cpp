#include "activities/filetransfer/core/TransferSchedule.h"

#include <algorithm>

TransferStep CTransferSchedule::Start(const std::vector<int>& students, int fileCount, int limit)
{
    m_students = students;
    m_fileCount = fileCount;
    m_limit = std::max(limit, kMinimumLimit);
    m_currentFile = 0;
    m_running = !students.empty() && fileCount > 0;
    if (!m_running) {
        TransferStep step;
        step.done = true;
        return step;
    }
    return BeginFile();
}

TransferStep CTransferSchedule::BeginFile()
{
    TransferStep step;
    m_finished = 0;
    m_waiting.clear();
    m_asked.clear();
    for (int student : m_students) {
        if (static_cast<int>(m_asked.size()) < m_limit) {
            m_asked.push_back(student);
            step.start.push_back(student);
        } else {
            m_waiting.push_back(student);
        }
    }
    return step;
}

TransferStep CTransferSchedule::OnResult(int file, int student)
{
    TransferStep step;
    if (!m_running || file != m_currentFile)
        return step;
    const auto asked = std::find(m_asked.begin(), m_asked.end(), student);
    if (asked == m_asked.end())
        return step;   // not asked, or its result is in already
    m_asked.erase(asked);
    ++m_finished;
    if (m_finished >= GetStartedCount()) {
        ++m_currentFile;
        if (m_currentFile >= m_fileCount) {
            m_running = false;
            step.done = true;
            return step;
        }
        step = BeginFile();
        step.nextFile = true;
        return step;
    }
    if (!m_waiting.empty()) {
        const int next = m_waiting.front();
        m_waiting.pop_front();
        m_asked.push_back(next);
        step.start.push_back(next);
    }
    return step;
}

void CTransferSchedule::Stop()
{
    m_running = false;
    m_waiting.clear();
    m_asked.clear();
}
