// Test helper: a dialog template in memory (DLGTEMPLATE with its items), for CDialog's
// InitModalIndirect/CreateIndirect in tests that have no resources.
#pragma once

#include "framework/Afx.h"

#include <vector>

class DialogTemplateBuilder {
public:
    static constexpr WORD kButton = 0x0080;
    static constexpr WORD kEdit = 0x0081;
    static constexpr WORD kStatic = 0x0082;

    DialogTemplateBuilder(DWORD style, short width, short height, const wchar_t* title)
    {
        DLGTEMPLATE header = {};
        header.style = style | DS_SETFONT;
        header.cx = width;
        header.cy = height;
        Append(&header, sizeof(header));
        AppendWord(0);   // no menu
        AppendWord(0);   // the dialog class
        AppendText(title);
        AppendWord(8);   // point size, then the face
        AppendText(L"MS Shell Dlg");
    }

    void AddItem(WORD controlClass, WORD id, DWORD style, short x, short y, short width,
                 short height, const wchar_t* text = L"")
    {
        Align(4);
        DLGITEMTEMPLATE item = {};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = width;
        item.cy = height;
        item.id = id;
        Append(&item, sizeof(item));
        AppendWord(0xFFFF);
        AppendWord(controlClass);
        AppendText(text);
        AppendWord(0);   // no creation data
        ++reinterpret_cast<DLGTEMPLATE*>(m_bytes.data())->cdit;
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data()); }

private:
    void Append(const void* data, size_t size)
    {
        const auto* bytes = static_cast<const BYTE*>(data);
        m_bytes.insert(m_bytes.end(), bytes, bytes + size);
    }
    void AppendWord(WORD value) { Append(&value, sizeof(value)); }
    void AppendText(const wchar_t* text) { Append(text, (wcslen(text) + 1) * sizeof(wchar_t)); }
    void Align(size_t to)
    {
        while (m_bytes.size() % to)
            m_bytes.push_back(0);
    }

    std::vector<BYTE> m_bytes;
};
