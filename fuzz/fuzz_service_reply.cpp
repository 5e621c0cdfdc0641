// Feeds arbitrary bytes, as a web-service reply body and as a settings file, to the parsers
// that read them. A parsed reply holds only trimmed values; a converted UTF-16 file starts with
// the little-endian mark and loses no character but a big-endian mark it replaced.
#include "foundation/core/ServiceReply.h"
#include "foundation/core/TextEncoding.h"
#include "foundation/core/UrlEncoding.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool Trimmed(const std::wstring& text)
{
    return TrimBlanks(text) == text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring text(data, data + size);   // each byte as one character, as the ANSI widening does for ASCII
    WebServiceReply reply;
    bool accepted = ParseServiceReply(text, reply);
    if (accepted != (reply.result == L"true")) std::abort();
    if (!Trimmed(reply.result) || !Trimmed(reply.code) || !Trimmed(reply.message) || !Trimmed(reply.rsip) ||
        !Trimmed(reply.rsport))
        std::abort();
    if (!Trimmed(DispositionFileName(text))) std::abort();

    std::string encoded;
    if (UrlEncodeBytes(std::string(data, data + size), encoded) && encoded.size() > kMaxEncodedQueryLength)
        std::abort();

    std::vector<uint8_t> bytes(data, data + size);
    TextFileEncoding encoding = SniffTextFileEncoding(bytes);
    if (encoding == TextFileEncoding::Utf16LeUnmarked || encoding == TextFileEncoding::Utf16BigEndian) {
        std::vector<uint8_t> marked = ToMarkedUtf16Le(bytes, encoding);
        bool hadMark = size >= 2 && data[0] == 0xFE && data[1] == 0xFF;
        if (marked.size() != (size & ~size_t{1}) + (hadMark ? 0 : 2)) std::abort();
        if (marked[0] != 0xFF || marked[1] != 0xFE) std::abort();
    }
    return 0;
}
