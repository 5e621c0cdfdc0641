#include "framework/Afx.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

const wchar_t kWhiteSpace[] = L" \t\r\n\v\f";

size_t Clamp(int value, size_t limit)
{
    if (value < 0) return 0;
    return std::min(static_cast<size_t>(value), limit);
}

} // namespace

CString::CString(const wchar_t* text) : m_text(text ? text : L"") {}

CString::CString(const wchar_t* text, int length)
{
    if (text && length > 0) m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(wchar_t ch, int repeat)
{
    if (repeat > 0) m_text.assign(static_cast<size_t>(repeat), ch);
}

CString::CString(const char* ansi)
{
    if (!ansi || !*ansi) return;
    int count = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
    if (count <= 1) return;
    m_text.resize(static_cast<size_t>(count));
    MultiByteToWideChar(CP_ACP, 0, ansi, -1, &m_text[0], count);
    m_text.resize(static_cast<size_t>(count - 1));
}

wchar_t* CString::GetBuffer(int minLength)
{
    size_t length = std::max(m_text.size(), Clamp(minLength, SIZE_MAX / 4));
    m_text.resize(length);
    m_text.reserve(length + 1);
    return m_text.data();
}

wchar_t* CString::GetBufferSetLength(int length)
{
    m_text.resize(Clamp(length, SIZE_MAX / 4));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) {
        m_text.resize(wcsnlen(m_text.c_str(), m_text.size()));
    } else {
        m_text.resize(std::min(static_cast<size_t>(newLength), m_text.size()));
    }
}

CString& CString::operator=(const wchar_t* text)
{
    m_text = text ? text : L"";
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const wchar_t* text)
{
    if (text) m_text += text;
    return *this;
}

int CString::Compare(const wchar_t* text) const
{
    return wcscmp(m_text.c_str(), text ? text : L"");
}

int CString::CompareNoCase(const wchar_t* text) const
{
    return _wcsicmp(m_text.c_str(), text ? text : L"");
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    size_t start = Clamp(first, m_text.size());
    size_t length = Clamp(count, m_text.size() - start);
    return CString(m_text.substr(start, length));
}

CString CString::Left(int count) const
{
    return CString(m_text.substr(0, Clamp(count, m_text.size())));
}

CString CString::Right(int count) const
{
    size_t length = Clamp(count, m_text.size());
    return CString(m_text.substr(m_text.size() - length));
}

CString CString::SpanIncluding(const wchar_t* charSet) const
{
    return Left(static_cast<int>(wcsspn(m_text.c_str(), charSet)));
}

CString CString::SpanExcluding(const wchar_t* charSet) const
{
    return Left(static_cast<int>(wcscspn(m_text.c_str(), charSet)));
}

CString CString::Tokenize(const wchar_t* delimiters, int& start) const
{
    if (start < 0 || static_cast<size_t>(start) > m_text.size()) {
        start = -1;
        return CString();
    }
    size_t begin = m_text.find_first_not_of(delimiters, static_cast<size_t>(start));
    if (begin == std::wstring::npos) {
        start = -1;
        return CString();
    }
    size_t end = m_text.find_first_of(delimiters, begin);
    if (end == std::wstring::npos) end = m_text.size();
    start = static_cast<int>(std::min(end + 1, m_text.size() + 1));
    return CString(m_text.substr(begin, end - begin));
}

int CString::Find(wchar_t ch, int start) const
{
    if (start < 0 || static_cast<size_t>(start) >= m_text.size()) return -1;
    size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const wchar_t* text, int start) const
{
    if (!text || start < 0 || static_cast<size_t>(start) > m_text.size()) return -1;
    size_t at = m_text.find(text, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t at = m_text.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const wchar_t* charSet) const
{
    size_t at = m_text.find_first_of(charSet ? charSet : L"");
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(wchar_t oldChar, wchar_t newChar)
{
    int count = 0;
    for (wchar_t& ch : m_text) {
        if (ch == oldChar) {
            ch = newChar;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText)
{
    if (!oldText || !*oldText) return 0;
    std::wstring from(oldText), to(newText ? newText : L"");
    int count = 0;
    size_t at = 0;
    while ((at = m_text.find(from, at)) != std::wstring::npos) {
        m_text.replace(at, from.size(), to);
        at += to.size();
        ++count;
    }
    return count;
}

int CString::Remove(wchar_t ch)
{
    size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, const wchar_t* text)
{
    m_text.insert(Clamp(index, m_text.size()), text ? text : L"");
    return GetLength();
}

int CString::Insert(int index, wchar_t ch)
{
    m_text.insert(Clamp(index, m_text.size()), 1, ch);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    size_t start = Clamp(index, m_text.size());
    m_text.erase(start, Clamp(count, m_text.size() - start));
    return GetLength();
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(const wchar_t* chars)
{
    return TrimRight(chars).TrimLeft(chars);
}

CString& CString::TrimLeft(const wchar_t* chars)
{
    size_t first = m_text.find_first_not_of(chars ? chars : kWhiteSpace);
    m_text.erase(0, first == std::wstring::npos ? m_text.size() : first);
    return *this;
}

CString& CString::TrimRight(const wchar_t* chars)
{
    size_t last = m_text.find_last_not_of(chars ? chars : kWhiteSpace);
    m_text.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

CString& CString::MakeUpper()
{
    if (!m_text.empty()) CharUpperBuffW(m_text.data(), static_cast<DWORD>(m_text.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_text.empty()) CharLowerBuffW(m_text.data(), static_cast<DWORD>(m_text.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* format, ...)
{
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    m_text += tail.m_text;
}

void CString::FormatV(const wchar_t* format, va_list args)
{
    // _vsnwprintf reports -1 when the buffer is too small: grow until the text fits.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int written = _vsnwprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (written >= 0 && static_cast<size_t>(written) < buffer.size()) {
            m_text.assign(buffer.data(), static_cast<size_t>(written));
            return;
        }
        if (buffer.size() >= (1u << 26)) {
            m_text.clear();
            return;
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool CString::LoadString(unsigned int id)
{
    const wchar_t* resource = nullptr;
    int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 && AfxGetResourceHandle() != AfxGetInstanceHandle()) {
        length = ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    }
    if (length <= 0 || !resource) {
        m_text.clear();
        return false;
    }
    m_text.assign(resource, static_cast<size_t>(length));
    return true;
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, const wchar_t* b) { CString r(a); r += b; return r; }
CString operator+(const wchar_t* a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, wchar_t b) { CString r(a); r += b; return r; }
CString operator+(wchar_t a, const CString& b) { CString r(a); r += b; return r; }

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wire text conversions copy UTF-16 units");

std::u16string ToU16(const CString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.GetString()),
                          static_cast<size_t>(text.GetLength()));
}

CString FromU16(const std::u16string& text)
{
    return CString(reinterpret_cast<const wchar_t*>(text.c_str()), static_cast<int>(text.size()));
}

CString LoadText(unsigned int id)
{
    CString text;
    text.LoadString(id);
    return text;
}
