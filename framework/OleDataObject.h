// COleDataObject: the data offered by an OLE drag (the source's IDataObject), borrowed for the
// length of a drag callback.
#pragma once

#include "framework/AfxCore.h"

#include <ole2.h>

// What a drop would do (DROPEFFECT_COPY, _MOVE, _LINK, _SCROLL, or _NONE).
typedef DWORD DROPEFFECT;

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }

    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // autoRelease: the object keeps its own reference and releases it at the end.
    void Attach(IDataObject* dataObject, BOOL autoRelease = TRUE);
    IDataObject* Detach();
    void Release();

    BOOL IsDataAvailable(CLIPFORMAT format) const;
    // The data in global memory (the caller frees it with GlobalFree), or null.
    HGLOBAL GetGlobalData(CLIPFORMAT format) const;
    // The medium as the source gives it (the caller releases it with ReleaseStgMedium).
    BOOL GetData(CLIPFORMAT format, STGMEDIUM* medium) const;

    IDataObject* m_lpDataObject = nullptr;

private:
    BOOL m_bAutoRelease = FALSE;
};
