// The rules of the two group dialogs: a new group's name and members, the membership text the
// view and "groupinfo.ini" keep, and the fields of a program run or ended on a group.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr size_t kMaxGroupNameLength = 20;
// What the name edit takes at most; the length rule above is what is stored.
constexpr int kGroupNameEditMaxChars = 30;
constexpr size_t kMaxRunFieldLength = 256;

enum class GroupNameVerdict {
    Accepted,
    Empty,          // string 390
    TooLong,        // string 394
    ForbiddenChar,  // string 395
    Taken,          // strings 391 and 392
    NoStudents,     // string 393
};

// Checked in this order on the name trimmed of white space: empty, longer than 20 characters,
// one of $ / * ? " < > | ("$" separates the stored names), already taken, then no student
// ticked. A group is stored as an INI section, and section names are compared without regard
// to case, so "group" is taken while "Group" exists; taken also lists the default group's name.
GroupNameVerdict CheckNewGroup(const std::u16string& typedName, const std::vector<std::u16string>& taken,
                               size_t tickedCount);

// Equal as INI section names: letters compared without regard to case.
bool SameGroupName(const std::u16string& a, const std::u16string& b);

// "," and then "%d," for every seat, in the order given: seats 3, 5 and 12 give ",3,5,12,".
std::u16string GroupMembershipText(const std::vector<int>& seats);

enum class RunFieldVerdict {
    Accepted,
    Empty,      // strings 430 (path) and 432 (process name); options may be empty
    TooLong,    // strings 443, 444, 445
    Comma,      // a comma would split the field on the wire
};

// A program path, its options or a process name, trimmed: empty (unless it may be), longer
// than 256 characters, then a comma. The run and end commands carry their fields comma-separated
// with no escape, so a comma in one would make the student read other fields than were sent.
RunFieldVerdict CheckRunField(const std::u16string& trimmed, bool mayBeEmpty);
