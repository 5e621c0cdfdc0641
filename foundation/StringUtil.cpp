#include "foundation/StringUtil.h"

#include "foundation/core/TextLists.h"
#include "framework/Afx.h"

#include <climits>
#include <vector>

namespace {

CString MultiByteToWide(UINT codePage, const std::string& text)
{
    if (text.empty() || text.size() > INT_MAX) return CString();
    int length = static_cast<int>(text.size());
    int count = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (count <= 0) return CString();
    std::vector<wchar_t> wide(static_cast<size_t>(count));
    count = MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), count);
    return CString(wide.data(), count);
}

} // namespace

void SplitString(const CString& text, const CString& delimiter, CStringArray& pieces)
{
    std::vector<std::wstring> parts;
    SplitText(text.Str(), delimiter.Str(), parts);
    pieces.RemoveAll();
    for (const std::wstring& part : parts) pieces.Add(CString(part));
}

void AddToLineList(CString& list, const CString& item)
{
    std::wstring text = list.Str();
    AddLineToList(text, item.Str());
    list = CString(std::move(text));
}

void RemoveFromLineList(CString& list, const CString& item)
{
    std::wstring text = list.Str();
    RemoveLineFromList(text, item.Str());
    list = CString(std::move(text));
}

CString AnsiToWide(const std::string& text)
{
    return MultiByteToWide(CP_ACP, text);
}

CString Utf8ToWide(const std::string& text)
{
    return MultiByteToWide(CP_UTF8, text);
}

std::string WideToAnsi(const wchar_t* text)
{
    if (!text || !*text) return std::string();
    // A UTF-8 system code page maps everything and refuses a replacement character.
    const char* replacement = GetACP() == CP_UTF8 ? nullptr : "?";
    int count = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, replacement, nullptr);
    if (count <= 1) return std::string();
    std::vector<char> ansi(static_cast<size_t>(count));
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), count, replacement, nullptr);
    return std::string(ansi.data(), static_cast<size_t>(count - 1));
}
