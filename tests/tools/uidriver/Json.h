// One-line JSON answers of the UI driver. Text goes out as pure ASCII (everything else as \uXXXX
// escapes of its UTF-16 units), so the answer survives whatever code page the console has.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace uidriver {

inline std::string JsonQuote(const std::wstring& text)
{
    std::string out = "\"";
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        }
    }
    return out + "\"";
}

inline std::string HandleText(HWND window)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
    return text;
}

class JsonObject {
public:
    JsonObject& AddString(const char* key, const std::wstring& value) { return AddRaw(key, JsonQuote(value)); }
    JsonObject& AddBool(const char* key, bool value) { return AddRaw(key, value ? "true" : "false"); }
    JsonObject& AddInt(const char* key, long long value) { return AddRaw(key, std::to_string(value)); }
    JsonObject& AddHandle(const char* key, HWND value) { return AddRaw(key, "\"" + HandleText(value) + "\""); }
    JsonObject& AddRect(const char* key, const RECT& r)
    {
        return AddRaw(key, "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                               std::to_string(r.right) + "," + std::to_string(r.bottom) + "]");
    }
    JsonObject& AddRaw(const char* key, const std::string& json)
    {
        if (!m_body.empty())
            m_body += ',';
        m_body += '"';
        m_body += key;
        m_body += "\":";
        m_body += json;
        return *this;
    }
    std::string Text() const { return "{" + m_body + "}"; }

private:
    std::string m_body;
};

class JsonArray {
public:
    void Push(const std::string& json)
    {
        if (!m_body.empty())
            m_body += ',';
        m_body += json;
    }
    std::string Text() const { return "[" + m_body + "]"; }

private:
    std::string m_body;
};

} // namespace uidriver
