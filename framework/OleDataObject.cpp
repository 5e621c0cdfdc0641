#include "framework/OleDataObject.h"

namespace {

FORMATETC GlobalFormat(CLIPFORMAT format)
{
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

} // namespace

void COleDataObject::Attach(IDataObject* dataObject, BOOL autoRelease)
{
    Release();
    m_lpDataObject = dataObject;
    m_bAutoRelease = autoRelease && dataObject;
    if (m_bAutoRelease)
        dataObject->AddRef();
}

IDataObject* COleDataObject::Detach()
{
    IDataObject* dataObject = m_lpDataObject;
    m_lpDataObject = nullptr;
    m_bAutoRelease = FALSE;
    return dataObject;
}

void COleDataObject::Release()
{
    if (m_lpDataObject && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
    m_bAutoRelease = FALSE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format) const
{
    if (!m_lpDataObject)
        return FALSE;
    FORMATETC wanted = GlobalFormat(format);
    return m_lpDataObject->QueryGetData(&wanted) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT format, STGMEDIUM* medium) const
{
    if (!m_lpDataObject || !medium)
        return FALSE;
    FORMATETC wanted = GlobalFormat(format);
    *medium = STGMEDIUM{};
    return SUCCEEDED(m_lpDataObject->GetData(&wanted, medium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format) const
{
    STGMEDIUM medium;
    if (!GetData(format, &medium))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal) {
        ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (!medium.pUnkForRelease)
        return medium.hGlobal;   // ours now
    // The source keeps its memory: copy it.
    const SIZE_T size = GlobalSize(medium.hGlobal);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    const void* from = GlobalLock(medium.hGlobal);
    void* to = copy ? GlobalLock(copy) : nullptr;
    if (from && to)
        memcpy(to, from, size);
    if (to)
        GlobalUnlock(copy);
    if (from)
        GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    if (!from || !to) {
        if (copy)
            GlobalFree(copy);
        return nullptr;
    }
    return copy;
}
