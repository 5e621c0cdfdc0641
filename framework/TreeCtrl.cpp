#include "framework/TreeCtrl.h"

#include <iterator>

namespace {

LPARAM Ptr(const void* p)
{
    return reinterpret_cast<LPARAM>(p);
}

} // namespace

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, WC_TREEVIEWW, nullptr, style, rect, parent, id);
}

HIMAGELIST CTreeCtrl::SetImageList(HIMAGELIST list, int which)
{
    return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_SETIMAGELIST, which, Ptr(list)));
}

HIMAGELIST CTreeCtrl::GetImageList(int which) const
{
    return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_GETIMAGELIST, which));
}

HTREEITEM CTreeCtrl::InsertItem(const TVINSERTSTRUCTW* insert)
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, Ptr(insert)));
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR text, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPWSTR>(text);
    return InsertItem(&insert);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item)
{
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, Ptr(item)));
}

BOOL CTreeCtrl::DeleteAllItems()
{
    return DeleteItem(TVI_ROOT);
}

void CTreeCtrl::DeleteChildren(HTREEITEM item)
{
    for (HTREEITEM child = GetChildItem(item); child;) {
        HTREEITEM next = GetNextSiblingItem(child);
        DeleteItem(child);
        child = next;
    }
}

BOOL CTreeCtrl::GetItem(TVITEMW* item) const
{
    return static_cast<BOOL>(SendMessage(TVM_GETITEMW, 0, Ptr(item)));
}

BOOL CTreeCtrl::SetItem(TVITEMW* item)
{
    return static_cast<BOOL>(SendMessage(TVM_SETITEMW, 0, Ptr(item)));
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    wchar_t buffer[MAX_PATH * 2] = {};
    TVITEMW info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = buffer;
    info.cchTextMax = static_cast<int>(std::size(buffer));
    return GetItem(&info) ? CString(buffer) : CString();
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const
{
    TVITEMW info = {};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    return GetItem(&info) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data)
{
    TVITEMW info = {};
    info.mask = TVIF_PARAM;
    info.hItem = item;
    info.lParam = static_cast<LPARAM>(data);
    return SetItem(&info);
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const
{
    return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, Ptr(item), mask));
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const
{
    TVITEMW info = {};
    info.mask = TVIF_CHILDREN;
    info.hItem = item;
    return GetItem(&info) && info.cChildren != 0;
}

UINT CTreeCtrl::GetCount() const
{
    return static_cast<UINT>(SendMessage(TVM_GETCOUNT));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, Ptr(item)));
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code)
{
    return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, Ptr(item)));
}

BOOL CTreeCtrl::Select(HTREEITEM item, UINT code)
{
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, code, Ptr(item)));
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item)
{
    return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, Ptr(item)));
}

BOOL CTreeCtrl::SortChildrenCB(const TVSORTCB* sort)
{
    return static_cast<BOOL>(SendMessage(TVM_SORTCHILDRENCB, 0, Ptr(sort)));
}
