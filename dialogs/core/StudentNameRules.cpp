#include "dialogs/core/StudentNameRules.h"

#include "dialogs/core/LoginFieldRules.h"

StudentNameVerdict CheckStudentName(const std::u16string& name)
{
    if (name.empty())
        return StudentNameVerdict::Empty;
    if (HasForbiddenLoginChar(name))
        return StudentNameVerdict::ForbiddenChar;
    if (name.size() > kMaxStudentNameLength)
        return StudentNameVerdict::TooLong;
    return StudentNameVerdict::Accepted;
}
