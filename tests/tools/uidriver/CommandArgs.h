// Parsing of one driver command: `name --key=value --flag ...`, from the process command line or
// from one line of the batch input (where tokens may be double-quoted with C-style escapes).
#pragma once

#include <windows.h>

#include <cerrno>
#include <cwchar>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace uidriver {

enum ExitCode { kSuccess = 0, kNotFound = 1, kUsage = 2 };

// Thrown by a command that cannot complete; the dispatcher turns it into the answer and exit code.
struct CommandError {
    int code;
    std::wstring message;
};

[[noreturn]] inline void Fail(int code, const std::wstring& message) { throw CommandError{code, message}; }

inline int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Splits a batch line. Outside quotes a token runs to the next blank, taken literally (so
// Windows paths need no escaping); inside quotes \" \\ \n \r \t and \uXXXX are understood.
inline std::vector<std::wstring> SplitCommandLine(const std::wstring& line)
{
    std::vector<std::wstring> tokens;
    std::wstring token;
    bool inToken = false, quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        wchar_t c = line[i];
        if (quoted) {
            if (c == L'"') {
                quoted = false;
            } else if (c == L'\\') {
                if (++i >= line.size()) Fail(kUsage, L"escape at end of line");
                wchar_t e = line[i];
                if (e == L'n') token += L'\n';
                else if (e == L'r') token += L'\r';
                else if (e == L't') token += L'\t';
                else if (e == L'"' || e == L'\\') token += e;
                else if (e == L'u' && i + 4 < line.size()) {
                    unsigned value = 0;
                    for (int k = 1; k <= 4; ++k) {
                        int d = HexDigit(line[i + k]);
                        if (d < 0) Fail(kUsage, L"bad \\u escape");
                        value = value * 16 + static_cast<unsigned>(d);
                    }
                    token += static_cast<wchar_t>(value);
                    i += 4;
                } else {
                    Fail(kUsage, L"unknown escape");
                }
            } else {
                token += c;
            }
        } else if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n') {
            if (inToken) tokens.push_back(token);
            token.clear();
            inToken = false;
        } else {
            inToken = true;
            if (c == L'"') quoted = true;
            else token += c;
        }
    }
    if (quoted) Fail(kUsage, L"unterminated quote");
    if (inToken) tokens.push_back(token);
    return tokens;
}

class CommandArgs {
public:
    explicit CommandArgs(const std::vector<std::wstring>& tokens)
    {
        if (tokens.empty()) Fail(kUsage, L"no command");
        m_name = tokens[0];
        for (size_t i = 1; i < tokens.size(); ++i)
            AddToken(tokens[i]);
    }

    const std::wstring& Name() const { return m_name; }

    // Refuses any option the command does not know, and a flag given a value or the reverse.
    void Allow(std::initializer_list<const wchar_t*> valueKeys, std::initializer_list<const wchar_t*> flagKeys = {}) const
    {
        std::set<std::wstring> values(valueKeys.begin(), valueKeys.end());
        std::set<std::wstring> flags(flagKeys.begin(), flagKeys.end());
        for (const auto& option : m_values)
            if (!values.count(option.first)) Fail(kUsage, L"unknown option --" + option.first + L"=");
        for (const auto& flag : m_flags)
            if (!flags.count(flag)) Fail(kUsage, L"unknown flag --" + flag);
    }

    bool Has(const wchar_t* key) const { return m_values.count(key) != 0; }
    bool Flag(const wchar_t* key) const { return m_flags.count(key) != 0; }

    std::wstring Text(const wchar_t* key) const
    {
        auto it = m_values.find(key);
        if (it == m_values.end()) Fail(kUsage, std::wstring(L"missing --") + key + L"=");
        return it->second;
    }

    long long Number(const wchar_t* key) const
    {
        std::wstring text = Text(key);
        wchar_t* end = nullptr;
        errno = 0;
        long long value = std::wcstoll(text.c_str(), &end, 0);
        if (text.empty() || *end != L'\0' || errno == ERANGE)
            Fail(kUsage, std::wstring(L"--") + key + L" is not a number");
        return value;
    }

    long long Number(const wchar_t* key, long long fallback) const { return Has(key) ? Number(key) : fallback; }

    HWND Handle(const wchar_t* key) const
    {
        return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(static_cast<unsigned long long>(Number(key))));
    }

    // A handle that must name a window that exists now.
    HWND Window(const wchar_t* key) const
    {
        HWND window = Handle(key);
        if (!IsWindow(window)) Fail(kNotFound, L"no such window");
        return window;
    }

private:
    void AddToken(const std::wstring& token)
    {
        if (token.size() < 3 || token.compare(0, 2, L"--") != 0)
            Fail(kUsage, L"expected --option=value or --flag, got \"" + token + L"\"");
        size_t equals = token.find(L'=');
        std::wstring key = token.substr(2, equals == std::wstring::npos ? std::wstring::npos : equals - 2);
        if (m_values.count(key) || m_flags.count(key)) Fail(kUsage, L"--" + key + L" given twice");
        if (equals == std::wstring::npos) m_flags.insert(key);
        else m_values[key] = token.substr(equals + 1);
    }

    std::wstring m_name;
    std::map<std::wstring, std::wstring> m_values;
    std::set<std::wstring> m_flags;
};

} // namespace uidriver
