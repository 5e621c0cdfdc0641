// Gathers one packet from a byte stream as its bytes come, without ever taking a byte of the
// packet after it: the owner asks how many bytes it may read next, reads at most that many into
// the space it is given, and learns when the packet is whole. Magic and length are checked as
// soon as they have arrived, so a stream that is not ours is refused by its first 4 bytes
// and a length above the cap before anything is allocated for the body.
#pragma once

#include "foundation/core/PacketFields.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CPacketAssembler {
public:
    enum class State { Empty, Partial, Whole, Refused };

    // Room for at most count bytes of the current packet (never past its end); count is 0 when
    // the packet is whole or refused. The body grows with what arrives, by at most one step
    // ahead, so a length field alone never makes us allocate what the peer has not sent.
    uint8_t* Space(size_t& count);
    // count bytes were written into the space; returns the new state.
    State Commit(size_t count);

    State GetState() const { return m_state; }
    bool IsWhole() const { return m_state == State::Whole; }
    bool HasPartial() const { return m_state == State::Partial; }
    // Type byte and payload of a whole packet.
    const uint8_t* Body() const { return m_bytes.data() + kPacketHeaderSize; }
    size_t BodySize() const { return m_bytes.size() - kPacketHeaderSize; }
    // Everything received of the current packet, header included.
    std::vector<uint8_t> Received() const
    {
        return std::vector<uint8_t>(m_bytes.begin(), m_bytes.begin() + m_filled);
    }
    size_t ReceivedSize() const { return m_filled; }

    // From now on only packets of that type and at most that length field are taken: any other
    // is refused once its header and type byte have come, before a byte of its body is read.
    void Limit(uint8_t onlyType, uint32_t maxLength);

    // Back to Empty for the next packet; the body's memory is given back.
    void Clear();
    // Starts from bytes already received of a packet (taken over from another owner).
    State Restore(std::vector<uint8_t> bytes);

private:
    size_t Wanted() const;
    State Check();

    static constexpr size_t kGrowStep = 256 * 1024;

    std::vector<uint8_t> m_bytes;
    size_t m_filled = 0;
    uint32_t m_bodySize = 0;
    State m_state = State::Empty;
    uint8_t m_onlyType = 0;                       // 0: any type
    uint32_t m_maxLength = kMaxPacketLength;
};
