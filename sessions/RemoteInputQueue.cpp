#include "sessions/RemoteInputQueue.h"

namespace {

// The last point any view window queued a move to: one pointer on the teacher's desk.
std::atomic<long long> g_lastQueuedMove{0};

long long PackPoint(int x, int y)
{
    return (static_cast<long long>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
}

} // namespace

CRemoteInputQueue::CRemoteInputQueue() : m_added(::CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
}

CRemoteInputQueue::~CRemoteInputQueue()
{
    if (m_added)
        ::CloseHandle(m_added);
}

void CRemoteInputQueue::AddKey(const KeyEntry& key)
{
    {
        CCriticalSectionLock lock(m_lock);
        m_keys.push_back(key);
    }
    if (m_added)
        ::SetEvent(m_added);
}

void CRemoteInputQueue::AddMouse(const MouseEntry& mouse)
{
    {
        CCriticalSectionLock lock(m_lock);
        m_mice.push_back(mouse);
    }
    if (m_added)
        ::SetEvent(m_added);
}

void CRemoteInputQueue::StopPump()
{
    m_pumpStopped = true;
    if (m_added)
        ::SetEvent(m_added);
}

void CRemoteInputQueue::WaitForInput(DWORD timeoutMs)
{
    if (m_added)
        ::WaitForSingleObject(m_added, timeoutMs);
    else
        ::Sleep(1);
}

bool CRemoteInputQueue::AddMouseMove(uint32_t keyFlags, int x, int y)
{
    if (g_lastQueuedMove.exchange(PackPoint(x, y)) == PackPoint(x, y))
        return false;
    MouseEntry move;
    move.message = WM_MOUSEMOVE;
    move.keyFlags = keyFlags;
    move.x = x;
    move.y = y;
    AddMouse(move);
    return true;
}

std::vector<KeyEntry> CRemoteInputQueue::TakeKeys()
{
    std::vector<KeyEntry> keys;
    CCriticalSectionLock lock(m_lock);
    keys.swap(m_keys);
    return keys;
}

std::vector<MouseEntry> CRemoteInputQueue::TakeMice()
{
    std::vector<MouseEntry> mice;
    CCriticalSectionLock lock(m_lock);
    mice.swap(m_mice);
    return mice;
}

bool CRemoteInputQueue::IsEmpty()
{
    CCriticalSectionLock lock(m_lock);
    return m_keys.empty() && m_mice.empty();
}

bool CRemoteInputQueue::ClaimFlush()
{
    if (IsEmpty())
        return false;
    bool expected = false;
    return m_flushPending.compare_exchange_strong(expected, true);
}
