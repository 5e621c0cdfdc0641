#include "foundation/core/TextLists.h"

#include "foundation/core/ServiceReply.h"

#include <algorithm>

namespace {

std::vector<std::wstring> SplitLines(const std::wstring& list)
{
    std::vector<std::wstring> lines;
    if (!list.empty()) SplitText(list, L"\n", lines);
    return lines;
}

std::wstring JoinLines(const std::vector<std::wstring>& lines)
{
    std::wstring list;
    for (const std::wstring& line : lines) {
        if (!list.empty()) list += L'\n';
        list += line;
    }
    return list;
}

} // namespace

void SplitText(const std::wstring& text, const std::wstring& delimiter, std::vector<std::wstring>& pieces)
{
    pieces.clear();
    std::wstring rest;
    rest.reserve(text.size());
    for (wchar_t ch : text)
        if (ch != L'"') rest += ch;

    std::wstring separator = delimiter;
    if (delimiter == L"\n" || delimiter == L"\r\n") {
        separator = L"\n";
        std::wstring unified;
        unified.reserve(rest.size());
        for (size_t i = 0; i < rest.size(); ++i) {
            if (rest[i] == L'\r' && i + 1 < rest.size() && rest[i + 1] == L'\n') continue;
            unified += rest[i];
        }
        rest.swap(unified);
    }
    if (rest.empty()) return;
    if (separator.empty()) {
        pieces.push_back(rest);
        return;
    }
    size_t start = 0;
    for (;;) {
        size_t end = rest.find(separator, start);
        if (end == std::wstring::npos) {
            pieces.push_back(rest.substr(start));
            return;
        }
        pieces.push_back(rest.substr(start, end - start));
        start = end + separator.size();
    }
}

void AddLineToList(std::wstring& list, const std::wstring& item)
{
    for (const std::wstring& line : SplitLines(list))
        if (TrimBlanks(line) == item) return;
    if (!list.empty()) list += L'\n';
    list += item;
}

void RemoveLineFromList(std::wstring& list, const std::wstring& item)
{
    const std::wstring wanted = TrimBlanks(item);
    std::vector<std::wstring> kept;
    for (const std::wstring& line : SplitLines(list))
        if (!line.empty() && TrimBlanks(line) != wanted) kept.push_back(line);
    list = JoinLines(kept);
}

bool AddWordFlag(std::wstring& flags, const std::wstring& flag)
{
    size_t start = 0;
    while (start < flags.size()) {
        size_t end = flags.find(L' ', start);
        if (end == std::wstring::npos) end = flags.size();
        if (flags.compare(start, end - start, flag) == 0) return false;
        start = end + 1;
    }
    if (!flags.empty()) flags += L' ';
    flags += flag;
    return true;
}
