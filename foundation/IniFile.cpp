#include "foundation/IniFile.h"

#include "foundation/FileUtil.h"
#include "foundation/core/TextEncoding.h"
#include "framework/Afx.h"
#include "framework/Time.h"

#include <vector>

namespace {

const int kIniReadBufferLength = kIniValueMaxLength + 1;
const int kMaxBackupNumber = 99;
const int kMoveAttempts = 3;
const DWORD kMoveSettleMs = 100;
// A settings file is small; anything near a gigabyte is not one.
const uint64_t kMaxIniFileBytes = 0x40000000 - 1;

bool FileExists(const wchar_t* path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

bool WriteWholeFile(const wchar_t* path, const std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                written == bytes.size());
    ok = CloseHandle(file) && ok;
    return ok;
}

std::vector<uint8_t> NewIniFileBytes()
{
    static const wchar_t kFirstLine[] = L"[default]\r\n";
    std::vector<uint8_t> bytes{0xFF, 0xFE};
    for (const wchar_t* ch = kFirstLine; *ch; ++ch) {
        bytes.push_back(static_cast<uint8_t>(*ch & 0xFF));
        bytes.push_back(static_cast<uint8_t>(*ch >> 8));
    }
    return bytes;
}

bool MultiByteToMarkedUtf16(UINT codePage, const uint8_t* data, size_t size, std::vector<uint8_t>& out)
{
    out.assign({0xFF, 0xFE});
    if (size == 0) return true;
    if (size > 0x7FFFFFFF) return false;
    const char* text = reinterpret_cast<const char*>(data);
    int count = MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), nullptr, 0);
    if (count <= 0) return false;
    std::vector<wchar_t> wide(static_cast<size_t>(count));
    if (MultiByteToWideChar(codePage, 0, text, static_cast<int>(size), wide.data(), count) != count) return false;
    for (wchar_t ch : wide) {
        out.push_back(static_cast<uint8_t>(ch & 0xFF));
        out.push_back(static_cast<uint8_t>(ch >> 8));
    }
    return true;
}

bool ConvertToMarkedUtf16(const std::vector<uint8_t>& original, TextFileEncoding encoding, std::vector<uint8_t>& out)
{
    switch (encoding) {
    case TextFileEncoding::Utf16LeUnmarked:
    case TextFileEncoding::Utf16BigEndian:
        out = ToMarkedUtf16Le(original, encoding);
        return true;
    case TextFileEncoding::Utf8: {
        size_t skip = original.size() >= 3 && original[0] == 0xEF && original[1] == 0xBB && original[2] == 0xBF ? 3 : 0;
        return MultiByteToMarkedUtf16(CP_UTF8, original.data() + skip, original.size() - skip, out);
    }
    case TextFileEncoding::Ansi:
        return MultiByteToMarkedUtf16(CP_ACP, original.data(), original.size(), out);
    case TextFileEncoding::Utf16LeMarked:
        break;
    }
    out = original;
    return true;
}

bool MoveAndConfirm(const CString& from, const CString& to)
{
    MoveFileW(from, to);
    if (FileExists(to)) return true;
    Sleep(kMoveSettleMs);   // a move on a network share may show up late
    return FileExists(to);
}

// Moves the file to its first free backup name; false when none of the 99 names worked.
bool MoveAside(const CString& path, CString& backup)
{
    const std::wstring date = CTime::GetCurrentTime().Format(L"%Y%m%d").Str();
    for (int number = 1; number <= kMaxBackupNumber; ++number) {
        CString candidate(MakeBackupFileName(path.Str(), date, number));
        if (FileExists(candidate)) continue;
        for (int attempt = 0; attempt < kMoveAttempts; ++attempt) {
            if (MoveAndConfirm(path, candidate)) {
                backup = candidate;
                return true;
            }
            if (!FileExists(path)) return false;   // nothing left to move
        }
    }
    return false;
}

// Puts the original back where it was; should even that fail, a valid empty settings file
// keeps the program going while the backup holds the old text.
void RestoreOriginal(const CString& path, const CString& backup)
{
    DeleteFileW(path);
    if (MoveFileW(backup, path)) return;
    TRACE(L"Can't restore %s from %s\n", path.GetString(), backup.GetString());
    WriteWholeFile(path, NewIniFileBytes());
}

} // namespace

bool EnsureUnicodeIniFile(const wchar_t* path)
{
    if (!path || !*path) return false;
    if (!FileExists(path)) return WriteWholeFile(path, NewIniFileBytes());

    std::vector<uint8_t> original;
    if (!ReadWholeFile(path, kMaxIniFileBytes, original)) return false;
    TextFileEncoding encoding = SniffTextFileEncoding(original);
    if (encoding == TextFileEncoding::Utf16LeMarked) return true;

    std::vector<uint8_t> converted;
    if (!ConvertToMarkedUtf16(original, encoding, converted)) return false;

    CString backup;
    if (!MoveAside(path, backup)) return false;
    if (WriteWholeFile(path, converted)) return true;
    RestoreOriginal(path, backup);
    return false;
}

bool OpenIniFile(const wchar_t* fileName, CString& path)
{
    CString folder = GetModuleDirectory();
    SetCurrentDirectoryW(folder);
    path = folder + L"\\" + (fileName ? fileName : L"");
    return EnsureUnicodeIniFile(path);
}

CString IniGetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue, const wchar_t* path)
{
    if (!section || !*section) return CString(defaultValue);
    std::vector<wchar_t> buffer(kIniReadBufferLength, L'\0');
    DWORD length = GetPrivateProfileStringW(section, key, defaultValue ? defaultValue : L"", buffer.data(),
                                            kIniReadBufferLength, path);
    return CString(buffer.data(), static_cast<int>(length));
}

bool IniSetString(const wchar_t* path, const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    if (!section || !*section) return false;
    return WritePrivateProfileStringW(section, key, value, path) != FALSE;
}

bool CreateUnicodeIniFile(const wchar_t* path)
{
    return WriteWholeFile(path, {0xFF, 0xFE});
}
