#include "foundation/core/DirectoryChain.h"

namespace {

std::vector<std::wstring> SplitParts(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    std::wstring part;
    for (wchar_t ch : path) {
        if (ch == L'\\' || ch == L'/') {
            parts.push_back(part);
            part.clear();
        } else {
            part += ch;
        }
    }
    parts.push_back(part);
    return parts;
}

bool IsDrivePart(const std::wstring& part)
{
    return part.size() == 2 && part[1] == L':' &&
           ((part[0] >= L'A' && part[0] <= L'Z') || (part[0] >= L'a' && part[0] <= L'z'));
}

} // namespace

std::vector<std::wstring> DirectoryChain(const std::wstring& path)
{
    std::vector<std::wstring> parts = SplitParts(path);
    std::wstring root;
    size_t first = 0;
    if (path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/')) {
        // \\server\share: parts 0 and 1 are empty, 2 and 3 name the share.
        root = L"\\\\" + (parts.size() > 2 ? parts[2] : std::wstring()) + L"\\" +
               (parts.size() > 3 ? parts[3] : std::wstring());
        first = 4;
    } else if (!parts.empty() && IsDrivePart(parts[0])) {
        root = parts[0];
        first = 1;
    } else if (!parts.empty() && parts[0].empty() && parts.size() > 1) {
        first = 1;   // rooted on the current drive: "\dir" builds on ""
    }

    std::vector<std::wstring> folders;
    for (size_t i = first; i < parts.size(); ++i) {
        const std::wstring& part = parts[i];
        if (part.empty() || part == L".") continue;
        if (part == L"..") {
            if (!folders.empty()) folders.pop_back();
            continue;
        }
        folders.push_back(part);
    }

    std::vector<std::wstring> chain;
    std::wstring current = root;
    bool rooted = !root.empty() || (!parts.empty() && parts[0].empty() && parts.size() > 1);
    for (const std::wstring& folder : folders) {
        if (!current.empty() || rooted) current += L"\\";
        current += folder;
        chain.push_back(current);
    }
    return chain;
}
