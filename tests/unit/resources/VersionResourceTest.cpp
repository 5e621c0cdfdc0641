// The program's version block: what the settings dialog reads through the block's first
// translation is the version the console announces on the wire.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/version.h"

namespace {

std::wstring ExecutablePath() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::vector<unsigned char> VersionBlock() {
    const std::wstring path = ExecutablePath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || !::GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        block.clear();
    return block;
}

std::wstring Widen(const char* text) {
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

}  // namespace

TEST(VersionResource, TheFirstTranslationsFileVersionIsTheAnnouncedVersion) {
    std::vector<unsigned char> block = VersionBlock();
    ASSERT_FALSE(block.empty()) << "the program carries no version block";
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 2 * sizeof(WORD));
    const WORD* translation = static_cast<const WORD*>(value);
    wchar_t entry[64];
    swprintf(entry, 64, L"\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
    ASSERT_TRUE(::VerQueryValueW(block.data(), entry, &value, &length)) << entry;
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), Widen(LUMORA_VERSION_TEXT));
    EXPECT_EQ(Widen(LUMORA_VERSION_TEXT), L"2.0.1.1047");

    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 2));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1047, 1));
}
