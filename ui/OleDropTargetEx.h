// COleDropTargetEx: an OLE drop target that, for a window other than a view, turns each drag
// callback into a message sent to that window (wParam: a COleDropInfo on the sender's stack,
// lParam 0); the window's answer goes back to OLE. A window that does not answer refuses the
// drag (the answer 0 is DROPEFFECT_NONE / FALSE).
#pragma once

#include "framework/OleDropTarget.h"
#include "ui/OleDropInfo.h"

#define WM_DROP_ENTER  3000   // answer: DROPEFFECT
#define WM_DROP_OVER   3001   // answer: DROPEFFECT
#define WM_DROP_DROP   3002   // answer: TRUE when taken
#define WM_DROP_DROPEX 3003   // answer: DROPEFFECT, or -1 to let WM_DROP_DROP decide
#define WM_DROP_LEAVE  3004   // wParam 0

class COleDropTargetEx : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* wnd, COleDataObject* data, DROPEFFECT defaultEffect,
                        DROPEFFECT allowed, CPoint point) override;
    void OnDragLeave(CWnd* wnd) override;
};
