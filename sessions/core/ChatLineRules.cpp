#include "sessions/core/ChatLineRules.h"

TypedChatVerdict CheckTypedChatLine(const std::u16string& text)
{
    if (text.empty())
        return TypedChatVerdict::Empty;
    if (text.size() > kChatLineMaxChars)
        return TypedChatVerdict::TooLong;
    for (char16_t ch : text) {
        if (ch == 0xD83C || ch == 0xD83D)
            return TypedChatVerdict::Emoji;
    }
    return TypedChatVerdict::Send;
}
