#include "framework/GdiObject.h"

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    if (m_hObject || !object)
        return FALSE;
    m_hObject = object;
    m_stock = false;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    m_stock = false;
    return object;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    const bool stock = m_stock;
    HGDIOBJ object = Detach();
    return stock ? TRUE : ::DeleteObject(object);
}

int CGdiObject::GetObject(int size, void* buffer) const
{
    return m_hObject ? ::GetObjectW(m_hObject, size, buffer) : 0;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    HGDIOBJ object = ::GetStockObject(index);
    if (!object)
        return FALSE;
    DeleteObject();
    m_hObject = object;
    m_stock = true;
    return TRUE;
}

BOOL CGdiObject::TakeNew(HGDIOBJ object)
{
    if (!object)
        return FALSE;
    DeleteObject();
    m_hObject = object;
    return TRUE;
}
