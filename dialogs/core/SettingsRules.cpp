#include "dialogs/core/SettingsRules.h"

#include "dialogs/core/LoginFieldRules.h"

#include <algorithm>

bool EqualsIgnoringAsciiCase(const std::u16string& a, const std::u16string& b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

ProgramNameVerdict CheckProgramName(const std::u16string& trimmedName, const std::vector<std::u16string>& listed)
{
    if (trimmedName.size() > kMaxProgramNameLength)
        return ProgramNameVerdict::TooLong;
    if (trimmedName.empty())
        return ProgramNameVerdict::Empty;
    for (const std::u16string& name : listed)
        if (EqualsIgnoringAsciiCase(name, trimmedName))
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
                                       [&](const std::u16string& other) { return EqualsIgnoringAsciiCase(other, name); });
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
