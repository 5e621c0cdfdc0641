#include "foundation/core/ServiceReply.h"
#include "foundation/core/UrlEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HttpQueryTextTest, EncodesEveryByteOutsideTheKeptSet)
{
    std::string text;
    ASSERT_TRUE(UrlEncodeBytes("AZaz09!%'()*-./:_~", text));
    EXPECT_EQ(text, "AZaz09!%'()*-./:_~");
    ASSERT_TRUE(UrlEncodeBytes(std::string("a b=c&d+\"#?\xE9\xFF\x00", 14), text));
    EXPECT_EQ(text, "a%20b%3dc%26d%2b%22%23%3f%e9%ff%00");
    ASSERT_TRUE(UrlEncodeBytes("", text));
    EXPECT_EQ(text, "");
}

TEST(HttpQueryTextTest, RefusesAnEncodingLongerThan1023Characters)
{
    std::string text;
    EXPECT_TRUE(UrlEncodeBytes(std::string(1023, 'a'), text));
    EXPECT_EQ(text.size(), 1023u);
    EXPECT_FALSE(UrlEncodeBytes(std::string(1024, 'a'), text));
    EXPECT_TRUE(text.empty());
    // 340 escapes make 1020 characters; one more byte kept fits, an escape does not.
    EXPECT_TRUE(UrlEncodeBytes(std::string(340, ' ') + "abc", text));
    EXPECT_FALSE(UrlEncodeBytes(std::string(341, ' ') + "a", text));
}

TEST(HttpQueryTextTest, ObjectNameRestoresOnlyTheFormSeparators)
{
    EXPECT_EQ(MakeRequestObjectName(L"/p/q.jsp", L"a%3d1%26b%3d%20x"), L"/p/q.jsp?a=1&b=%20x");
    EXPECT_EQ(MakeRequestObjectName(L"/p", L""), L"/p");
    // Upper-case escapes were in the caller's text already and stay.
    EXPECT_EQ(MakeRequestObjectName(L"/", L"v%3d%3D%2626"), L"/?v=%3D&26");
}

TEST(HttpQueryTextTest, ParsesKeyLinesTrimmedAndLastOneWins)
{
    WebServiceReply reply;
    reply.rsport = L"stale";
    EXPECT_TRUE(ParseServiceReply(L"  result:  true \r\ncode:77\r\nmessage: a: b \r\nrsip:10.0.0.1\n", reply));
    EXPECT_EQ(reply.result, L"true");
    EXPECT_EQ(reply.code, L"77");
    EXPECT_EQ(reply.message, L"a: b");
    EXPECT_EQ(reply.rsip, L"10.0.0.1");
    EXPECT_EQ(reply.rsport, L"");   // emptied before parsing

    EXPECT_FALSE(ParseServiceReply(L"result:true\nresult:false\nResult:true\nxcode:1\n code :2", reply));
    EXPECT_EQ(reply.result, L"false");
    EXPECT_EQ(reply.code, L"");
    EXPECT_FALSE(ParseServiceReply(L"result:TRUE", reply));
    EXPECT_FALSE(ParseServiceReply(L"", reply));

    EXPECT_FALSE(ParseServiceReply(kWebServiceFailureReply, reply));
    EXPECT_EQ(reply.result, L"false");
    EXPECT_EQ(reply.code, L"404");
    EXPECT_EQ(reply.message, L"Failed to access to the URL page.");
}

TEST(HttpQueryTextTest, DispositionFileNameIsTheTrimmedFilenameValue)
{
    EXPECT_EQ(DispositionFileName(L"attachment; filename= a b.txt ; size=3"), L"a b.txt");
    EXPECT_EQ(DispositionFileName(L"attachment;filename=x.bin"), L"x.bin");
    EXPECT_EQ(DispositionFileName(L"attachment"), L"");
    EXPECT_EQ(DispositionFileName(L"filename="), L"");
}

} // namespace
