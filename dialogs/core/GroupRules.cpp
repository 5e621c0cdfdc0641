#include "dialogs/core/GroupRules.h"

#include "dialogs/core/LoginFieldRules.h"

namespace {

// Lower case for the letters that have one in the ranges a class names groups with: Latin,
// Latin-1, Greek, Cyrillic and the full-width Latin letters. Hangul has no case.
char16_t FoldCase(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        || (c >= 0x410 && c <= 0x42F))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 0x50);
    if (c >= 0xFF21 && c <= 0xFF3A)
        return static_cast<char16_t>(c + 0x20);
    return c;
}

bool HasForbiddenGroupChar(const std::u16string& name)
{
    return name.find_first_of(u"$/*?\"<>|") != std::u16string::npos;
}

} // namespace

bool SameGroupName(const std::u16string& a, const std::u16string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

GroupNameVerdict CheckNewGroup(const std::u16string& typedName, const std::vector<std::u16string>& taken,
                               size_t tickedCount)
{
    const std::u16string name = TrimWhiteSpace(typedName);
    if (name.empty())
        return GroupNameVerdict::Empty;
    if (name.size() > kMaxGroupNameLength)
        return GroupNameVerdict::TooLong;
    if (HasForbiddenGroupChar(name))
        return GroupNameVerdict::ForbiddenChar;
    for (const std::u16string& other : taken)
        if (SameGroupName(name, TrimWhiteSpace(other)))
            return GroupNameVerdict::Taken;
    if (tickedCount == 0)
        return GroupNameVerdict::NoStudents;
    return GroupNameVerdict::Accepted;
}

std::u16string GroupMembershipText(const std::vector<int>& seats)
{
    std::u16string text = u",";
    for (int seat : seats) {
        for (char c : std::to_string(seat))
            text += static_cast<char16_t>(c);
        text += u',';
    }
    return text;
}

RunFieldVerdict CheckRunField(const std::u16string& trimmed, bool mayBeEmpty)
{
    if (trimmed.empty())
        return mayBeEmpty ? RunFieldVerdict::Accepted : RunFieldVerdict::Empty;
    if (trimmed.size() > kMaxRunFieldLength)
        return RunFieldVerdict::TooLong;
    if (trimmed.find(u',') != std::u16string::npos)
        return RunFieldVerdict::Comma;
    return RunFieldVerdict::Accepted;
}
