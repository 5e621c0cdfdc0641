#include "shell/SelfUpdate.h"

#include "foundation/FileUtil.h"
#include "shell/core/SelfUpdateScript.h"

#include <shellapi.h>

#include <string>

namespace {

// cmd reads a batch file in the console's (OEM) code page. A character that page cannot hold
// would turn into another path, so such a text is refused rather than written.
bool ToConsoleCodePage(const std::wstring& text, std::string& bytes)
{
    if (text.empty()) return false;
    const int length = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, text.c_str(), length,
                                         nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy) return false;
    bytes.resize(static_cast<size_t>(size));
    lossy = FALSE;
    return WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, text.c_str(), length, &bytes[0], size,
                               nullptr, &lossy) == size && !lossy;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    const bool closed = CloseHandle(file) != FALSE;
    if (!ok || !closed) DeleteFileW(path.c_str());
    return ok && closed;
}

}  // namespace

BOOL IsSelfUpdateWaiting()
{
    const CString path = GetModuleDirectory() + L"\\" + kSelfUpdateNewExeName;
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL WriteSelfUpdateBatch(const wchar_t* programFolder)
{
    std::string bytes;
    if (!ToConsoleCodePage(BuildSelfUpdateScript(programFolder), bytes)) return FALSE;
    return WriteWholeFile(std::wstring(programFolder) + L"\\" + kSelfUpdateBatchName, bytes);
}

BOOL RunSelfUpdate()
{
    const CString folder = GetModuleDirectory();
    if (!WriteSelfUpdateBatch(folder)) return FALSE;
    const CString batch = folder + L"\\" + kSelfUpdateBatchName;
    const HINSTANCE started = ShellExecuteW(nullptr, L"open", batch, nullptr, folder, SW_HIDE);
    if (reinterpret_cast<INT_PTR>(started) <= 32) {
        DeleteFileW(batch);
        return FALSE;
    }
    return TRUE;
}
