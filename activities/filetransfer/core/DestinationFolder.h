// The destination folder on the student PCs, as the teacher sees it and as it is stored and
// sent. Two places have names of their own: the student's desktop and the student program's
// folder. The destination box shows them by their localised names; the recent list
// ("recentpath") and the "[KW00030]" command write them "DeskTop" and "Wendmark Client Foler"
// (spelled so). Either may be followed by a backslash and a sub-folder, which stays.
#pragma once

#include <string>
#include <vector>

struct DestinationNames {
    std::wstring desktop;        // the localised name of the student's desktop
    std::wstring programFolder;  // the localised name of the student program's folder
};

extern const wchar_t kStoredDesktop[];
extern const wchar_t kStoredProgramFolder[];

// The entries of the destination box from the "\n"-separated recent list: each stored form
// shown with its localised name; the desktop first and the program folder second when the
// list has neither.
std::vector<std::wstring> DestinationEntries(const std::wstring& recentList, const DestinationNames& names);

// The stored form of what the box shows. A name counts only as a whole folder name: the text
// is the name, or the name followed by a backslash.
std::wstring ToStoredPath(const std::wstring& shown, const DestinationNames& names);

// A folder name may not hold / * ? " < > |.
bool HasForbiddenFolderChars(const std::wstring& text);

// The recent list after recording (trimmed list, the stored form appended unless a trimmed
// entry equals it) or removing (every entry equal to it) a shown destination.
std::wstring WithRecentPath(const std::wstring& recentList, const std::wstring& shown, const DestinationNames& names);
std::wstring WithoutRecentPath(const std::wstring& recentList, const std::wstring& shown, const DestinationNames& names);
