// CTreeCtrl: the system tree-view control.
#pragma once

#include "framework/AfxString.h"
#include "framework/ImageList.h"
#include "framework/Wnd.h"

class CTreeCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    HIMAGELIST SetImageList(HIMAGELIST list, int which);
    HIMAGELIST GetImageList(int which) const;

    HTREEITEM InsertItem(const TVINSERTSTRUCTW* insert);
    HTREEITEM InsertItem(LPCWSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    // Deletes every child of the item (the item itself stays).
    void DeleteChildren(HTREEITEM item);

    BOOL GetItem(TVITEMW* item) const;
    BOOL SetItem(TVITEMW* item);
    CString GetItemText(HTREEITEM item) const;
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
    UINT GetItemState(HTREEITEM item, UINT mask) const;
    // Whether the item carries the has-children mark (its expand button).
    BOOL ItemHasChildren(HTREEITEM item) const;
    UINT GetCount() const;

    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }

    BOOL Expand(HTREEITEM item, UINT code);
    BOOL Select(HTREEITEM item, UINT code);
    BOOL SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }
    BOOL EnsureVisible(HTREEITEM item);
    BOOL SortChildrenCB(const TVSORTCB* sort);
};
