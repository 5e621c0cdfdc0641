#include "activities/screenshare/core/ShareCycle.h"

int ChooseShareQuality(int stripTiles, int gridTiles, bool fullCycle, int configuredQuality)
{
    if (fullCycle)
        return configuredQuality;
    const int64_t c = stripTiles, n = gridTiles;
    if (c > 5 * n / 10) return 20;
    if (c > 4 * n / 10) return 30;
    if (c > 3 * n / 10) return 40;
    if (c > n / 10) return 50;
    return configuredQuality;
}

int SharePauseMs(int64_t elapsedMs)
{
    const int64_t rest = kShareCyclePeriodMs - elapsedMs;
    return rest <= 0 ? kShareMinPauseMs : static_cast<int>(rest);
}

bool CShareCycle::Begin()
{
    ++m_cycle;
    m_full = m_cycle % kShareFullCycleEvery == 0;
    return m_full;
}

void CShareCycle::Encoded(int quality)
{
    if (quality < 50) {
        m_lowQuality = true;
    } else if (!m_full && m_lowQuality) {
        // A low-quality picture was followed by a sharper one: the next full cycle must reach
        // everyone, not only the students that missed blocks.
        m_lowQuality = false;
        m_dirty = true;
    }
}

ShareDelivery CShareCycle::Deliver()
{
    ShareDelivery delivery;
    if (m_full && !m_dirty) {
        delivery.refreshOnly = true;
        delivery.skipPause = true;
    } else if (m_full) {
        m_dirty = false;
    }
    return delivery;
}
