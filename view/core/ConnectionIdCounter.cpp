#include "view/core/ConnectionIdCounter.h"

#include <cstdint>

namespace {

constexpr int kFirstConnectionId = 10000;

// The int a 32-bit counter holds after value + 1, with no signed overflow past the largest int.
int Incremented(int value)
{
    const int64_t next = static_cast<int64_t>(value) + 1;
    return next > INT32_MAX ? static_cast<int>(next - (int64_t{1} << 32)) : static_cast<int>(next);
}

} // namespace

int CConnectionIdCounter::Next()
{
    const int id = Incremented(m_last);
    m_last = (id == 0 || id == -1) ? kFirstConnectionId : id;
    return m_last;
}
