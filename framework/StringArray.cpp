#include "framework/StringArray.h"

#include <stdexcept>

namespace {

size_t CheckedIndex(int index, size_t size)
{
    if (index < 0 || static_cast<size_t>(index) >= size) throw std::out_of_range("CStringArray index");
    return static_cast<size_t>(index);
}

} // namespace

const CString& CStringArray::GetAt(int index) const
{
    return m_items[CheckedIndex(index, m_items.size())];
}

CString& CStringArray::ElementAt(int index)
{
    return m_items[CheckedIndex(index, m_items.size())];
}

void CStringArray::SetAt(int index, const CString& item)
{
    m_items[CheckedIndex(index, m_items.size())] = item;
}

int CStringArray::Add(const CString& item)
{
    m_items.push_back(item);
    return GetSize() - 1;
}

void CStringArray::InsertAt(int index, const CString& item)
{
    if (index < 0 || static_cast<size_t>(index) > m_items.size()) throw std::out_of_range("CStringArray insert");
    m_items.insert(m_items.begin() + index, item);
}

void CStringArray::RemoveAt(int index, int count)
{
    size_t first = CheckedIndex(index, m_items.size());
    size_t last = first + static_cast<size_t>(count < 0 ? 0 : count);
    if (last > m_items.size()) throw std::out_of_range("CStringArray remove");
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(first),
                  m_items.begin() + static_cast<std::ptrdiff_t>(last));
}

void CStringArray::Append(const CStringArray& other)
{
    m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
}
