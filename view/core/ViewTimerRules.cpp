#include "view/core/ViewTimerRules.h"

int32_t TicksSince(uint32_t now, uint32_t then)
{
    const uint32_t elapsed = now - then;
    return elapsed <= static_cast<uint32_t>(INT32_MAX) ? static_cast<int32_t>(elapsed)
                                                       : -static_cast<int32_t>(~elapsed) - 1;
}

bool IsStudentSilent(uint32_t now, uint32_t lastHeard)
{
    return TicksSince(now, lastHeard) > kStudentSilenceLimitMs;
}

bool HasSessionChangingExpired(uint32_t now, uint32_t markedAt)
{
    return TicksSince(now, markedAt) > kSessionChangingLimitMs;
}

bool IsLoginServerSilent(uint32_t now, uint32_t lastWord, uint32_t lastAsked)
{
    return TicksSince(lastAsked, lastWord) > 0 && TicksSince(now, lastWord) > kLoginServerSilenceLimitMs;
}

ThumbnailPace DecideThumbnailPace(bool minRefreshOption, int openViewCount, bool slowed)
{
    if (!minRefreshOption) return ThumbnailPace::Unchanged;
    if (openViewCount > 0 && !slowed) return ThumbnailPace::Slow;
    if (openViewCount <= 0 && slowed) return ThumbnailPace::Restore;
    return ThumbnailPace::Unchanged;
}
