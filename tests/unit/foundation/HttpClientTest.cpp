#include "HttpTestServer.h"
#include "foundation/HttpClient.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_base = HttpTestServerUrl();
        ASSERT_FALSE(m_base.IsEmpty()) << "the Python web-service double did not start";
    }

    int Get(const wchar_t* path, const wchar_t* query)
    {
        return HttpGetUrl(m_base + path, query, m_body, m_fileName);
    }

    std::string BodyText() const { return std::string(m_body.begin(), m_body.end()); }

    CString m_base;
    std::vector<BYTE> m_body;
    CString m_fileName;
};

TEST_F(HttpClientTest, QueryValuesAreEncodedWhileTheFormSeparatorsStay)
{
    struct Case {
        const wchar_t* query;
        const char* sent;
    } cases[] = {
        {L"a=1&b=2", "a=1&b=2"},
        {L"name=two words&x=y", "name=two%20words&x=y"},
        {L"v=%41%3D", "v=%41%3D"},                       // an existing escape passes unchanged
        {L"path=C:/x_y-z.~!*'()", "path=C:/x_y-z.~!*'()"},
        {L"q=a+b#c?d", "q=a%2bb%23c%3fd"},
        {L"k=\u00e9", "k=%e9"},                          // the ANSI byte, not UTF-8
        {L"", ""},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Get(L"/echo", c.query), kHttpOk) << c.sent;
        EXPECT_EQ(BodyText(), c.sent);
    }
}

TEST_F(HttpClientTest, SendsTheFixedHeadersOverHttp10)
{
    ASSERT_EQ(Get(L"/headers", L""), kHttpOk);
    std::string text = BodyText();
    EXPECT_EQ(text.rfind("GET /headers HTTP/1.0\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("Accept: */*"), std::string::npos) << text;
    EXPECT_NE(text.find("Accept-Language: ko"), std::string::npos) << text;
    EXPECT_NE(text.find("User-Agent: Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)"), std::string::npos) << text;
}

TEST_F(HttpClientTest, StatusCodesMapToResults)
{
    struct Case {
        const wchar_t* path;
        int result;
    } cases[] = {
        {L"/status/200", kHttpOk},
        {L"/status/301", kHttpRedirected},
        {L"/status/302", kHttpRedirected},
        {L"/status/303", kHttpRedirected},
        {L"/status/304", kHttpBadStatus},
        {L"/status/404", kHttpBadStatus},
        {L"/status/500", kHttpBadStatus},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Get(c.path, L""), c.result) << CString(c.path).GetString();
        if (c.result != kHttpOk) {
            EXPECT_TRUE(m_body.empty());
        }
    }
}

TEST_F(HttpClientTest, BodyIsCappedAtOneMebibyte)
{
    ASSERT_EQ(Get(L"/size/1048576", L""), kHttpOk);
    EXPECT_EQ(m_body.size(), kHttpMaxBodyBytes);
    EXPECT_EQ(Get(L"/size/1048577", L""), kHttpBodyUnreadable);
    EXPECT_TRUE(m_body.empty());
    ASSERT_EQ(Get(L"/size/10000", L""), kHttpOk);   // read in several pieces
    EXPECT_EQ(m_body.size(), 10000u);
}

TEST_F(HttpClientTest, FileNameComesFromContentDisposition)
{
    ASSERT_EQ(Get(L"/disposition", L""), kHttpOk);
    EXPECT_EQ(m_fileName, L"report 1.txt");
    ASSERT_EQ(Get(L"/echo", L"x=1"), kHttpOk);
    EXPECT_TRUE(m_fileName.IsEmpty());
}

TEST_F(HttpClientTest, RefusesBeforeSendingWhatItCannotRequest)
{
    // The limit counts the encoded text, in which "=" still takes three characters.
    std::wstring longQuery = L"v=" + std::wstring(1019, L'a');   // "v%3d" + 1019: the most
    EXPECT_EQ(Get(L"/echo", longQuery.c_str()), kHttpOk);
    EXPECT_EQ(m_body.size(), 1021u);
    longQuery += L'a';
    EXPECT_EQ(Get(L"/echo", longQuery.c_str()), kHttpRequestFailed);
    std::wstring encodedTooLong = L"v=" + std::wstring(340, L' ');   // 4 + 340 * 3 = 1024
    EXPECT_EQ(Get(L"/echo", encodedTooLong.c_str()), kHttpRequestFailed);

    EXPECT_EQ(HttpGetUrl(L"ftp://127.0.0.1/file", L"", m_body, m_fileName), kHttpBadUrl);
    EXPECT_EQ(HttpGetUrl(L"not a url", L"", m_body, m_fileName), kHttpBadUrl);
    EXPECT_EQ(HttpGetUrl(L"", L"", m_body, m_fileName), kHttpBadUrl);
}

TEST_F(HttpClientTest, UnreachableHostsFailTheRequest)
{
    // Port 1 on the loopback refuses at once, plain and secure alike.
    EXPECT_EQ(HttpGetUrl(L"http://127.0.0.1:1/echo", L"", m_body, m_fileName), kHttpRequestFailed);
    EXPECT_EQ(HttpGetUrl(L"https://127.0.0.1:1/echo", L"", m_body, m_fileName), kHttpRequestFailed);
}

} // namespace
