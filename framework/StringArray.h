// CStringArray: a growable array of CString with the framework's usual member names.
#pragma once

#include "framework/AfxString.h"

#include <vector>

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }

    // Out-of-range indexes throw std::out_of_range rather than touching foreign memory.
    const CString& GetAt(int index) const;
    CString& ElementAt(int index);
    void SetAt(int index, const CString& item);
    const CString& operator[](int index) const { return GetAt(index); }
    CString& operator[](int index) { return ElementAt(index); }

    int Add(const CString& item);
    void InsertAt(int index, const CString& item);
    void RemoveAt(int index, int count = 1);
    void RemoveAll() { m_items.clear(); }
    void Append(const CStringArray& other);
    void Copy(const CStringArray& other) { m_items = other.m_items; }

private:
    std::vector<CString> m_items;
};
