// Cutting a text to a width with "..." at the end, over any way of measuring text.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The width of the first count characters of a text.
using TextWidthMeasure = std::function<int(const wchar_t* text, size_t count)>;

// The text itself when it fits the width; otherwise the longest start of it that fits together
// with "..." (measured as its three characters), followed by "...". When not even "..." fits,
// "..." alone. A surrogate pair is never split.
std::wstring FitTextWithEllipsis(const std::wstring& text, int width,
                                 const TextWidthMeasure& measure);
