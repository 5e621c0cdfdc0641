// CRichEditCtrl: the system rich-edit control (version 2, "RichEdit20W"; AfxInitRichEdit2
// loads it).
#pragma once

#include "framework/Wnd.h"

#include <richedit.h>

class CRichEditCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateEx(0, RICHEDIT_CLASSW, L"", style, rect, parent, id);
    }
    void LimitText(long characters) { SendMessage(EM_EXLIMITTEXT, 0, characters); }
    long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
    void SetSel(long start, long end)
    {
        CHARRANGE range{start, end};
        SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    BOOL SetSelectionCharFormat(CHARFORMAT2W& format)
    {
        format.cbSize = sizeof(format);
        return SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)) != 0;
    }
    void ReplaceSel(LPCWSTR text) { SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text)); }
    void LineScroll(int lines) { SendMessage(EM_LINESCROLL, 0, lines); }
    void SetBackgroundColor(COLORREF colour) { SendMessage(EM_SETBKGNDCOLOR, 0, colour); }
};
