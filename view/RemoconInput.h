// CRemoconInput: plays the remote-controller app's keys, characters and pointer events on the
// teacher PC, in the order they came, on a worker thread of its own: a key record is followed by
// a 10 ms pause and a pointer packet by 2 ms, and those pauses must never hold the window thread
// that reads the link. The queue is bounded; what comes while it is full is dropped.
#pragma once

#include "foundation/core/PacketFields.h"
#include "framework/CriticalSection.h"

#include <atomic>
#include <deque>
#include <string>
#include <vector>

class CRemoconInput {
public:
    static constexpr size_t kMaxQueuedJobs = 1024;

    CRemoconInput() = default;
    ~CRemoconInput() { Stop(); }
    CRemoconInput(const CRemoconInput&) = delete;
    CRemoconInput& operator=(const CRemoconInput&) = delete;

    void AddKeys(const std::vector<KeyEntry>& keys);
    void AddMice(const std::vector<MouseEntry>& mice);
    void AddCharacter(uint16_t code);
    void AddScanCodes(const std::u16string& arguments);
    void AddHangulKey();
    // Ends the worker and waits for it: what is still queued is dropped, and a job in play
    // ends at its next record. Input may be added again afterwards.
    void Stop();

private:
    struct Job {
        enum Kind { Keys, Mice, Character, ScanCodes, Hangul } kind = Keys;
        std::vector<KeyEntry> keys;
        std::vector<MouseEntry> mice;
        uint16_t code = 0;
        std::u16string text;
    };

    void Add(Job job);
    bool EnsureWorker();
    static unsigned __stdcall WorkerProc(void* self);
    void Run();
    void Play(const Job& job) const;

    CCriticalSection m_lock;
    std::deque<Job> m_jobs;
    std::atomic<bool> m_stopping{false};   // set under the lock; read between played records
    HANDLE m_wake = nullptr;
    HANDLE m_thread = nullptr;
};
