// CComboBox: the system combo-box control.
#pragma once

#include "framework/AfxString.h"
#include "framework/Wnd.h"

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int AddString(LPCWSTR text);
    int InsertString(int index, LPCWSTR text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int FindStringExact(int start, LPCWSTR text) const;
    CString GetLBText(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    // The edit field of a combo box that has one, else null.
    HWND GetEditWnd() const;
};
