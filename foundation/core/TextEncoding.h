// Recognising the encoding of a settings file and turning UTF-16 without a mark into the
// marked little-endian form the system's profile functions read as Unicode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class TextFileEncoding {
    Utf16LeMarked,      // FF FE: already what we want
    Utf16LeUnmarked,    // only little-endian UTF-16 line breaks, no mark
    Utf16BigEndian,     // FE FF, or only big-endian UTF-16 line breaks
    Utf8,               // EF BB BF, or valid UTF-8 with at least one multi-byte sequence
    Ansi,               // anything else, the empty file included
};

TextFileEncoding SniffTextFileEncoding(const std::vector<uint8_t>& bytes);

// Valid UTF-8 over [data, data + size) holding at least one multi-byte sequence; a sequence
// cut off by the end still counts when an earlier one was complete.
bool LooksLikeUtf8(const uint8_t* data, size_t size);

// The UTF-16LE bytes with a leading FF FE for a file of either UTF-16 kind. A big-endian file
// is byte-swapped first; a mark already present is not doubled; a dangling odd byte is dropped.
std::vector<uint8_t> ToMarkedUtf16Le(const std::vector<uint8_t>& bytes, TextFileEncoding encoding);

// "<path without extension>_<date><nn><extension>", e.g. config_2024051701.ini.
std::wstring MakeBackupFileName(const std::wstring& path, const std::wstring& date, int number);
