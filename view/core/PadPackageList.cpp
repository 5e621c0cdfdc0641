#include "view/core/PadPackageList.h"

#include "dialogs/core/LoginFieldRules.h"
#include "foundation/core/CaseFold.h"

#include <vector>

namespace {

std::vector<std::u16string> TrimmedItems(const std::u16string& list)
{
    std::u16string unquoted;
    for (char16_t c : list)
        if (c != u'"')
            unquoted += c;
    std::vector<std::u16string> items;
    size_t start = 0;
    for (;;) {
        const size_t comma = unquoted.find(u',', start);
        items.push_back(TrimWhiteSpace(unquoted.substr(start, comma == std::u16string::npos ? comma : comma - start)));
        if (comma == std::u16string::npos)
            return items;
        start = comma + 1;
    }
}

void AppendItem(std::u16string& text, const std::u16string& item)
{
    if (!text.empty() && text.back() != u',')
        text += u',';
    text += item;
}

} // namespace

bool IsPlayStoreName(const std::u16string& item)
{
    return EqualsIgnoringCase(item, u"Play \uC2A4\uD1A0\uC5B4") || EqualsIgnoringCase(item, u"Play Store");
}

bool ListHasSettings(const std::u16string& list)
{
    for (const std::u16string& item : TrimmedItems(list))
        if (item == u"\uC124\uC815" || item == u"Settings")
            return true;
    return false;
}

bool ListHasPlayStore(const std::u16string& list)
{
    for (const std::u16string& item : TrimmedItems(list))
        if (!item.empty() && IsPlayStoreName(item))
            return true;
    return false;
}

std::u16string BuildPadPackageList(const std::u16string& list)
{
    const std::u16string trimmed = TrimWhiteSpace(list);
    if (trimmed.empty() || trimmed == u",")
        return std::u16string();
    std::u16string text = list;
    if (ListHasSettings(list)) {
        AppendItem(text, u"com.android.settings");
        AppendItem(text, u"com.google.android.packageinstaller");
    }
    if (ListHasPlayStore(list))
        AppendItem(text, u"com.android.vending");
    return text;
}

bool IsListableProgramName(const std::u16string& name)
{
    return name.find_first_of(u",\"") == std::u16string::npos;
}
