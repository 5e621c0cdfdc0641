#include "foundation/core/PacketAssembler.h"

#include "foundation/core/PacketCodec.h"

#include <algorithm>
#include <cstring>

size_t CPacketAssembler::Wanted() const
{
    if (m_state == State::Whole || m_state == State::Refused)
        return 0;
    // The whole header in one read: every packet has one, and each read of a socket under Wine
    // costs a round trip to the server and, while bytes remain, a further read notice.
    if (m_filled < kPacketHeaderSize)
        return kPacketHeaderSize - m_filled;
    // A limited assembler looks at the type byte alone before it takes the body.
    if (m_onlyType != 0 && m_filled == kPacketHeaderSize)
        return 1;
    return kPacketHeaderSize + m_bodySize - m_filled;
}

uint8_t* CPacketAssembler::Space(size_t& count)
{
    count = std::min(Wanted(), kGrowStep);
    if (count == 0)
        return nullptr;
    if (m_bytes.size() < m_filled + count)
        m_bytes.resize(m_filled + count);
    return m_bytes.data() + m_filled;
}

CPacketAssembler::State CPacketAssembler::Commit(size_t count)
{
    if (count == 0 || m_state == State::Whole || m_state == State::Refused)
        return m_state;
    m_filled += std::min(count, Wanted());
    return Check();
}

CPacketAssembler::State CPacketAssembler::Check()
{
    m_state = m_filled == 0 ? State::Empty : State::Partial;
    if (m_filled >= 4) {
        uint8_t magic[4];
        MakePacketMagic(m_bytes[3], magic);
        if (std::memcmp(magic, m_bytes.data(), 3) != 0)
            return m_state = State::Refused;
    }
    if (m_filled >= kPacketHeaderSize && m_bodySize == 0 &&
        (!CheckPacketHeader(m_bytes.data(), m_bodySize) || m_bodySize + 4 > m_maxLength))
        return m_state = State::Refused;
    if (m_filled > kPacketHeaderSize && m_onlyType != 0 && m_bytes[kPacketHeaderSize] != m_onlyType)
        return m_state = State::Refused;
    if (m_filled >= kPacketHeaderSize && m_filled == kPacketHeaderSize + m_bodySize) {
        m_bytes.resize(m_filled);
        m_state = State::Whole;
    }
    return m_state;
}

void CPacketAssembler::Limit(uint8_t onlyType, uint32_t maxLength)
{
    m_onlyType = onlyType;
    m_maxLength = std::min(maxLength, kMaxPacketLength);
}

void CPacketAssembler::Clear()
{
    std::vector<uint8_t>().swap(m_bytes);
    m_filled = 0;
    m_bodySize = 0;
    m_state = State::Empty;
}

CPacketAssembler::State CPacketAssembler::Restore(std::vector<uint8_t> bytes)
{
    Clear();
    m_bytes = std::move(bytes);
    m_filled = m_bytes.size();
    // Checked as though it had just arrived; what is more than one packet is not ours to keep.
    if (m_filled > kPacketHeaderSize + size_t(kMaxPacketLength))
        return m_state = State::Refused;
    Check();
    if (m_state == State::Partial && m_filled >= kPacketHeaderSize &&
        m_filled > kPacketHeaderSize + m_bodySize)
        m_state = State::Refused;
    return m_state;
}
