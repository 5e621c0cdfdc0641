// The texts of the group file: the group list of "groupinfo.ini" and the lines of the older
// "GroupInfo.txt" that the console converts once.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Longest line of the older file that is read; the rest of a longer line is ignored.
constexpr size_t kMaxLegacyGroupLineLength = 9999;

// [default] "grouplist": line breaks removed, split at "$". Empty names name no group and are
// left out.
std::vector<std::u16string> ReadGroupNames(const std::u16string& groupList);

// A "partrect" or "perrow" value that is a single blank stands for an empty one.
std::u16string StoredGroupValue(const std::u16string& value);

struct GroupRecord {
    std::u16string name;
    std::u16string slots;       // slot membership
    std::u16string partRect;    // capture rectangle
    std::u16string perRow;      // slots per row
};

// The lines of the older file ("\n" or "\r\n"), each cut at kMaxLegacyGroupLineLength.
std::vector<std::u16string> SplitLegacyGroupLines(const std::u16string& text);
// One line "name$slots$partrect$perrow"; false for an empty name or fewer than four fields
// (further fields are ignored). The values are given as written.
bool ReadLegacyGroupLine(const std::u16string& line, GroupRecord& group);
