// Names and folders of the files students upload. The name comes from the wire, so it is cut to
// its last component and refused when Windows would read it as anything but an ordinary file in
// the day's folder.
#pragma once

#include <cstddef>
#include <ctime>
#include <functional>
#include <string>

// The longest component NTFS stores.
constexpr size_t kMaxFileNameLength = 255;
// "name (2).ext" up to "name (9999).ext"; beyond that the upload is refused.
constexpr int kMaxFileNameNumber = 9999;

// Everything after the last "\" or "/".
std::u16string BaseNameOf(const std::u16string& path);

// CON, PRN, AUX, NUL, COM0-9, LPT0-9 (and the superscript-digit forms), whatever follows a dot
// and in any case: Windows opens the device, not a file.
bool IsReservedDeviceName(const std::u16string& name);

// One component that names an ordinary file: not empty, ".", or "..", no control character or
// any of < > : " / \ | ? *, no trailing blank or dot (Windows drops them), not a device name,
// at most kMaxFileNameLength units.
bool IsSafeFileName(const std::u16string& name);

// The base name of a received name, or empty when that is not a safe file name.
std::u16string ReceivedFileName(const std::u16string& wireName);

// "name (n).ext": the number goes before the last dot; a name whose only dot leads it (".profile")
// has no extension.
std::u16string NumberedFileName(const std::u16string& name, int number);

// The name itself when no file of that name exists, else the first free "name (n).ext" from 2
// on, so a second upload of the same name on the same day keeps the first. Empty when none is
// free or the numbered name would be too long.
std::u16string FreeFileName(const std::u16string& name, const std::function<bool(const std::u16string&)>& exists);

// The day's folder name, "%Y-%m-%d" of the local date.
std::u16string DayFolderName(const std::tm& localDate);

// programFolder + "\StudentFile\" + day + ("\" + classText when it is not empty). The class text
// comes from the login server: one that is no safe folder name is left out rather than let it
// lead elsewhere.
std::u16string UploadFolder(const std::u16string& programFolder, const std::u16string& dayFolder,
                            const std::u16string& classText);
