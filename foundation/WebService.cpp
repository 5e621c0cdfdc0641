#include "foundation/WebService.h"

#include "foundation/ConfigProfile.h"
#include "foundation/HttpClient.h"
#include "foundation/Md5Digest.h"
#include "foundation/StringUtil.h"
#include "framework/ExceptionGuard.h"
#include "framework/PostOwned.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

const wchar_t kWebServiceHostKey[] = L"webservicehost";
const wchar_t kAbnormalEndPath[] = L"/lumora/rsinfo/abnormalEndInfo.jsp";

namespace {

CString BodyAsText(const std::vector<BYTE>& body)
{
    CString text = AnsiToWide(std::string(body.begin(), body.end()));
    return CString(TrimBlanks(text.Str()));
}

void RunReportWorker(AbnormalEndRequest request, HWND notifyWindow, UINT notifyMessage)
{
    AfxCallGuarded(L"the abnormal-end report", [&] {
        auto reply = std::make_unique<WebServiceReply>();
        const bool accepted = SendAbnormalEndRequest(request, *reply);
        PostOwnedInLParam(notifyWindow, notifyMessage, accepted, std::move(reply));
    });
}

} // namespace

CString RequestWebService(const wchar_t* url, const wchar_t* query)
{
    std::vector<BYTE> body;
    CString fileName;
    if (HttpGetUrl(url, query, body, fileName) != kHttpOk) return CString(kWebServiceFailureReply);
    return BodyAsText(body);
}

CString AnsiMd5Hex(const CString& text)
{
    std::string bytes = WideToAnsi(text);
    CMd5Digest digest;
    CString hex;
    digest.Update(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    if (!digest.GetHexDigest(hex)) hex.Empty();
    return hex;
}

AbnormalEndRequest MakeAbnormalEndRequest(int slotNumber, int kind)
{
    AbnormalEndRequest request;
    CString host = GetConfigString(L"config", kWebServiceHostKey, L"");
    host.Trim();
    if (!host.IsEmpty()) request.url = host + kAbnormalEndPath;

    CString val1, val3, sid;
    val1.Format(L"%d", static_cast<int>(GetTickCount()));
    val3.Format(L"%d", kind);
    sid.Format(L"%d", slotNumber);
    CString tid = GetConfigString(L"config", L"teacherid", L"");
    CString val2 = AnsiMd5Hex(val1 + L"." + val3 + tid + sid);
    request.query.Format(L"val1=%s&val2=%s&val3=%s&tid=%s&sid=%s", val1.GetString(), val2.GetString(),
                         val3.GetString(), tid.GetString(), sid.GetString());
    request.expectedCode = AnsiMd5Hex(val2);
    return request;
}

bool SendAbnormalEndRequest(const AbnormalEndRequest& request, WebServiceReply& reply)
{
    reply = WebServiceReply();
    if (request.url.IsEmpty()) return false;
    CString text = RequestWebService(request.url, request.query);
    if (!ParseServiceReply(text.Str(), reply)) return false;
    if (request.expectedCode.IsEmpty() || reply.code != request.expectedCode.Str()) {
        reply.result = L"false";
        return false;
    }
    return true;
}

bool ReportPadAbnormalEnd(int slotNumber, int kind, WebServiceReply& reply)
{
    return SendAbnormalEndRequest(MakeAbnormalEndRequest(slotNumber, kind), reply);
}

bool StartPadAbnormalEndReport(int slotNumber, int kind, HWND notifyWindow, UINT notifyMessage)
{
    AbnormalEndRequest request = MakeAbnormalEndRequest(slotNumber, kind);
    if (request.url.IsEmpty()) return false;
    try {
        std::thread(RunReportWorker, std::move(request), notifyWindow, notifyMessage).detach();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}
