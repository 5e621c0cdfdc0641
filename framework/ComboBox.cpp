#include "framework/ComboBox.h"

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, WC_COMBOBOXW, nullptr, style, rect, parent, id);
}

int CComboBox::AddString(LPCWSTR text)
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CComboBox::InsertString(int index, LPCWSTR text)
{
    return static_cast<int>(SendMessage(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
}

int CComboBox::DeleteString(int index)
{
    return static_cast<int>(SendMessage(CB_DELETESTRING, index));
}

void CComboBox::ResetContent()
{
    SendMessage(CB_RESETCONTENT);
}

int CComboBox::GetCount() const
{
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int index)
{
    return static_cast<int>(SendMessage(CB_SETCURSEL, index));
}

int CComboBox::FindStringExact(int start, LPCWSTR text) const
{
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, start, reinterpret_cast<LPARAM>(text)));
}

CString CComboBox::GetLBText(int index) const
{
    CString text;
    const int length = static_cast<int>(SendMessage(CB_GETLBTEXTLEN, index));
    if (length <= 0)
        return text;
    const int copied = static_cast<int>(
        SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.GetBufferSetLength(length))));
    text.ReleaseBuffer(copied > 0 ? copied : 0);
    return text;
}

BOOL CComboBox::SetItemData(int index, DWORD_PTR data)
{
    return SendMessage(CB_SETITEMDATA, index, static_cast<LPARAM>(data)) != CB_ERR;
}

DWORD_PTR CComboBox::GetItemData(int index) const
{
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, index));
}

HWND CComboBox::GetEditWnd() const
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(m_hWnd, &info))
        return nullptr;
    wchar_t className[16] = {};
    if (!info.hwndItem || !GetClassNameW(info.hwndItem, className, 16))
        return nullptr;
    return lstrcmpiW(className, L"Edit") == 0 ? info.hwndItem : nullptr;
}
