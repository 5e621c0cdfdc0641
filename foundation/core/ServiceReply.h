// The web service's line-based replies ("key:value" per line) and small reply-header rules.
#pragma once

#include <string>

struct WebServiceReply {
    std::wstring result;
    std::wstring message;
    std::wstring code;
    std::wstring rsip;
    std::wstring rsport;
};

// What a caller sees in place of a reply when the request failed.
extern const wchar_t kWebServiceFailureReply[];

// Empties the record and fills it from the reply's lines; a later line of a key overwrites an
// earlier one, other lines are ignored. True when the result is exactly "true".
bool ParseServiceReply(const std::wstring& reply, WebServiceReply& record);

// Trims blanks, tabs, CR and LF at both ends.
std::wstring TrimBlanks(const std::wstring& text);

// The text after "filename=" in a Content-Disposition header, up to ";" or the end, trimmed;
// empty when there is none.
std::wstring DispositionFileName(const std::wstring& header);
