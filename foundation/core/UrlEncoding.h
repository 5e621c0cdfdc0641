// Form-style query encoding for the web-service requests.
#pragma once

#include <cstddef>
#include <string>

// The longest encoded query a request may carry.
constexpr size_t kMaxEncodedQueryLength = 1023;

// Keeps ! % ' ( ) * - . / 0-9 : A-Z _ a-z ~ and writes every other byte as "%xx" (lower-case
// hex). False, with text emptied, when the result would exceed kMaxEncodedQueryLength.
bool UrlEncodeBytes(const std::string& bytes, std::string& text);

// The object name of a GET request: the path, and "?" with the encoded query when it is not
// empty. The encoded "%3d" and "%26" are turned back into "=" and "&" so the form's separators
// stay while the values stay encoded.
std::wstring MakeRequestObjectName(const std::wstring& path, const std::wstring& encodedQuery);
