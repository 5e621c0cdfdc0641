#include "sessions/core/ReceivedFileName.h"

#include "sessions/core/CommandText.h"

namespace {

const std::u16string kForbiddenCharacters = u"<>:\"/\\|?*";

char16_t Upper(char16_t ch)
{
    return ch >= u'a' && ch <= u'z' ? static_cast<char16_t>(ch - u'a' + u'A') : ch;
}

bool IsPortDigit(char16_t ch)
{
    return (ch >= u'0' && ch <= u'9') || ch == u'\u00B9' || ch == u'\u00B2' || ch == u'\u00B3';
}

// The part Windows compares with the device names: up to the first dot, trailing blanks dropped.
std::u16string DeviceStem(const std::u16string& name)
{
    std::u16string stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ') stem.pop_back();
    for (char16_t& ch : stem) ch = Upper(ch);
    return stem;
}

} // namespace

std::u16string BaseNameOf(const std::u16string& path)
{
    size_t last = path.find_last_of(u"\\/");
    return last == std::u16string::npos ? path : path.substr(last + 1);
}

bool IsReservedDeviceName(const std::u16string& name)
{
    const std::u16string stem = DeviceStem(name);
    if (stem == u"CON" || stem == u"PRN" || stem == u"AUX" || stem == u"NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, u"COM") == 0 || stem.compare(0, 3, u"LPT") == 0) &&
           IsPortDigit(stem[3]);
}

bool IsSafeFileName(const std::u16string& name)
{
    if (name.empty() || name.size() > kMaxFileNameLength || name == u"." || name == u"..") return false;
    for (char16_t ch : name)
        if (ch < 0x20 || kForbiddenCharacters.find(ch) != std::u16string::npos) return false;
    if (name.back() == u' ' || name.back() == u'.') return false;
    return !IsReservedDeviceName(name);
}

std::u16string ReceivedFileName(const std::u16string& wireName)
{
    std::u16string name = BaseNameOf(wireName);
    return IsSafeFileName(name) ? name : std::u16string();
}

std::u16string NumberedFileName(const std::u16string& name, int number)
{
    size_t dot = name.rfind(u'.');
    if (dot == 0 || dot == std::u16string::npos) dot = name.size();
    return name.substr(0, dot) + u" (" + DecimalText(number) + u")" + name.substr(dot);
}

std::u16string FreeFileName(const std::u16string& name, const std::function<bool(const std::u16string&)>& exists)
{
    if (!exists(name)) return name;
    for (int number = 2; number <= kMaxFileNameNumber; ++number) {
        std::u16string numbered = NumberedFileName(name, number);
        if (numbered.size() > kMaxFileNameLength) return std::u16string();
        if (!exists(numbered)) return numbered;
    }
    return std::u16string();
}

std::u16string DayFolderName(const std::tm& localDate)
{
    char text[64];
    size_t length = std::strftime(text, sizeof text, "%Y-%m-%d", &localDate);
    return WidenAscii(std::string(text, length));
}

std::u16string UploadFolder(const std::u16string& programFolder, const std::u16string& dayFolder,
                            const std::u16string& classText)
{
    std::u16string folder = programFolder + u"\\StudentFile\\" + dayFolder;
    if (IsSafeFileName(classText)) folder += u"\\" + classText;
    return folder;
}
