#include "ResourceReader.h"

namespace restest {

std::wstring EnglishModulePath() {
    wchar_t exe[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe, length);
    // The test sits in the build tree below the folder that holds bin\language.
    for (int level = 0; level < 4; ++level) {
        size_t slash = dir.find_last_of(L"\\/");
        if (slash == std::wstring::npos) break;
        dir.resize(slash);
        std::wstring candidate = dir + L"\\bin\\language\\Lumora TeacherEng.dll";
        if (::GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return std::wstring();
}

HMODULE LoadEnglishModule(DWORD flags) {
    std::wstring path = EnglishModulePath();
    return path.empty() ? nullptr : ::LoadLibraryExW(path.c_str(), nullptr, flags);
}

std::vector<uint8_t> ResourceBytes(HMODULE module, LPCWSTR type, unsigned id) {
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!info) return {};
    HGLOBAL handle = ::LoadResource(module, info);
    const uint8_t* data = handle ? static_cast<const uint8_t*>(::LockResource(handle)) : nullptr;
    if (!data) return {};
    return std::vector<uint8_t>(data, data + ::SizeofResource(module, info));
}

static BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::set<unsigned>*>(param)->insert(static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return TRUE;
}

std::set<unsigned> ResourceIds(HMODULE module, LPCWSTR type) {
    std::set<unsigned> ids;
    ::EnumResourceNamesW(module, type, CollectId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

std::map<unsigned, std::wstring> StringTable(HMODULE module) {
    std::map<unsigned, std::wstring> strings;
    for (unsigned block : ResourceIds(module, RT_STRING)) {
        std::vector<uint8_t> bytes = ResourceBytes(module, RT_STRING, block);
        size_t at = 0;
        for (unsigned i = 0; i < 16 && at + 2 <= bytes.size(); ++i) {
            size_t count = bytes[at] | (bytes[at + 1] << 8);
            at += 2;
            if (at + count * 2 > bytes.size()) break;
            std::wstring text(count, L'\0');
            for (size_t k = 0; k < count; ++k) text[k] = static_cast<wchar_t>(bytes[at + 2 * k] | (bytes[at + 2 * k + 1] << 8));
            at += count * 2;
            if (count) strings[(block - 1) * 16 + i] = text;
        }
    }
    return strings;
}

std::vector<std::wstring> Conversions(const std::wstring& text) {
    std::vector<std::wstring> found;
    const size_t n = text.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        if (text[i] != L'%') continue;
        size_t end = i + 1;
        while (end < n && (iswdigit(text[end]) || text[end] == L'.' || text[end] == L'-')) ++end;
        if (end < n && wcschr(L"dsxucf", text[end])) {
            found.push_back(text.substr(i, end - i + 1));
            i = end;
            continue;
        }
        size_t digits = i + 1;  // a FormatMessage insert such as %1
        while (digits < n && iswdigit(text[digits])) ++digits;
        if (digits > i + 1) {
            found.push_back(text.substr(i, digits - i));
            i = digits - 1;
        }
    }
    return found;
}

bool HasHangul(const std::wstring& text) {
    for (wchar_t c : text) {
        if ((c >= 0xAC00 && c <= 0xD7A3) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F)) return true;
    }
    return false;
}

}  // namespace restest
