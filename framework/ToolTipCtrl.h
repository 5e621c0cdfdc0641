// CToolTipCtrl: a tooltip control; tools are windows (or rectangles of a window) with a text.
#pragma once

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    // A topmost tooltip owned by the parent; style adds TTS_ALWAYSTIP, TTS_NOPREFIX...
    BOOL Create(CWnd* parent, DWORD style = 0);

    // A whole window as the tool (with the rectangle null), or a rectangle of it with an id.
    BOOL AddTool(CWnd* wnd, LPCWSTR text, const RECT* rect = nullptr, UINT_PTR toolId = 0);
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    void Activate(BOOL activate);
    // Hands a mouse message of a tool window to the tooltip, which shows and hides itself.
    void RelayEvent(MSG* msg);
    int SetMaxTipWidth(int width);
    void SetDelayTime(DWORD kind, int milliseconds);
    int GetToolCount() const;

private:
    TOOLINFOW MakeToolInfo(CWnd* wnd, UINT_PTR toolId, LPCWSTR text, const RECT* rect) const;
};
