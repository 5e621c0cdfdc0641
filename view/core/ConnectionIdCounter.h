// Connection ids handed out at accept: 10001, 10002, ... An id of -1 marks an offline seat and 0
// is never given, so the counter starts over at 10000 when it would reach either.
#pragma once

class CConnectionIdCounter {
public:
    explicit CConnectionIdCounter(int last = 10000) : m_last(last) {}
    int Next();
    int Last() const { return m_last; }

private:
    int m_last;
};
