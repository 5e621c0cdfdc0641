#include "HttpTestServer.h"
#include "SettingsTestApp.h"
#include "foundation/ConfigProfile.h"
#include "foundation/HttpClient.h"
#include "foundation/WebService.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

const UINT kReportDone = WM_APP + 55;

std::map<std::wstring, std::wstring> QueryFields(const std::wstring& query)
{
    std::map<std::wstring, std::wstring> fields;
    size_t start = 0;
    while (start < query.size()) {
        size_t end = query.find(L'&', start);
        if (end == std::wstring::npos) end = query.size();
        std::wstring pair = query.substr(start, end - start);
        size_t equals = pair.find(L'=');
        fields[pair.substr(0, equals)] = equals == std::wstring::npos ? L"" : pair.substr(equals + 1);
        start = end + 1;
    }
    return fields;
}

class HttpWebServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(AfxGetApp(), &SettingsTestApp());
        m_base = HttpTestServerUrl();
        ASSERT_FALSE(m_base.IsEmpty()) << "the Python web-service double did not start";
        SetConfigString(L"config", kWebServiceHostKey, m_base);
        SetConfigString(L"config", L"teacherid", L"T100");
    }
    void TearDown() override
    {
        SetConfigString(L"config", kWebServiceHostKey, L"");
        SetConfigString(L"config", L"teacherid", L"");
    }

    CString m_base;
};

TEST_F(HttpWebServiceTest, RequestGivesTheTrimmedBodyOrTheFailureReply)
{
    CString reply = RequestWebService(m_base + L"/reply", L"");
    EXPECT_EQ(reply, L"result:  true \r\ncode:77\r\nmessage: fine \r\nrsip:10.0.0.9");
    WebServiceReply record;
    EXPECT_TRUE(ParseServiceReply(reply.Str(), record));
    EXPECT_EQ(record.code, L"77");
    EXPECT_EQ(record.message, L"fine");
    EXPECT_EQ(record.rsip, L"10.0.0.9");

    for (const wchar_t* url : {L"/status/301", L"/status/500"})
        EXPECT_EQ(RequestWebService(m_base + url, L""), kWebServiceFailureReply) << CString(url).GetString();
    EXPECT_EQ(RequestWebService(L"ftp://127.0.0.1/x", L""), kWebServiceFailureReply);
    EXPECT_EQ(RequestWebService(L"http://127.0.0.1:1/x", L""), kWebServiceFailureReply);
}

TEST_F(HttpWebServiceTest, AbnormalEndReportIsAcceptedWhenTheServiceEchoesTheDigest)
{
    SetConfigString(L"config", L"teacherid", L"t 1");
    WebServiceReply reply;
    ASSERT_TRUE(ReportPadAbnormalEnd(5, 2, reply)) << reply.message;
    EXPECT_EQ(reply.result, L"true");

    // The double answers with the query it received as its message.
    auto fields = QueryFields(reply.message);
    ASSERT_EQ(fields.size(), 5u) << reply.message;
    EXPECT_EQ(fields[L"val3"], L"2");
    EXPECT_EQ(fields[L"tid"], L"t%201");
    EXPECT_EQ(fields[L"sid"], L"5");
    CString val1(fields[L"val1"]);
    EXPECT_EQ(CString(fields[L"val2"]), AnsiMd5Hex(val1 + L".2t 15"));
    EXPECT_EQ(fields[L"val2"].size(), 32u);
    EXPECT_EQ(CString(reply.code), AnsiMd5Hex(CString(fields[L"val2"])));
    EXPECT_EQ(reply.message.rfind(L"val1=", 0), 0u);
}

TEST_F(HttpWebServiceTest, AWrongEchoOrNoServiceIsNotAccepted)
{
    SetConfigString(L"config", L"teacherid", L"badecho");
    WebServiceReply reply;
    EXPECT_FALSE(ReportPadAbnormalEnd(3, 2, reply));
    EXPECT_EQ(reply.result, L"false");
    EXPECT_EQ(reply.code.size(), 32u);

    SetConfigString(L"config", kWebServiceHostKey, L"http://127.0.0.1:1");
    EXPECT_FALSE(ReportPadAbnormalEnd(3, 2, reply));
    EXPECT_EQ(reply.result, L"false");
    EXPECT_EQ(reply.code, L"404");
    EXPECT_EQ(reply.message, L"Failed to access to the URL page.");

    // Without a configured host nothing is sent at all.
    SetConfigString(L"config", kWebServiceHostKey, L"");
    EXPECT_TRUE(MakeAbnormalEndRequest(3, 2).url.IsEmpty());
    EXPECT_FALSE(ReportPadAbnormalEnd(3, 2, reply));
    EXPECT_EQ(reply.result, L"");
    EXPECT_FALSE(StartPadAbnormalEndReport(3, 2, nullptr, kReportDone));
}

TEST_F(HttpWebServiceTest, BackgroundReportLeavesTheCallerFreeAndPostsTheReply)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetConfigString(L"config", L"teacherid", L"hold");

    // The double holds this report until /release: a caller that waited for the reply could
    // never send that request.
    ASSERT_TRUE(StartPadAbnormalEndReport(7, 2, window, kReportDone));
    std::vector<BYTE> body;
    CString fileName;
    EXPECT_EQ(HttpGetUrl(m_base + L"/release", L"", body, fileName), kHttpOk);

    MSG msg{};
    bool arrived = false;
    DWORD deadline = GetTickCount() + 60000;
    while (!arrived && static_cast<LONG>(deadline - GetTickCount()) > 0) {
        if (PeekMessageW(&msg, window, kReportDone, kReportDone, PM_REMOVE)) {
            arrived = true;
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, deadline - GetTickCount(), QS_POSTMESSAGE);
        }
    }
    ASSERT_TRUE(arrived);
    std::unique_ptr<WebServiceReply> reply(reinterpret_cast<WebServiceReply*>(msg.lParam));
    ASSERT_NE(reply, nullptr);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(reply->result, L"true");
    EXPECT_NE(reply->message.find(L"&tid=hold&sid=7"), std::wstring::npos) << reply->message;
    DestroyWindow(window);
}

} // namespace
