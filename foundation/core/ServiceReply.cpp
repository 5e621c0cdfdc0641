#include "foundation/core/ServiceReply.h"

const wchar_t kWebServiceFailureReply[] = L"result:false\ncode:404\nmessage:Failed to access to the URL page.";

namespace {

const wchar_t kBlanks[] = L" \t\r\n\v\f";

bool TakeValue(const std::wstring& line, const wchar_t* key, std::wstring& field)
{
    std::wstring prefix(key);
    if (line.compare(0, prefix.size(), prefix) != 0) return false;
    field = TrimBlanks(line.substr(prefix.size()));
    return true;
}

} // namespace

std::wstring TrimBlanks(const std::wstring& text)
{
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring::npos) return std::wstring();
    size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool ParseServiceReply(const std::wstring& reply, WebServiceReply& record)
{
    record = WebServiceReply();
    size_t start = 0;
    while (start <= reply.size()) {
        size_t end = reply.find(L'\n', start);
        if (end == std::wstring::npos) end = reply.size();
        std::wstring line = TrimBlanks(reply.substr(start, end - start));
        if (!TakeValue(line, L"result:", record.result) && !TakeValue(line, L"message:", record.message) &&
            !TakeValue(line, L"code:", record.code) && !TakeValue(line, L"rsip:", record.rsip))
            TakeValue(line, L"rsport:", record.rsport);
        start = end + 1;
    }
    return record.result == L"true";
}

std::wstring DispositionFileName(const std::wstring& header)
{
    static const std::wstring kKey = L"filename=";
    size_t at = header.find(kKey);
    if (at == std::wstring::npos) return std::wstring();
    size_t begin = at + kKey.size();
    size_t end = header.find(L';', begin);
    return TrimBlanks(header.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin));
}
