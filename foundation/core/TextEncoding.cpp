#include "foundation/core/TextEncoding.h"

#include <algorithm>

namespace {

bool IsContinuation(uint8_t byte)
{
    return byte >= 0x80 && byte <= 0xBF;
}

// Number of continuation bytes a lead byte announces; -1 for a byte that cannot start a
// sequence, 0 for ASCII.
int ContinuationCount(uint8_t lead)
{
    if (lead < 0x80) return 0;
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return -1;
}

bool IsLineBreakByte(uint8_t byte)
{
    return byte == '\r' || byte == '\n';
}

} // namespace

bool LooksLikeUtf8(const uint8_t* data, size_t size)
{
    bool sawMultiByte = false;
    size_t i = 0;
    while (i < size) {
        int count = ContinuationCount(data[i]);
        if (count < 0) return false;
        if (count == 0) { ++i; continue; }
        size_t present = std::min(static_cast<size_t>(count), size - i - 1);
        for (size_t k = 1; k <= present; ++k)
            if (!IsContinuation(data[i + k])) return false;
        if (present < static_cast<size_t>(count)) return sawMultiByte;   // cut off by the end
        sawMultiByte = true;
        i += 1 + static_cast<size_t>(count);
    }
    return sawMultiByte;
}

TextFileEncoding SniffTextFileEncoding(const std::vector<uint8_t>& bytes)
{
    const size_t size = bytes.size();
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return TextFileEncoding::Utf16LeMarked;
    if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return TextFileEncoding::Utf16BigEndian;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return TextFileEncoding::Utf8;

    size_t textEnd = static_cast<size_t>(std::find(bytes.begin(), bytes.end(), uint8_t{0}) - bytes.begin());
    if (LooksLikeUtf8(bytes.data(), textEnd)) return TextFileEncoding::Utf8;

    if (size > 1) {
        bool littleBreaks = false;
        bool bigBreaks = false;
        for (size_t i = 0; i + 1 < size; i += 2) {
            if (IsLineBreakByte(bytes[i]) && bytes[i + 1] == 0) littleBreaks = true;
            if (bytes[i] == 0 && IsLineBreakByte(bytes[i + 1])) bigBreaks = true;
        }
        if (littleBreaks && !bigBreaks) return TextFileEncoding::Utf16LeUnmarked;
        if (bigBreaks && !littleBreaks) return TextFileEncoding::Utf16BigEndian;
    }
    return TextFileEncoding::Ansi;
}

std::vector<uint8_t> ToMarkedUtf16Le(const std::vector<uint8_t>& bytes, TextFileEncoding encoding)
{
    std::vector<uint8_t> units(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() & ~size_t{1}));
    if (encoding == TextFileEncoding::Utf16BigEndian)
        for (size_t i = 0; i < units.size(); i += 2) std::swap(units[i], units[i + 1]);
    bool marked = units.size() >= 2 && units[0] == 0xFF && units[1] == 0xFE;
    if (!marked) units.insert(units.begin(), {uint8_t{0xFF}, uint8_t{0xFE}});
    return units;
}

std::wstring MakeBackupFileName(const std::wstring& path, const std::wstring& date, int number)
{
    size_t nameStart = path.find_last_of(L"\\/");
    nameStart = nameStart == std::wstring::npos ? 0 : nameStart + 1;
    size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || dot < nameStart) dot = path.size();

    wchar_t digits[3] = {static_cast<wchar_t>(L'0' + number / 10 % 10), static_cast<wchar_t>(L'0' + number % 10), 0};
    return path.substr(0, dot) + L"_" + date + digits + path.substr(dot);
}
