// Splitting texts into pieces, "\n"-separated lists of items, and space-separated flag lists.
#pragma once

#include <string>
#include <vector>

// Empties pieces, drops every double quote from the text and appends each piece between
// delimiters, the last one included (so "a,b," gives "a", "b" and ""). With the delimiter
// "\n" or "\r\n" every "\r\n" counts as "\n". A text that is empty once its quotes are gone
// gives no pieces; an empty delimiter gives the whole text as one piece.
void SplitText(const std::wstring& text, const std::wstring& delimiter, std::vector<std::wstring>& pieces);

// Appends the item to a "\n"-separated list unless a stored item, trimmed, equals it.
void AddLineToList(std::wstring& list, const std::wstring& item);

// Removes every stored item that, trimmed, equals the item, and the empty lines this leaves.
void RemoveLineFromList(std::wstring& list, const std::wstring& item);

// Appends a flag to a space-separated flag text unless it is already one of its words.
// False when the flag was already there (the text is unchanged).
bool AddWordFlag(std::wstring& flags, const std::wstring& flag);
