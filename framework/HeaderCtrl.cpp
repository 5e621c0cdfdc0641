#include "framework/HeaderCtrl.h"

int CHeaderCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(HDM_GETITEMCOUNT));
}

BOOL CHeaderCtrl::GetItemRect(int index, RECT* rect) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)));
}

BOOL CHeaderCtrl::GetItem(int index, HDITEMW* item) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEMW, index, reinterpret_cast<LPARAM>(item)));
}

BOOL CHeaderCtrl::SetItem(int index, HDITEMW* item)
{
    return static_cast<BOOL>(SendMessage(HDM_SETITEMW, index, reinterpret_cast<LPARAM>(item)));
}
