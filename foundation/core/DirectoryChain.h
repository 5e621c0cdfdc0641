// The folders to create, outermost first, so that every folder of a path exists.
#pragma once

#include <string>
#include <vector>

// "/" counts as "\", "." parts are dropped and ".." parts remove the part before them; a drive
// part "X:" is kept as the start of every entry but is not itself an entry. A UNC path's
// server and share are likewise kept as the start and not returned.
std::vector<std::wstring> DirectoryChain(const std::wstring& path);
