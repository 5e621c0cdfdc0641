// COleDropTargetEx: an OLE drop target that, for a window other than a view, turns each drag
// callback into a WM_DROP_* message sent to that window (foundation/AppMessages.h).
#pragma once

#include "foundation/AppMessages.h"
#include "framework/OleDropTarget.h"
#include "ui/OleDropInfo.h"

class COleDropTargetEx : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* wnd, COleDataObject* data, DROPEFFECT defaultEffect,
                        DROPEFFECT allowed, CPoint point) override;
    void OnDragLeave(CWnd* wnd) override;
};
