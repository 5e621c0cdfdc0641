// The pacing and quality rules of the class broadcast, one cycle at a time: every 30th cycle is
// a full cycle that refreshes every tile at the configured quality; the quality falls as more of
// the screen changes; and a full cycle after a still screen is a refresh that only students which
// missed blocks need.
#pragma once

#include <cstdint>

constexpr int kShareCyclePeriodMs = 100;
constexpr int kShareMinPauseMs = 10;
constexpr int kShareFullCycleEvery = 30;

// c of n tiles in the strip.
int ChooseShareQuality(int stripTiles, int gridTiles, bool fullCycle, int configuredQuality);

// The pause after a cycle that took elapsedMs.
int SharePauseMs(int64_t elapsedMs);

// How a finished block goes out.
struct ShareDelivery {
    bool refreshOnly = false;   // lParam 1: only the students that missed blocks
    bool skipPause = false;     // the next cycle starts at once
};

class CShareCycle {
public:
    // Counts the cycle; true for a full cycle.
    bool Begin();
    bool IsFull() const { return m_full; }
    // A tile's pixels changed in this cycle.
    void TileChanged() { m_dirty = true; }
    // A block of this cycle was encoded at that quality.
    void Encoded(int quality);
    // How this cycle's block goes out (after every Encoded of the cycle).
    ShareDelivery Deliver();

private:
    uint32_t m_cycle = 0;
    bool m_full = false;
    bool m_lowQuality = false;
    bool m_dirty = false;
};
