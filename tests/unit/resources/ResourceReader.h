// Reads resources straight from a module's resource section, so that tests see exactly what
// was built, independent of the loaders the program uses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace restest {

// The program's own module (its resources are the built-in Korean ones).
inline HMODULE ProgramModule() { return ::GetModuleHandleW(nullptr); }

// The English language module as a data file, found in bin\language beside or above the
// test executable; null when it cannot be found.
HMODULE LoadEnglishModule(DWORD flags = LOAD_LIBRARY_AS_DATAFILE);
std::wstring EnglishModulePath();

// The bytes of one resource, empty when it does not exist.
std::vector<uint8_t> ResourceBytes(HMODULE module, LPCWSTR type, unsigned id);

// Integer ids of every resource of a type.
std::set<unsigned> ResourceIds(HMODULE module, LPCWSTR type);

// Every string of the module's string tables, by id (blocks of 16 length-prefixed strings).
std::map<unsigned, std::wstring> StringTable(HMODULE module);

// printf and FormatMessage conversions of a text in order ("%d", "%s", "%1"...).
std::vector<std::wstring> Conversions(const std::wstring& text);

bool HasHangul(const std::wstring& text);

}  // namespace restest
