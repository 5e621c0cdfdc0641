// The prohibited-program list as the students receive it: the names the teacher listed, plus the
// pad package names that stand behind the two pad apps a teacher names in words.
#pragma once

#include <string>

// The list (names joined with ",") with "com.android.settings" and
// "com.google.android.packageinstaller" appended when an item is "설정" or "Settings", and
// "com.android.vending" when an item is "Play 스토어" or "Play Store" (any case). An empty list,
// blank or a lone ",", gives "".
std::u16string BuildPadPackageList(const std::u16string& list);

// Items are compared trimmed and with their double quotes removed.
bool ListHasSettings(const std::u16string& list);
bool ListHasPlayStore(const std::u16string& list);
bool IsPlayStoreName(const std::u16string& item);

// A name the teacher may add to the list: a "," or a double quote would split it into two names
// on the wire and when the list is read back.
bool IsListableProgramName(const std::u16string& name);
