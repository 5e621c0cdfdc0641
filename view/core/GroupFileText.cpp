#include "view/core/GroupFileText.h"

#include "sessions/core/CommandText.h"

#include <algorithm>

std::vector<std::u16string> ReadGroupNames(const std::u16string& groupList)
{
    std::u16string joined;
    for (char16_t ch : groupList) {
        if (ch != u'\r' && ch != u'\n') joined += ch;
    }
    std::vector<std::u16string> names;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t end = joined.find(u'$', start);
        if (end == std::u16string::npos) end = joined.size();
        if (end > start) names.push_back(joined.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::u16string StoredGroupValue(const std::u16string& value)
{
    return value == u" " ? std::u16string() : value;
}

std::vector<std::u16string> SplitLegacyGroupLines(const std::u16string& text)
{
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        size_t length = end - start;
        if (length > 0 && text[end - 1] == u'\r') --length;
        lines.push_back(text.substr(start, std::min(length, kMaxLegacyGroupLineLength)));
        start = end + 1;
    }
    return lines;
}

bool ReadLegacyGroupLine(const std::u16string& line, GroupRecord& group)
{
    std::vector<std::u16string> fields;
    if (SplitFields(line, u'$', 4, fields) < 4 || fields[0].empty()) return false;
    group.name = fields[0];
    group.slots = fields[1];
    group.partRect = fields[2];
    group.perRow = fields[3];
    return true;
}
