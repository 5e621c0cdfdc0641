#include "activities/filetransfer/core/DestinationFolder.h"

#include "foundation/core/ServiceReply.h"
#include "foundation/core/TextLists.h"

#include <algorithm>

const wchar_t kStoredDesktop[] = L"DeskTop";
const wchar_t kStoredProgramFolder[] = L"Wendmark Client Foler";

namespace {

// The text is the name itself or the name followed by a backslash and more.
bool StartsWithFolderName(const std::wstring& text, const std::wstring& name)
{
    if (name.empty() || text.compare(0, name.size(), name) != 0)
        return false;
    return text.size() == name.size() || text[name.size()] == L'\\';
}

// Replaces the leading name by another (the rest, a backslash and a sub-folder, stays).
std::wstring Renamed(const std::wstring& text, const std::wstring& from, const std::wstring& to)
{
    return to + text.substr(from.size());
}

std::wstring SingleBackslashes(std::wstring text)
{
    for (size_t at = text.find(L"\\\\"); at != std::wstring::npos; at = text.find(L"\\\\", at + 1))
        text.erase(at, 1);
    return text;
}

} // namespace

std::vector<std::wstring> DestinationEntries(const std::wstring& recentList, const DestinationNames& names)
{
    std::vector<std::wstring> pieces;
    SplitText(recentList, L"\n", pieces);
    std::vector<std::wstring> entries;
    bool desktop = false;
    bool programFolder = false;
    for (const std::wstring& piece : pieces) {
        if (StartsWithFolderName(piece, kStoredProgramFolder)) {
            programFolder = programFolder || piece == kStoredProgramFolder;
            entries.push_back(Renamed(piece, kStoredProgramFolder, names.programFolder));
        } else if (StartsWithFolderName(piece, kStoredDesktop)) {
            desktop = desktop || piece == kStoredDesktop;
            entries.push_back(Renamed(piece, kStoredDesktop, names.desktop));
        } else {
            entries.push_back(piece);
        }
    }
    if (!desktop)
        entries.insert(entries.begin(), names.desktop);
    if (!programFolder)
        entries.insert(entries.begin() + 1, names.programFolder);
    return entries;
}

std::wstring ToStoredPath(const std::wstring& shown, const DestinationNames& names)
{
    if (StartsWithFolderName(shown, names.programFolder))
        return Renamed(SingleBackslashes(shown), names.programFolder, kStoredProgramFolder);
    if (StartsWithFolderName(shown, names.desktop))
        return Renamed(shown, names.desktop, kStoredDesktop);
    return shown;
}

bool HasForbiddenFolderChars(const std::wstring& text)
{
    return text.find_first_of(L"/*?\"<>|") != std::wstring::npos;
}

std::wstring WithRecentPath(const std::wstring& recentList, const std::wstring& shown, const DestinationNames& names)
{
    std::wstring list = TrimBlanks(recentList);
    const std::wstring stored = ToStoredPath(TrimBlanks(shown), names);
    if (!stored.empty())   // the default folder is no destination to remember
        AddLineToList(list, stored);
    return list;
}

std::wstring WithoutRecentPath(const std::wstring& recentList, const std::wstring& shown, const DestinationNames& names)
{
    std::wstring list = recentList;
    RemoveLineFromList(list, ToStoredPath(shown, names));
    return list;
}
