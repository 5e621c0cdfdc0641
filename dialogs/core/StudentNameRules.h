// The rules every student name of the console obeys, whether edited for one slot or in the
// class's list of names.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t kMaxStudentNameLength = 20;
// What the name edit takes at most; the length rule above is what is stored.
constexpr int kStudentNameEditMaxChars = 256;

enum class StudentNameVerdict {
    Accepted,
    Empty,          // string 483
    ForbiddenChar,  // string 484
    TooLong,        // string 485
};

// Checked in this order and stopped at the first failure: empty, one of , \ < > & | : / * ? "
// (the comma would also split the name on the wire), longer than 20 characters. Blanks alone
// are a name.
StudentNameVerdict CheckStudentName(const std::u16string& name);
