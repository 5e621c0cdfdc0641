// Real files for the settings and utility tests: a fresh temporary folder per test, and whole
// files read and written as bytes.
#pragma once

#include "framework/Afx.h"

#include <shellapi.h>

#include <string>
#include <vector>

using ByteString = std::string;

inline ByteString Utf16LeBytes(const std::wstring& text)
{
    ByteString bytes;
    for (wchar_t ch : text) {
        bytes += static_cast<char>(ch & 0xFF);
        bytes += static_cast<char>(ch >> 8);
    }
    return bytes;
}

inline ByteString MarkedUtf16Le(const std::wstring& text)
{
    return ByteString("\xFF\xFE", 2) + Utf16LeBytes(text);
}

inline bool WriteBytes(const CString& path, const ByteString& bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// The file's bytes; "<missing>" when it cannot be opened.
inline ByteString ReadBytes(const CString& path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    ByteString bytes;
    char piece[4096];
    DWORD read = 0;
    while (ReadFile(file, piece, sizeof(piece), &read, nullptr) && read > 0) bytes.append(piece, read);
    CloseHandle(file);
    return bytes;
}

inline bool PathExists(const CString& path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// Today's local date as the backup names write it.
inline CString TodayYmd()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    CString text;
    text.Format(L"%04d%02d%02d", now.wYear, now.wMonth, now.wDay);
    return text;
}

// A new empty folder under the temporary folder, removed with its content at the end.
class CTempFolder {
public:
    CTempFolder()
    {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static LONG counter = 0;
        m_path.Format(L"%slumora_fnd_%lu_%ld", base, GetCurrentProcessId(), InterlockedIncrement(&counter));
        CreateDirectoryW(m_path, nullptr);
    }
    ~CTempFolder()
    {
        std::wstring from = m_path.Str() + L'\0';   // double-terminated list of one
        SHFILEOPSTRUCTW operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationW(&operation);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    CString File(const wchar_t* name) const { return m_path + L"\\" + name; }
    const CString& Path() const { return m_path; }

private:
    CString m_path;
};
