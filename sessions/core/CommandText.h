// Command texts as they travel between the console and the student agents: a nine-character tag
// such as "[KW00050]" followed directly by its arguments, fields separated by ",".
//
// Wire text is UTF-16 and the portable code holds it as std::u16string (char16_t). On Windows
// wchar_t is the same 16-bit unit, so a CString converts without re-encoding:
//   std::u16string wire(reinterpret_cast<const char16_t*>(s.GetString()), s.GetLength());
//   CString s(reinterpret_cast<const wchar_t*>(wire.c_str()), static_cast<int>(wire.size()));
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr size_t kTagLength = 9;
// The most fields any command carries; a splitter stores no more than this many.
constexpr size_t kMaxCommandFields = 16;

// Texts shorter than a tag carry no command and are ignored by every receiver.
bool HasTag(const std::u16string& text);
// The first nine characters compared exactly.
bool IsTag(const std::u16string& text, const std::u16string& tag);
std::u16string TagOf(const std::u16string& text);
std::u16string ArgumentsOf(const std::u16string& text);

// Splits at every separator (n separators give n + 1 fields, empty ones included; "" is one empty
// field) and returns the number of fields. Only the first maxStored fields are stored, so a text
// of a million commas costs no more memory than one with a few.
size_t SplitFields(const std::u16string& text, char16_t separator, size_t maxStored,
                   std::vector<std::u16string>& fields);

// The whole text split into exactly count fields; false (fields emptied) for any other count.
bool SplitExactly(const std::u16string& text, size_t count, std::vector<std::u16string>& fields);

// The integer a C runtime's atoi reads: leading blanks, an optional sign, the digits up to the
// first other character; 0 when there are none. Values beyond int saturate instead of wrapping.
int ParseLeadingInt(const std::u16string& text);
// Only decimal digits (at least one) that fit in an int; nothing else is accepted.
bool ParseDecimal(const std::u16string& text, int& value);

std::u16string DecimalText(long long value);
// ASCII text widened unit by unit (for tags and fixed words).
std::u16string WidenAscii(const std::string& text);
// UTF-8 of the text; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(const std::u16string& text);
// The UTF-16LE bytes of the text, as digests over wire text are taken.
std::string Utf16LeBytes(const std::u16string& text);

std::u16string BoolWord(bool value);    // "true" / "false"

// Version strings compare field by field, digit fields as numbers ("2.0.1.999" < "2.0.1.1046").
bool IsVersionAtLeast(const std::u16string& version, const std::u16string& minimum);

// Commas of a chat line travel as "&comma;" to agents from version 2.0.1.1046 on; older agents
// get a blank in their place.
std::u16string EscapeChatCommas(const std::u16string& text, const std::u16string& agentVersion);
std::u16string UnescapeChatCommas(const std::u16string& text);

// "[KW00008]" with "1,2" gives "[KW00008]1,2"; fields are joined with ",".
std::u16string CommandWith(const std::u16string& tag, const std::vector<std::u16string>& fields);
