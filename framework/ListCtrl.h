// CListCtrl: the system list-view control.
#pragma once

#include "framework/AfxString.h"
#include "framework/HeaderCtrl.h"
#include "framework/ImageList.h"
#include "framework/Wnd.h"

class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    DWORD SetExtendedStyle(DWORD exStyle);
    DWORD GetExtendedStyle() const;
    // The list's header window; a CHeaderCtrl subclasses or attaches it when it needs one.
    HWND GetHeaderWnd() const;
    // The list keeps the handle; the caller still owns the image list.
    HIMAGELIST SetImageList(CImageList* list, int which);
    HIMAGELIST GetImageList(int which) const;

    int InsertColumn(int column, LPCWSTR heading, int format = LVCFMT_LEFT, int width = -1);
    BOOL DeleteColumn(int column);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    BOOL GetColumn(int column, LVCOLUMNW* info) const;

    int InsertItem(int index, LPCWSTR text, int image = -1);
    int InsertItem(const LVITEMW* item);
    BOOL SetItemText(int index, int subItem, LPCWSTR text);
    CString GetItemText(int index, int subItem) const;
    BOOL GetItem(LVITEMW* item) const;
    BOOL SetItem(const LVITEMW* item);
    BOOL SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    UINT GetItemState(int index, UINT mask) const;
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    int GetNextItem(int start, int flags) const;
    int GetSelectedCount() const;

    BOOL GetItemRect(int index, RECT* rect, UINT code) const;
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL EnsureVisible(int index, BOOL partialOk);
    BOOL Scroll(SIZE size);
};
