#include "foundation/HttpClient.h"

#include "foundation/StringUtil.h"
#include "foundation/core/ServiceReply.h"
#include "foundation/core/UrlEncoding.h"

#include <string>

namespace {

const DWORD kReadPieceBytes = 4096;
const wchar_t kRequestHeaders[] =
    L"Accept: */*\r\n"
    L"Accept-Language: ko\r\n"
    L"User-Agent: Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)\r\n"
    L"Connection: Close\r\n";

// Redirects are reported, not followed; a report must reach the service and its reply is not
// kept in the URL cache.
const DWORD kRequestFlags = INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;

class CInternetHandle {
public:
    explicit CInternetHandle(HINTERNET handle) : m_handle(handle) {}
    ~CInternetHandle() { if (m_handle) InternetCloseHandle(m_handle); }
    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;
    operator HINTERNET() const { return m_handle; }

private:
    HINTERNET m_handle;
};

void SetTimeouts(HINTERNET session)
{
    DWORD timeout = kHttpTimeoutMs;
    InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
    InternetSetOptionW(session, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof(timeout));
    InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
}

bool MakeObjectName(const CString& path, const wchar_t* query, CString& objectName)
{
    CString encoded;
    if (!UrlEncodeParams(CString(query), encoded)) return false;
    objectName = CString(MakeRequestObjectName(path.Str(), encoded.Str()));
    return true;
}

const wchar_t* OrNull(const CString& text)
{
    return text.IsEmpty() ? nullptr : text.GetString();
}

int HttpGet(const HttpTarget& target, const wchar_t* query, bool secure, std::vector<BYTE>& body, CString& fileName)
{
    body.clear();
    fileName.Empty();
    CInternetHandle session(InternetOpenW(secure ? nullptr : L"Lumora", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return kHttpNoSession;
    SetTimeouts(session);

    CInternetHandle connection(InternetConnectW(session, target.host, target.port,
                                                secure ? nullptr : OrNull(target.user),
                                                secure ? nullptr : OrNull(target.password),
                                                INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return kHttpNoConnection;

    CString objectName;
    if (!MakeObjectName(target.path, query, objectName)) return kHttpRequestFailed;
    DWORD flags = kRequestFlags | (secure ? INTERNET_FLAG_SECURE : 0);
    CInternetHandle request(HttpOpenRequestW(connection, L"GET", objectName, L"HTTP/1.0", nullptr, nullptr, flags, 0));
    if (!request) return kHttpRequestFailed;
    if (!HttpSendRequestW(request, kRequestHeaders, static_cast<DWORD>(-1), nullptr, 0)) return kHttpRequestFailed;
    return ReadHttpReply(request, body, fileName);
}

bool QueryHeaderText(HINTERNET request, DWORD info, CString& text)
{
    DWORD bytes = 0;
    HttpQueryInfoW(request, info, nullptr, &bytes, nullptr);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) return false;
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD capacity = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (!HttpQueryInfoW(request, info, &buffer[0], &capacity, nullptr)) return false;
    buffer.resize(capacity / sizeof(wchar_t));
    text = CString(std::move(buffer));
    return true;
}

bool AnnouncedTooLong(HINTERNET request)
{
    DWORD length = 0;
    DWORD size = sizeof(length);
    return HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr) &&
           length > kHttpMaxBodyBytes;
}

bool ReadBody(HINTERNET request, std::vector<BYTE>& body)
{
    if (AnnouncedTooLong(request)) return false;
    BYTE piece[kReadPieceBytes];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, piece, sizeof(piece), &read)) return false;
        if (read == 0) return true;
        if (body.size() + read > kHttpMaxBodyBytes) return false;
        body.insert(body.end(), piece, piece + read);
    }
}

} // namespace

bool UrlEncodeParams(const CString& text, CString& encoded)
{
    std::string bytes;
    if (!UrlEncodeBytes(WideToAnsi(text), bytes)) {
        encoded.Empty();
        return false;
    }
    encoded = AnsiToWide(bytes);
    return true;
}

int ReadHttpReply(HINTERNET request, std::vector<BYTE>& body, CString& fileName)
{
    body.clear();
    fileName.Empty();
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return kHttpBadStatus;
    if (status == HTTP_STATUS_MOVED || status == HTTP_STATUS_REDIRECT || status == HTTP_STATUS_REDIRECT_METHOD)
        return kHttpRedirected;
    if (status != HTTP_STATUS_OK) return kHttpBadStatus;

    if (!ReadBody(request, body)) {
        body.clear();
        return kHttpBodyUnreadable;
    }
    CString disposition;
    if (QueryHeaderText(request, HTTP_QUERY_CONTENT_DISPOSITION, disposition))
        fileName = CString(DispositionFileName(disposition.Str()));
    return kHttpOk;
}

int HttpGetPlain(const HttpTarget& target, const wchar_t* query, std::vector<BYTE>& body, CString& fileName)
{
    return HttpGet(target, query, false, body, fileName);
}

int HttpGetSecure(const HttpTarget& target, const wchar_t* query, std::vector<BYTE>& body, CString& fileName)
{
    return HttpGet(target, query, true, body, fileName);
}

int HttpGetUrl(const wchar_t* url, const wchar_t* query, std::vector<BYTE>& body, CString& fileName)
{
    body.clear();
    fileName.Empty();
    if (!url || !*url) return kHttpBadUrl;
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    wchar_t user[INTERNET_MAX_USER_NAME_LENGTH] = {};
    wchar_t password[INTERNET_MAX_PASSWORD_LENGTH] = {};
    std::wstring path(INTERNET_MAX_URL_LENGTH, L'\0');
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.lpszHostName = host;
    parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    parts.lpszUserName = user;
    parts.dwUserNameLength = INTERNET_MAX_USER_NAME_LENGTH;
    parts.lpszPassword = password;
    parts.dwPasswordLength = INTERNET_MAX_PASSWORD_LENGTH;
    parts.lpszUrlPath = &path[0];
    parts.dwUrlPathLength = INTERNET_MAX_URL_LENGTH;
    if (!InternetCrackUrlW(url, 0, 0, &parts)) return kHttpBadUrl;

    HttpTarget target;
    target.host = host;
    target.port = parts.nPort;
    target.path = path.c_str();
    if (target.path.IsEmpty()) target.path = L"/";
    target.user = user;
    target.password = password;
    if (parts.nScheme == INTERNET_SCHEME_HTTP) return HttpGetPlain(target, query, body, fileName);
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) return HttpGetSecure(target, query, body, fileName);
    return kHttpBadUrl;
}
