// CRemoteInputQueue: the teacher's mouse and key input of one remote session on its way to the
// student. The view window's thread appends records; the control thread takes them all at once
// for one type-4 and one type-5 packet. The lock is held only while records go in or come out,
// never while they are sent. Shared by the single and the combined session.
#pragma once

#include "framework/CriticalSection.h"
#include "foundation/core/PacketFields.h"

#include <atomic>
#include <vector>

class CRemoteInputQueue {
public:
    CRemoteInputQueue();
    ~CRemoteInputQueue();
    CRemoteInputQueue(const CRemoteInputQueue&) = delete;
    CRemoteInputQueue& operator=(const CRemoteInputQueue&) = delete;

    void AddKey(const KeyEntry& key);
    void AddMouse(const MouseEntry& mouse);
    // A mouse move to the point last queued by any session window adds nothing; false then.
    bool AddMouseMove(uint32_t keyFlags, int x, int y);

    // Every record, in order; the queue is left empty.
    std::vector<KeyEntry> TakeKeys();
    std::vector<MouseEntry> TakeMice();
    bool IsEmpty();

    // Input is queued while this is on. Switching it off (the teacher lets go of the student,
    // or the window closes) queues nothing more; what was queued before still goes out.
    void SetForwarding(bool on) { m_forwarding = on; }
    bool IsForwarding() const { return m_forwarding; }

    // The pump runs until the session ends, also while forwarding is off, so input queued once
    // forwarding is on again is sent too.
    void StopPump();
    bool IsPumpStopped() const { return m_pumpStopped; }
    // The pump's rest while nothing is queued: until a record is added, the pump is stopped or
    // timeoutMs pass. An idle session costs no wake-ups every tick.
    void WaitForInput(DWORD timeoutMs);

    // The pump asks for a flush only when records wait and no flush is already on its way, so
    // a busy control thread's queue never fills with flush requests.
    bool ClaimFlush();
    void FlushDone() { m_flushPending = false; }

private:
    CCriticalSection m_lock;
    std::vector<KeyEntry> m_keys;
    std::vector<MouseEntry> m_mice;
    std::atomic<bool> m_flushPending{false};
    std::atomic<bool> m_forwarding{false};
    std::atomic<bool> m_pumpStopped{false};
    HANDLE m_added = nullptr;   // auto-reset: a record was added, or the pump must stop
};
