#include "dialogs/core/GroupRules.h"

#include "dialogs/core/LoginFieldRules.h"
#include "foundation/core/CaseFold.h"

namespace {

bool HasForbiddenGroupChar(const std::u16string& name)
{
    return name.find_first_of(u"$/*?\"<>|") != std::u16string::npos;
}

} // namespace

bool SameGroupName(const std::u16string& a, const std::u16string& b)
{
    return EqualsIgnoringCase(a, b);
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
