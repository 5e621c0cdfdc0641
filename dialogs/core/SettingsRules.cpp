#include "dialogs/core/SettingsRules.h"

#include "dialogs/core/LoginFieldRules.h"
#include "foundation/core/CaseFold.h"

#include <algorithm>

ProgramNameVerdict CheckProgramName(const std::u16string& trimmedName, const std::vector<std::u16string>& listed)
{
    if (trimmedName.size() > kMaxProgramNameLength)
        return ProgramNameVerdict::TooLong;
    if (trimmedName.empty())
        return ProgramNameVerdict::Empty;
    for (const std::u16string& name : listed)
        if (EqualsIgnoringCase(name, trimmedName))
            return ProgramNameVerdict::Duplicate;
    if (trimmedName.find_first_of(u",\"") != std::u16string::npos)
        return ProgramNameVerdict::BadCharacters;
    return ProgramNameVerdict::Accepted;
}

std::vector<std::u16string> ReadProgramList(const std::u16string& stored)
{
    std::vector<std::u16string> names;
    size_t start = 0;
    for (;;) {
        const size_t comma = stored.find(u',', start);
        const std::u16string name =
            TrimWhiteSpace(stored.substr(start, comma == std::u16string::npos ? comma : comma - start));
        const bool known = std::any_of(names.begin(), names.end(),
                                       [&](const std::u16string& other) { return EqualsIgnoringCase(other, name); });
        if (!name.empty() && !known)
            names.push_back(name);
        if (comma == std::u16string::npos)
            return names;
        start = comma + 1;
    }
}

std::u16string JoinProgramList(const std::vector<std::u16string>& names)
{
    std::u16string joined;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            joined += u',';
        joined += names[i];
    }
    return joined;
}

int ClampQuality(int quality)
{
    return std::min(std::max(quality, kMinQuality), kMaxQuality);
}

int ClampRefreshDelay(int milliseconds)
{
    return std::min(std::max(milliseconds, kMinRefreshDelay), kMaxRefreshDelay);
}

int QualityToOffset(int quality, int trackLength)
{
    const int span = std::max(1, trackLength - 1);
    return (ClampQuality(quality) - kMinQuality) * span / (kMaxQuality - kMinQuality);
}

int OffsetToQuality(int offset, int trackLength)
{
    const int span = std::max(1, trackLength - 1);
    const int clamped = std::min(std::max(offset, 0), span);
    const int steps = kMaxQuality - kMinQuality;
    // Rounded up: the offset of a quality is rounded down, so each quality finds itself again.
    return kMinQuality + (clamped * steps + span - 1) / span;
}

bool IsAcceptedAspectRatio(int widthRatio, int heightRatio)
{
    const double larger = std::max(widthRatio, heightRatio);
    const double smaller = std::min(widthRatio, heightRatio);
    return smaller > 0 && larger / smaller <= 2.0;
}
