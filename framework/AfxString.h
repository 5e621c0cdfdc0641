// CString: the framework's UTF-16 string, with the familiar member set over std::wstring.
#pragma once

#include <cstdarg>
#include <string>


class CString {
public:
    CString() = default;
    CString(const wchar_t* text);
    CString(const wchar_t* text, int length);
    CString(wchar_t ch, int repeat = 1);
    CString(const char* ansi);               // converted from the ANSI code page
    CString(const std::wstring& text) : m_text(text) {}
    CString(std::wstring&& text) : m_text(std::move(text)) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const wchar_t* GetString() const { return m_text.c_str(); }
    operator const wchar_t*() const { return m_text.c_str(); }
    const std::wstring& Str() const { return m_text; }

    wchar_t GetAt(int index) const { return m_text.at(static_cast<size_t>(index)); }
    void SetAt(int index, wchar_t ch) { m_text.at(static_cast<size_t>(index)) = ch; }
    wchar_t operator[](int index) const { return GetAt(index); }

    // Direct writing: GetBuffer gives room for at least minLength characters plus a terminator;
    // ReleaseBuffer(-1) takes the length up to the first zero character.
    wchar_t* GetBuffer(int minLength = 0);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    CString& operator=(const wchar_t* text);
    CString& operator=(wchar_t ch);
    CString& operator+=(const CString& text) { m_text += text.m_text; return *this; }
    CString& operator+=(const wchar_t* text);
    CString& operator+=(wchar_t ch) { m_text += ch; return *this; }
    void Append(const wchar_t* text, int length) { m_text.append(text, static_cast<size_t>(length)); }
    void AppendChar(wchar_t ch) { m_text += ch; }

    int Compare(const wchar_t* text) const;
    int CompareNoCase(const wchar_t* text) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const wchar_t* charSet) const;
    CString SpanExcluding(const wchar_t* charSet) const;
    CString Tokenize(const wchar_t* delimiters, int& start) const;

    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* text, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* charSet) const;

    int Replace(wchar_t oldChar, wchar_t newChar);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    int Insert(int index, const wchar_t* text);
    int Insert(int index, wchar_t ch);
    int Delete(int index, int count = 1);

    CString& Trim();
    CString& Trim(const wchar_t* chars);
    CString& TrimLeft(const wchar_t* chars = nullptr);
    CString& TrimRight(const wchar_t* chars = nullptr);
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    void Format(const wchar_t* format, ...);
    void AppendFormat(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);

    // Loads a string-table entry from the resource module; FALSE when there is none.
    bool LoadString(unsigned int id);

private:
    std::wstring m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const wchar_t* b);
CString operator+(const wchar_t* a, const CString& b);
CString operator+(const CString& a, wchar_t b);
CString operator+(wchar_t a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.Str() == b.Str(); }
inline bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
inline bool operator==(const wchar_t* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
inline bool operator!=(const wchar_t* a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.Str() < b.Str(); }

// Wire text is UTF-16LE and wchar_t is 16 bits on Windows, so these are plain copies.
std::u16string ToU16(const CString& text);
CString FromU16(const std::u16string& text);

// A string-table entry of the resource module; empty when there is none.
CString LoadText(unsigned int id);
