// The INI files in the program's folder ("config.ini", "groupinfo.ini", "setting.ini"), kept as
// UTF-16LE with a byte-order mark so the system's profile functions read and write Unicode.
#pragma once

#include "framework/AfxString.h"

// Longest value IniGetString gives back, in characters.
constexpr int kIniValueMaxLength = 29999;

// Makes the program's folder the current directory, gives back "<folder>\<file name>" and
// makes sure that file exists as UTF-16LE (EnsureUnicodeIniFile). False when the file could not
// be made UTF-16LE; the path is given back all the same and the file keeps its settings.
bool OpenIniFile(const wchar_t* fileName, CString& path);

// Creates the file with the mark and a "[default]" line when missing. A file in another
// encoding is moved aside under its first free backup name
// ("<name>_<yyyymmdd><nn><extension>") and rewritten as the mark and its text in UTF-16LE; when
// that fails the original is put back unchanged. A file that cannot be read is left alone.
bool EnsureUnicodeIniFile(const wchar_t* path);

// The value, or the default when the file, section or key is missing or the section is empty.
CString IniGetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue, const wchar_t* path);
// Writes nothing for an empty section.
bool IniSetString(const wchar_t* path, const wchar_t* section, const wchar_t* key, const wchar_t* value);

// Creates or empties the file as a UTF-16 text of just the byte-order mark.
bool CreateUnicodeIniFile(const wchar_t* path);
