// CPendingConnections: the student connections the listening socket has accepted and that have
// not yet been given a seat. Each record owns its socket until the admission hands it on. Anyone
// on the school's network can connect, so the list is bounded twice: a connection that has not
// been admitted within kHelloTimeoutMs is closed, and when kMaxPending are waiting the one idle
// longest (no whole packet for the longest time) is closed to make room for the next.
#pragma once

#include "foundation/core/PacketFields.h"
#include "framework/CriticalSection.h"
#include "sessions/PCInfo.h"

#include <cstddef>
#include <vector>

class CPendingConnections {
public:
    static constexpr DWORD kHelloTimeoutMs = 20000;
    static constexpr size_t kMaxPending = 256;
    // Before its admission a connection only says who it is, in texts (version, announcement,
    // hello, the remote-controller app's link): any other packet, or a text longer than this,
    // closes it before its body is read, so what all of them hold stays small.
    static constexpr uint32_t kMaxTextChars = 1024;
    static constexpr uint32_t kMaxPacketLength = TextPacketLength(kMaxTextChars);

    CPendingConnections() = default;
    ~CPendingConnections();
    CPendingConnections(const CPendingConnections&) = delete;
    CPendingConnections& operator=(const CPendingConnections&) = delete;

    // Takes the record (accepted at now).
    void Add(CPCInfo* pending, DWORD now);
    // The record whose socket object is at that address; null for any other socket.
    CPCInfo* Find(const void* socket) const;
    // A whole packet came from the record's connection.
    void NoteActivity(const CPCInfo* pending, DWORD now);
    // Takes the record out, closes its socket (if still attached) and deletes it; nothing when
    // the record is not here.
    void Remove(CPCInfo* pending);
    // Closes every connection that has waited longer than the hello time-out.
    size_t CloseOverdue(DWORD now);
    void CloseAll();
    size_t Count() const;

private:
    static_assert(kMaxPending * (kPacketHeaderSize + kMaxPacketLength) <= 1024 * 1024,
                  "the packets of all pending connections together stay within a megabyte");

    struct Entry {
        CPCInfo* record;
        DWORD acceptedAt;
        DWORD lastPacketAt;
    };

    // Out of the list, under the lock; the caller closes and deletes it.
    CPCInfo* Take(size_t index);
    static void Destroy(CPCInfo* record);

    mutable CCriticalSection m_lock;
    std::vector<Entry> m_entries;
};
