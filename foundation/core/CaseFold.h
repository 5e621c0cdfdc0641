// Comparing names a teacher types as the same whatever their letter case: Latin (with Latin-1
// and Latin Extended-A), Greek, Cyrillic and the full-width Latin letters. Hangul has no case.
#pragma once

#include <string>

// The lower-case letter of an upper-case one of those ranges; any other character unchanged.
char16_t FoldCase(char16_t c);

bool EqualsIgnoringCase(const std::u16string& a, const std::u16string& b);
