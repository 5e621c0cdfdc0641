#include "view/PendingConnections.h"

#include <algorithm>

CPendingConnections::~CPendingConnections()
{
    CloseAll();
}

void CPendingConnections::Add(CPCInfo* pending, DWORD now)
{
    CPCInfo* evicted = nullptr;
    {
        CCriticalSectionLock lock(m_lock);
        if (m_entries.size() >= kMaxPending) {
            // The largest idle time, compared as tick differences (wrap-safe).
            const auto idlest = std::max_element(
                m_entries.begin(), m_entries.end(), [now](const Entry& a, const Entry& b) {
                    return now - a.lastPacketAt < now - b.lastPacketAt;
                });
            evicted = Take(static_cast<size_t>(idlest - m_entries.begin()));
        }
        m_entries.push_back(Entry{pending, now, now});
    }
    if (evicted) {
        TRACE(L"pending connection %d closed: too many waiting\n", evicted->m_connectionId.load());
        Destroy(evicted);
    }
}

CPCInfo* CPendingConnections::Find(const void* socket) const
{
    CCriticalSectionLock lock(m_lock);
    for (const Entry& entry : m_entries) {
        if (&entry.record->m_socket == socket)
            return entry.record;
    }
    return nullptr;
}

void CPendingConnections::NoteActivity(const CPCInfo* pending, DWORD now)
{
    CCriticalSectionLock lock(m_lock);
    for (Entry& entry : m_entries) {
        if (entry.record == pending)
            entry.lastPacketAt = now;
    }
}

void CPendingConnections::Remove(CPCInfo* pending)
{
    CPCInfo* removed = nullptr;
    {
        CCriticalSectionLock lock(m_lock);
        for (size_t n = 0; n < m_entries.size() && !removed; ++n) {
            if (m_entries[n].record == pending)
                removed = Take(n);
        }
    }
    if (removed)
        Destroy(removed);
}

size_t CPendingConnections::CloseOverdue(DWORD now)
{
    std::vector<CPCInfo*> overdue;
    {
        CCriticalSectionLock lock(m_lock);
        for (size_t n = m_entries.size(); n-- > 0;) {
            if (now - m_entries[n].acceptedAt > kHelloTimeoutMs)
                overdue.push_back(Take(n));
        }
    }
    for (CPCInfo* record : overdue) {
        TRACE(L"pending connection %d closed: no hello in time\n", record->m_connectionId.load());
        Destroy(record);
    }
    return overdue.size();
}

void CPendingConnections::CloseAll()
{
    std::vector<Entry> entries;
    {
        CCriticalSectionLock lock(m_lock);
        entries.swap(m_entries);
    }
    for (const Entry& entry : entries)
        Destroy(entry.record);
}

size_t CPendingConnections::Count() const
{
    CCriticalSectionLock lock(m_lock);
    return m_entries.size();
}

CPCInfo* CPendingConnections::Take(size_t index)
{
    CPCInfo* record = m_entries[index].record;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    return record;
}

void CPendingConnections::Destroy(CPCInfo* record)
{
    if (record->m_socket.m_hSocket != INVALID_SOCKET) {
        record->m_socket.ShutdownBoth();
        record->m_socket.Close();
    }
    delete record;
}
