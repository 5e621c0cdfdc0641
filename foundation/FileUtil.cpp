#include "foundation/FileUtil.h"

#include "foundation/StringUtil.h"
#include "foundation/core/DirectoryChain.h"

#include <tlhelp32.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

bool IsDirectory(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HGLOBAL MakeClipboardBlock(UINT format, const wchar_t* text)
{
    std::string ansi;
    const void* source = text;
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    if (format == CF_TEXT) {
        ansi = WideToAnsi(text);
        source = ansi.c_str();
        bytes = ansi.size() + 1;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return nullptr;
    void* target = GlobalLock(block);
    if (!target) {
        GlobalFree(block);
        return nullptr;
    }
    memcpy(target, source, bytes);
    GlobalUnlock(block);
    return block;
}

} // namespace

CString GetModulePath()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return CString();
        if (length < path.size()) return CString(path.data(), static_cast<int>(length));
        path.resize(path.size() * 2);
    }
}

CString GetModuleDirectory()
{
    CString path = GetModulePath();
    int slash = path.ReverseFind(L'\\');
    return slash >= 0 ? path.Left(slash) : path;
}

bool MakeDirectories(const wchar_t* path)
{
    if (!path || !*path) return false;
    std::vector<std::wstring> chain = DirectoryChain(path);
    if (chain.empty()) return false;
    for (const std::wstring& folder : chain)
        if (!IsDirectory(folder.c_str())) CreateDirectoryW(folder.c_str(), nullptr);
    return IsDirectory(chain.back().c_str());
}

bool ReadWholeFile(const wchar_t* path, uint64_t maxBytes, std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && static_cast<uint64_t>(size.QuadPart) <= maxBytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                               read == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

CString GetFileVersionText(const wchar_t* path)
{
    static const wchar_t kNoVersion[] = L"1.0.0.0";
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return kNoVersion;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path, 0, size, block.data())) return kNoVersion;

    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 2 * sizeof(WORD))
        return kNoVersion;
    const WORD* translation = static_cast<const WORD*>(value);
    CString entry;
    entry.Format(L"\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
    if (!VerQueryValueW(block.data(), entry, &value, &length) || length == 0)
        return L"Unable to get Version Info";
    const wchar_t* text = static_cast<const wchar_t*>(value);
    return CString(text, static_cast<int>(wcsnlen(text, length)));
}

CString GetExeFileVersion()
{
    return GetFileVersionText(GetModulePath());
}

bool IsProcessRunning(const wchar_t* exeName)
{
    if (!exeName || !*exeName) return false;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
        found = _wcsicmp(entry.szExeFile, exeName) == 0;
    CloseHandle(snapshot);
    return found;
}

bool CopyTextToClipboard(HWND owner, UINT format, const wchar_t* text)
{
    if ((format != CF_TEXT && format != CF_UNICODETEXT) || !text) return false;
    if (!OpenClipboard(owner)) return false;
    bool done = false;
    if (EmptyClipboard()) {
        HGLOBAL block = MakeClipboardBlock(format, text);
        done = block && SetClipboardData(format, block);
        if (block && !done) GlobalFree(block);   // the clipboard took it only on success
    }
    CloseClipboard();
    return done;
}

void FreeOwnedBuffer(OwnedBuffer* record)
{
    if (!record) return;
    delete[] record->data;
    record->data = nullptr;
    record->size = 0;
}
