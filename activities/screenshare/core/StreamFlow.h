// The flow rules of the single-receiver streams of the teacher's screen.
#pragma once

// A new frame is captured while fewer than three sent blocks wait for the receiver's
// acknowledgement (next block minus 4 still below the last acknowledged one).
inline bool MayCaptureStreamFrame(int nextSequence, int acknowledged)
{
    return static_cast<long long>(nextSequence) - 4 < acknowledged;
}

// A still screen resends its first tile after more than this many cycles without a tile.
constexpr int kStreamIdleCycles = 100;
