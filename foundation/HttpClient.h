// WinINet HTTP GET client for the web service: form-style query, fixed headers, 30-second
// time-outs, and the reply body of a 200 status.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <wininet.h>

#include "framework/AfxString.h"

#include <cstddef>
#include <vector>

// Result codes; 0 is success.
enum HttpResult : int {
    kHttpOk = 0,
    kHttpBadUrl = -100,           // unparsable URL, or neither http nor https
    kHttpNoSession = -101,        // the internet session cannot be opened
    kHttpNoConnection = -102,     // no connection to the host
    kHttpRequestFailed = -103,    // query not encodable, request not opened or not sent
    kHttpBodyUnreadable = -104,   // the body cannot be read or exceeds kHttpMaxBodyBytes
    kHttpBadStatus = -105,        // status neither 200 nor 301 to 303
    kHttpRedirected = -106,       // status 301, 302 or 303
};

// A reply body is refused beyond this size: a reply is a few lines of text.
constexpr size_t kHttpMaxBodyBytes = 1024 * 1024;
constexpr DWORD kHttpTimeoutMs = 30000;

struct HttpTarget {
    CString host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    CString path;
    CString user;
    CString password;
};

// Parses the URL and runs HttpGetPlain (http) or HttpGetSecure (https).
int HttpGetUrl(const wchar_t* url, const wchar_t* query, std::vector<BYTE>& body, CString& fileName);
int HttpGetPlain(const HttpTarget& target, const wchar_t* query, std::vector<BYTE>& body, CString& fileName);
// Over TLS, without agent name, user name or password.
int HttpGetSecure(const HttpTarget& target, const wchar_t* query, std::vector<BYTE>& body, CString& fileName);

// Reads the status and, for 200, the body and the Content-Disposition file name.
int ReadHttpReply(HINTERNET request, std::vector<BYTE>& body, CString& fileName);

// The text in the ANSI code page, URL-encoded (UrlEncodeBytes); false when too long.
bool UrlEncodeParams(const CString& text, CString& encoded);
