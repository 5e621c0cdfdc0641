#include "dialogs/core/LoginFieldRules.h"

namespace {

bool IsWhiteSpace(char16_t ch)
{
    switch (ch) {
    case u' ': case u'\t': case u'\n': case u'\v': case u'\f': case u'\r':
    case u'\u0085': case u'\u00A0': case u'\u1680': case u'\u2028': case u'\u2029':
    case u'\u202F': case u'\u205F': case u'\u3000':
        return true;
    default:
        return ch >= u'\u2000' && ch <= u'\u200A';
    }
}

bool IsDotsOnly(const std::u16string& text)
{
    return !text.empty() && text.find_first_not_of(u'.') == std::u16string::npos;
}

} // namespace

std::u16string TrimWhiteSpace(const std::u16string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsWhiteSpace(text[first])) ++first;
    while (last > first && IsWhiteSpace(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool HasForbiddenLoginChar(const std::u16string& text)
{
    return text.find_first_of(u",\\<>&|:/*?\"") != std::u16string::npos;
}

LoginFieldVerdict CheckLoginFields(const std::u16string& teacherId, const std::u16string& folderName)
{
    if (teacherId.empty()) return LoginFieldVerdict::IdEmpty;
    if (HasForbiddenLoginChar(teacherId)) return LoginFieldVerdict::IdForbiddenChar;
    if (teacherId.size() > kMaxTeacherIdLength) return LoginFieldVerdict::IdTooLong;
    if (HasForbiddenLoginChar(folderName) || IsDotsOnly(folderName)) return LoginFieldVerdict::FolderForbidden;
    return LoginFieldVerdict::Accepted;
}
