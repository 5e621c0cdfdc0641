// COleDropInfo: one OLE drag callback as a record, passed (on the sender's stack) with the
// WM_DROP_* messages of COleDropTargetEx.
#pragma once

#include "framework/OleDataObject.h"

class COleDropInfo : public CObject {
public:
    COleDropInfo() = default;
    COleDropInfo(COleDataObject* dataObject, DWORD keyState, DROPEFFECT dropEffect,
                 DROPEFFECT dropEffectList, CPoint point)
        : m_pDataObject(dataObject), m_dwKeyState(keyState), m_dropEffect(dropEffect),
          m_dropEffectList(dropEffectList), m_point(point) {}

    COleDataObject* m_pDataObject = nullptr;
    DWORD m_dwKeyState = 0;
    DROPEFFECT m_dropEffect = DROPEFFECT_NONE;
    DROPEFFECT m_dropEffectList = DROPEFFECT_NONE;
    CPoint m_point;   // client coordinates of the target window
};
