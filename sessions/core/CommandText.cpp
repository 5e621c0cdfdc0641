#include "sessions/core/CommandText.h"

#include <algorithm>

#include <climits>

namespace {

const std::u16string kChatCommaEscape = u"&comma;";
const std::u16string kFirstEscapingAgent = u"2.0.1.1046";

bool IsBlank(char16_t ch)
{
    return ch == u' ' || (ch >= u'\t' && ch <= u'\r');
}

bool IsDigit(char16_t ch)
{
    return ch >= u'0' && ch <= u'9';
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::u16string ReplaceAll(const std::u16string& text, const std::u16string& from, const std::u16string& to)
{
    std::u16string out;
    out.reserve(text.size());
    size_t start = 0;
    for (;;) {
        size_t found = text.find(from, start);
        if (found == std::u16string::npos) break;
        out.append(text, start, found - start);
        out += to;
        start = found + from.size();
    }
    out.append(text, start, std::u16string::npos);
    return out;
}

} // namespace

bool HasTag(const std::u16string& text)
{
    return text.size() >= kTagLength;
}

bool IsTag(const std::u16string& text, const std::u16string& tag)
{
    return tag.size() == kTagLength && HasTag(text) && text.compare(0, kTagLength, tag) == 0;
}

std::u16string TagOf(const std::u16string& text)
{
    return HasTag(text) ? text.substr(0, kTagLength) : std::u16string();
}

std::u16string ArgumentsOf(const std::u16string& text)
{
    return HasTag(text) ? text.substr(kTagLength) : std::u16string();
}

size_t SplitFields(const std::u16string& text, char16_t separator, size_t maxStored,
                   std::vector<std::u16string>& fields)
{
    fields.clear();
    size_t count = 0;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        if (count < maxStored)
            fields.push_back(text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start));
        ++count;
        if (end == std::u16string::npos) return count;
        start = end + 1;
    }
}

bool SplitExactly(const std::u16string& text, size_t count, std::vector<std::u16string>& fields)
{
    if (SplitFields(text, u',', count, fields) == count) return true;
    fields.clear();
    return false;
}

int ParseLeadingInt(const std::u16string& text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

bool ParseDecimal(const std::u16string& text, int& value)
{
    if (text.empty()) return false;
    long long parsed = 0;
    for (char16_t ch : text) {
        if (!IsDigit(ch)) return false;
        parsed = parsed * 10 + (ch - u'0');
        if (parsed > INT_MAX) return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

std::u16string DecimalText(long long value)
{
    return WidenAscii(std::to_string(value));
}

std::u16string WidenAscii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

std::string Utf8FromUtf16(const std::u16string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::string Utf16LeBytes(const std::u16string& text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::u16string BoolWord(bool value)
{
    return value ? u"true" : u"false";
}

namespace {

bool IsAllDigits(const std::u16string& text)
{
    if (text.empty())
        return false;
    for (char16_t c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// Digit fields compare as numbers of any length (leading zeros ignored), others as text.
int CompareVersionField(const std::u16string& a, const std::u16string& b)
{
    if (!IsAllDigits(a) || !IsAllDigits(b))
        return a.compare(b);
    const std::u16string x = a.substr(std::min(a.find_first_not_of(u'0'), a.size()));
    const std::u16string y = b.substr(std::min(b.find_first_not_of(u'0'), b.size()));
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

std::vector<std::u16string> VersionFields(const std::u16string& version)
{
    std::vector<std::u16string> fields;
    size_t start = 0;
    for (;;) {
        const size_t dot = version.find(u'.', start);
        fields.push_back(version.substr(start, dot == std::u16string::npos ? std::u16string::npos : dot - start));
        if (dot == std::u16string::npos)
            return fields;
        start = dot + 1;
    }
}

} // namespace

bool IsVersionAtLeast(const std::u16string& version, const std::u16string& minimum)
{
    const std::vector<std::u16string> a = VersionFields(version);
    const std::vector<std::u16string> b = VersionFields(minimum);
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        // A missing field counts as 0: "2.0.1" is "2.0.1.0".
        const int order = CompareVersionField(i < a.size() ? a[i] : u"0", i < b.size() ? b[i] : u"0");
        if (order != 0)
            return order > 0;
    }
    return true;
}

std::u16string EscapeChatCommas(const std::u16string& text, const std::u16string& agentVersion)
{
    return ReplaceAll(text, u",", IsVersionAtLeast(agentVersion, kFirstEscapingAgent) ? kChatCommaEscape : u" ");
}

std::u16string UnescapeChatCommas(const std::u16string& text)
{
    return ReplaceAll(text, kChatCommaEscape, u",");
}

std::u16string CommandWith(const std::u16string& tag, const std::vector<std::u16string>& fields)
{
    std::u16string text = tag;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text += u',';
        text += fields[i];
    }
    return text;
}
