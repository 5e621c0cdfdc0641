#include "framework/ListCtrl.h"

namespace {

LPARAM Ptr(const void* p)
{
    return reinterpret_cast<LPARAM>(p);
}

} // namespace

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, WC_LISTVIEWW, nullptr, style, rect, parent, id);
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle));
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

HWND CListCtrl::GetHeaderWnd() const
{
    return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
}

HIMAGELIST CListCtrl::SetImageList(CImageList* list, int which)
{
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, which, Ptr(list ? list->GetSafeHandle() : nullptr)));
}

HIMAGELIST CListCtrl::GetImageList(int which) const
{
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, which));
}

int CListCtrl::InsertColumn(int column, LPCWSTR heading, int format, int width)
{
    LVCOLUMNW info = {};
    info.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM | (width >= 0 ? LVCF_WIDTH : 0);
    info.fmt = format;
    info.pszText = const_cast<LPWSTR>(heading);
    info.cx = width;
    info.iSubItem = column;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, column, Ptr(&info)));
}

BOOL CListCtrl::DeleteColumn(int column)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, column));
}

int CListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, column));
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)));
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMNW* info) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETCOLUMNW, column, Ptr(info)));
}

int CListCtrl::InsertItem(int index, LPCWSTR text, int image)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = index;
    item.pszText = const_cast<LPWSTR>(text);
    item.iImage = image;
    return InsertItem(&item);
}

int CListCtrl::InsertItem(const LVITEMW* item)
{
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, Ptr(item)));
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCWSTR text)
{
    LVITEMW item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<LPWSTR>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, index, Ptr(&item)));
}

CString CListCtrl::GetItemText(int index, int subItem) const
{
    // The control copies at most the buffer's size and says how much it copied: grow until the
    // text is shorter than the buffer.
    CString text;
    for (int size = 256;; size *= 2) {
        LVITEMW item = {};
        item.iSubItem = subItem;
        item.cchTextMax = size;
        item.pszText = text.GetBufferSetLength(size);
        const int copied = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, index, Ptr(&item)));
        text.ReleaseBuffer(copied);
        if (copied < size - 1 || size >= (1 << 20))
            return text;
    }
}

BOOL CListCtrl::GetItem(LVITEMW* item) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, Ptr(item)));
}

BOOL CListCtrl::SetItem(const LVITEMW* item)
{
    return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, Ptr(item)));
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = static_cast<LPARAM>(data);
    return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

UINT CListCtrl::GetItemState(int index, UINT mask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, index, mask));
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMW item = {};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, index, Ptr(&item)));
}

BOOL CListCtrl::DeleteItem(int index)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, index));
}

BOOL CListCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

int CListCtrl::GetNextItem(int start, int flags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, start, MAKELPARAM(flags, 0)));
}

int CListCtrl::GetSelectedCount() const
{
    return static_cast<int>(SendMessage(LVM_GETSELECTEDCOUNT));
}

BOOL CListCtrl::GetItemRect(int index, RECT* rect, UINT code) const
{
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, index, Ptr(rect)));
}

int CListCtrl::GetTopIndex() const
{
    return static_cast<int>(SendMessage(LVM_GETTOPINDEX));
}

int CListCtrl::GetCountPerPage() const
{
    return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE));
}

BOOL CListCtrl::EnsureVisible(int index, BOOL partialOk)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, index, partialOk));
}

BOOL CListCtrl::Scroll(SIZE size)
{
    return static_cast<BOOL>(SendMessage(LVM_SCROLL, size.cx, size.cy));
}
