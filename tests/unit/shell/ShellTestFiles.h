// A fresh temporary folder per test, and whole files as bytes.
#pragma once

#include "framework/Afx.h"

#include <shellapi.h>

#include <string>

class ShellTempFolder {
public:
    ShellTempFolder()
    {
        wchar_t base[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, base);
        static int serial = 0;
        m_path.Format(L"%sLumoraShellTest%lu_%d", base, GetCurrentProcessId(), ++serial);
        CreateDirectoryW(m_path, nullptr);
    }
    ~ShellTempFolder()
    {
        std::wstring from = m_path.Str();
        from.push_back(L'\0');   // the list SHFileOperation takes ends in two zeros
        SHFILEOPSTRUCTW operation = {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NO_UI;
        SHFileOperationW(&operation);
    }
    ShellTempFolder(const ShellTempFolder&) = delete;
    ShellTempFolder& operator=(const ShellTempFolder&) = delete;

    const CString& Path() const { return m_path; }
    CString File(const wchar_t* name) const { return m_path + L"\\" + name; }

private:
    CString m_path;
};

inline std::string ReadFileBytes(const CString& path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char piece[4096];
    DWORD read = 0;
    while (ReadFile(file, piece, sizeof(piece), &read, nullptr) && read > 0) bytes.append(piece, read);
    CloseHandle(file);
    return bytes;
}

inline bool FileExists(const CString& path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}
