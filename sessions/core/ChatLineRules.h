// What the teacher may send as one chat line.
#pragma once

#include <string>

constexpr size_t kChatLineMaxChars = 1024;

enum class TypedChatVerdict {
    Send,
    Empty,       // nothing typed: nothing happens
    TooLong,     // more than kChatLineMaxChars characters
    Emoji,       // a lead surrogate of the emoji planes (0xD83C, 0xD83D)
};

TypedChatVerdict CheckTypedChatLine(const std::u16string& text);
