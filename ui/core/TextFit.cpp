#include "ui/core/TextFit.h"

namespace {

const wchar_t kEllipsis[] = L"...";
constexpr size_t kEllipsisLength = 3;

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

std::wstring FitTextWithEllipsis(const std::wstring& text, int width,
                                 const TextWidthMeasure& measure)
{
    if (measure(text.c_str(), text.size()) <= width)
        return text;
    const int ellipsisWidth = measure(kEllipsis, kEllipsisLength);
    size_t kept = text.size();
    while (kept > 0) {
        --kept;
        if (kept > 0 && IsHighSurrogate(text[kept - 1]))
            continue;   // never end on half of a pair
        if (measure(text.c_str(), kept) + ellipsisWidth <= width)
            break;
    }
    return text.substr(0, kept) + kEllipsis;
}
