#include "foundation/core/UrlEncoding.h"

namespace {

bool IsKeptCharacter(unsigned char ch)
{
    if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) return true;
    switch (ch) {
    case '!': case '%': case '\'': case '(': case ')': case '*': case '-': case '.': case '/':
    case ':': case '_': case '~':
        return true;
    default:
        return false;
    }
}

void ReplaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to)
{
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

bool UrlEncodeBytes(const std::string& bytes, std::string& text)
{
    static const char kHex[] = "0123456789abcdef";
    text.clear();
    for (char raw : bytes) {
        unsigned char ch = static_cast<unsigned char>(raw);
        size_t needed = IsKeptCharacter(ch) ? 1 : 3;
        if (text.size() + needed > kMaxEncodedQueryLength) {
            text.clear();
            return false;
        }
        if (needed == 1) {
            text += static_cast<char>(ch);
        } else {
            text += '%';
            text += kHex[ch >> 4];
            text += kHex[ch & 0x0F];
        }
    }
    return true;
}

std::wstring MakeRequestObjectName(const std::wstring& path, const std::wstring& encodedQuery)
{
    std::wstring query = encodedQuery;
    ReplaceAll(query, L"%3d", L"=");
    ReplaceAll(query, L"%26", L"&");
    return query.empty() ? path : path + L"?" + query;
}
