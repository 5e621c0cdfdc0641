// Reading the items of another process's list-view and tree-view controls: their messages take
// pointers, so the structures and text buffers live in a block of that process's memory.
#pragma once

#include "CommandArgs.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace uidriver {

class RemoteBlock {
public:
    RemoteBlock(HWND window, size_t size) : m_size(size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process)
            m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!m_address) Fail(kNotFound, L"no memory in the window's process");
    }
    ~RemoteBlock()
    {
        if (m_address) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process) CloseHandle(m_process);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    char* At(size_t offset) const { return static_cast<char*>(m_address) + offset; }
    void Write(size_t offset, const void* data, size_t size) const
    {
        if (!WriteProcessMemory(m_process, At(offset), data, size, nullptr)) Fail(kNotFound, L"cannot write");
    }
    void Read(size_t offset, void* data, size_t size) const
    {
        if (!ReadProcessMemory(m_process, At(offset), data, size, nullptr)) Fail(kNotFound, L"cannot read");
    }

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
    size_t m_size;
};

const size_t kTextChars = 1024;
const size_t kTextOffset = 256;   // after the item structure

inline std::wstring ReadRemoteText(const RemoteBlock& block)
{
    std::vector<wchar_t> text(kTextChars, L'\0');
    block.Read(kTextOffset, text.data(), text.size() * sizeof(wchar_t));
    text.back() = L'\0';
    return text.data();
}

struct ListRow {
    int image = -1;
    bool selected = false;
    std::vector<std::wstring> texts;
};

inline std::vector<ListRow> ReadListRows(HWND list, int columns)
{
    RemoteBlock block(list, kTextOffset + kTextChars * sizeof(wchar_t));
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<ListRow> rows;
    for (int row = 0; row < count; ++row) {
        ListRow read;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item = {};
            item.mask = LVIF_TEXT | (column == 0 ? LVIF_IMAGE | LVIF_STATE : 0);
            item.iItem = row;
            item.iSubItem = column;
            item.stateMask = LVIS_SELECTED;
            item.pszText = reinterpret_cast<LPWSTR>(block.At(kTextOffset));
            item.cchTextMax = static_cast<int>(kTextChars);
            wchar_t empty = L'\0';
            block.Write(kTextOffset, &empty, sizeof empty);
            block.Write(0, &item, sizeof item);
            SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block.At(0)));
            block.Read(0, &item, sizeof item);
            if (column == 0) {
                read.image = item.iImage;
                read.selected = (item.state & LVIS_SELECTED) != 0;
            }
            read.texts.push_back(ReadRemoteText(block));
        }
        rows.push_back(read);
    }
    return rows;
}

inline std::wstring ReadTreeText(HWND tree, HTREEITEM handle)
{
    RemoteBlock block(tree, kTextOffset + kTextChars * sizeof(wchar_t));
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = handle;
    item.pszText = reinterpret_cast<LPWSTR>(block.At(kTextOffset));
    item.cchTextMax = static_cast<int>(kTextChars);
    block.Write(0, &item, sizeof item);
    if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block.At(0)))) return std::wstring();
    return ReadRemoteText(block);
}

} // namespace uidriver
