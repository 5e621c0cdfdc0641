#include "ui/ShellTreeCtrl.h"

#include <shlwapi.h>

namespace {

const wchar_t kLibrariesRoot[] = L"::{031E4825-7B94-4DC3-B131-E946B44C8DD5}";
const wchar_t kComputerRoot[] = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const wchar_t* const kShownLibraries[] = {L"Music.library-ms", L"Documents.library-ms",
                                          L"Videos.library-ms", L"Pictures.library-ms"};
const wchar_t* const kHiddenPlaces[] = {
    L"::{26EE0668-A00A-44D7-9371-BEB064C98683}", L"::{5399E694-6CE5-4D6C-8FCE-1D8870FDCBA0}",
    L"::{B4FB3F98-C1EA-428D-A78A-D1F5659CBA93}", L"::{60632754-C523-4B62-B45C-4172DA012619}",
    L"::{59031A47-3F72-44A7-89C5-5595FE6B30EE}", L"::{0E270DAA-1BE6-48F2-AC49-905D4A1F9FB9}"};
const int kHiddenSpecialFolders[] = {CSIDL_PRINTERS, CSIDL_FAVORITES, CSIDL_BITBUCKET,
                                     CSIDL_NETWORK, CSIDL_PROFILE};

UINT ItemIdListSize(LPCITEMIDLIST list)
{
    UINT size = 0;
    for (const SHITEMID* id = &list->mkid; id->cb != 0;
         id = reinterpret_cast<const SHITEMID*>(reinterpret_cast<const BYTE*>(id) + id->cb))
        size += id->cb;
    return size;
}

bool IsEmptyList(LPCITEMIDLIST list)
{
    return !list || list->mkid.cb == 0;
}

bool HasExtension(const CString& name, const wchar_t* extension)
{
    return lstrcmpiW(PathFindExtensionW(name), extension) == 0;
}

} // namespace

const wchar_t CShellTreeCtrl::kTemporaryChildName[] = L"_kw_reserved_item_name_";

BEGIN_MESSAGE_MAP(CShellTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, OnItemExpanded)
    ON_NOTIFY_REFLECT(TVN_DELETEITEM, OnDeleteItem)
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

CShellTreeCtrl::CShellTreeCtrl()
{
    if (FAILED(SHGetDesktopFolder(&m_desktop)))
        m_desktop = nullptr;
    if (FAILED(SHGetMalloc(&m_malloc)))
        m_malloc = nullptr;
    for (int csidl : kHiddenSpecialFolders)
        AddHiddenSpecialFolder(csidl);
    for (const wchar_t* place : kHiddenPlaces)
        m_hiddenNames.emplace_back(place);
    m_alwaysShown.emplace_back(kLibrariesRoot);
    m_alwaysShown.emplace_back(kComputerRoot);
}

CShellTreeCtrl::~CShellTreeCtrl()
{
    // Items still in a live tree free their lists as they are deleted.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DeleteAllItems();
    if (m_desktop)
        m_desktop->Release();
    if (m_malloc)
        m_malloc->Release();
}

void CShellTreeCtrl::AddHiddenSpecialFolder(int csidl)
{
    LPITEMIDLIST location = nullptr;
    if (!m_desktop || FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &location)) || !location)
        return;
    const CString name = DisplayName(m_desktop, location, SHGDN_FORPARSING);
    if (!name.IsEmpty())
        m_hiddenNames.push_back(name);
    CoTaskMemFree(location);
}

BOOL CShellTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!CTreeCtrl::Create(style, rect, parent, id))
        return FALSE;
    AttachSystemImageList();
    return TRUE;
}

void CShellTreeCtrl::PreSubclassWindow()
{
    AttachSystemImageList();
}

void CShellTreeCtrl::AttachSystemImageList()
{
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) || !desktop)
        return;
    SHFILEINFOW info = {};
    // The system's own list: shared, never destroyed by us.
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(desktop), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    CoTaskMemFree(desktop);
    if (images)
        SetImageList(images, TVSIL_NORMAL);
}

LPITEMIDLIST CShellTreeCtrl::ConcatItemIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b) const
{
    if (!a || !b || !m_malloc)
        return nullptr;
    const UINT sizeA = ItemIdListSize(a);
    const UINT sizeB = ItemIdListSize(b);
    const UINT total = sizeA + sizeB + sizeof(USHORT);
    BYTE* joined = static_cast<BYTE*>(m_malloc->Alloc(total));
    if (!joined)
        return nullptr;
    CopyMemory(joined, a, sizeA);
    CopyMemory(joined + sizeA, b, sizeB);
    ZeroMemory(joined + sizeA + sizeB, sizeof(USHORT));
    return reinterpret_cast<LPITEMIDLIST>(joined);
}

bool CShellTreeCtrl::IsHiddenName(const CString& parsingName) const
{
    for (const CString& hidden : m_hiddenNames)
        if (parsingName.CompareNoCase(hidden) == 0)
            return true;
    for (const CString& root : m_alwaysShown)
        if (parsingName.CompareNoCase(root) == 0)
            return false;
    for (const wchar_t* library : kShownLibraries) {
        CString name(kLibrariesRoot);
        name += L"\\";
        name += library;
        if (parsingName.CompareNoCase(name) == 0)
            return false;
    }
    return parsingName.Left(2) == L"::";
}

IShellFolder* CShellTreeCtrl::BindFolder(LPCITEMIDLIST absolute) const
{
    if (!m_desktop)
        return nullptr;
    if (IsEmptyList(absolute)) {
        m_desktop->AddRef();
        return m_desktop;
    }
    IShellFolder* folder = nullptr;
    if (FAILED(m_desktop->BindToObject(absolute, nullptr, IID_IShellFolder,
                                       reinterpret_cast<void**>(&folder))))
        return nullptr;
    return folder;
}

CString CShellTreeCtrl::DisplayName(IShellFolder* folder, LPCITEMIDLIST relative,
                                    DWORD flags) const
{
    STRRET name = {};
    wchar_t buffer[MAX_PATH * 2] = {};
    if (FAILED(folder->GetDisplayNameOf(relative, flags, &name)) ||
        FAILED(StrRetToBufW(&name, relative, buffer, static_cast<UINT>(std::size(buffer)))))
        return CString();
    return CString(buffer);
}

bool CShellTreeCtrl::ShouldShow(IShellFolder* folder, LPCITEMIDLIST relative,
                                ULONG attributes) const
{
    const CString parsing = DisplayName(folder, relative, SHGDN_FORPARSING);
    if (IsHiddenName(parsing))
        return false;
    const bool isFolder = (attributes & SFGAO_FOLDER) != 0 && !HasExtension(parsing, L".zip");
    if (!isFolder && !m_showFiles)
        return false;
    return !HasExtension(parsing, L".lnk") && !HasExtension(parsing, L".url");
}

HTREEITEM CShellTreeCtrl::InsertShellItem(HTREEITEM parent, LPITEMIDLIST absolute, LPCWSTR text)
{
    if (!absolute)
        return nullptr;
    SHFILEINFOW info = {};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof(info),
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME |
                       SHGFI_ATTRIBUTES);
    SHFILEINFOW open = {};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &open, sizeof(open),
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
    const bool isZip = HasExtension(info.szDisplayName, L".zip");

    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<LPWSTR>(text ? text : info.szDisplayName);
    insert.item.iImage = info.iIcon;
    insert.item.iSelectedImage = open.iIcon;
    insert.item.lParam = reinterpret_cast<LPARAM>(absolute);
    insert.item.cChildren = (info.dwAttributes & SFGAO_FOLDER) && !isZip ? 1 : 0;
    HTREEITEM item = InsertItem(&insert);
    if (!item && m_malloc)
        m_malloc->Free(absolute);
    return item;
}

int CShellTreeCtrl::FillChildren(HTREEITEM item)
{
    LPCITEMIDLIST parentList = reinterpret_cast<LPCITEMIDLIST>(GetItemData(item));
    if (!parentList || !m_malloc)
        return 0;
    IShellFolder* folder = BindFolder(parentList);
    if (!folder)
        return 0;
    IEnumIDList* items = nullptr;
    const SHCONTF flags = SHCONTF_FOLDERS | (m_showFiles ? SHCONTF_NONFOLDERS : 0);
    int inserted = 0;
    if (folder->EnumObjects(m_hWnd, flags, &items) == S_OK && items) {
        LPITEMIDLIST relative = nullptr;
        while (items->Next(1, &relative, nullptr) == S_OK && relative) {
            ULONG attributes = SFGAO_FOLDER;
            LPCITEMIDLIST one = relative;
            if (FAILED(folder->GetAttributesOf(1, &one, &attributes)))
                attributes = 0;
            if (ShouldShow(folder, relative, attributes)) {
                const CString name = DisplayName(folder, relative, SHGDN_INFOLDER);
                LPITEMIDLIST absolute = ConcatItemIdLists(parentList, relative);
                if (absolute && InsertShellItem(item, absolute, name.IsEmpty() ? nullptr : name.GetString()))
                    ++inserted;
            }
            m_malloc->Free(relative);
            relative = nullptr;
        }
        items->Release();
    }
    SortChildren(item, folder);
    folder->Release();
    return inserted;
}

int CALLBACK CShellTreeCtrl::CompareItems(LPARAM a, LPARAM b, LPARAM folderParam)
{
    auto* listA = reinterpret_cast<LPITEMIDLIST>(a);
    auto* listB = reinterpret_cast<LPITEMIDLIST>(b);
    if (!listA || !listB)
        return listA ? -1 : (listB ? 1 : 0);   // anything without a list goes last
    IShellFolder* folder = reinterpret_cast<IShellFolder*>(folderParam);
    const HRESULT hr = folder->CompareIDs(0, ILFindLastID(listA), ILFindLastID(listB));
    return FAILED(hr) ? 0 : static_cast<short>(HRESULT_CODE(hr));
}

void CShellTreeCtrl::SortChildren(HTREEITEM item, IShellFolder* folder)
{
    TVSORTCB sort = {};
    sort.hParent = item;
    sort.lpfnCompare = &CShellTreeCtrl::CompareItems;
    sort.lParam = reinterpret_cast<LPARAM>(folder);
    SortChildrenCB(&sort);
}

// Fills the item's children behind a temporary child, which keeps the item expandable while
// the list is rebuilt; an item that turns out empty loses its expand button.
void CShellTreeCtrl::RebuildChildren(HTREEITEM item)
{
    if (!m_temporaryChild)
        m_temporaryChild = InsertItem(kTemporaryChildName, item, TVI_LAST);
    const int count = FillChildren(item);
    if (m_temporaryChild) {
        DeleteItem(m_temporaryChild);
        m_temporaryChild = nullptr;
    }
    if (count == 0) {
        TVITEMW info = {};
        info.mask = TVIF_CHILDREN;
        info.hItem = item;
        info.cChildren = 0;
        SetItem(&info);
    }
}

void CShellTreeCtrl::OnItemExpanding(NMHDR* header, LRESULT* result)
{
    const NMTREEVIEWW* tree = reinterpret_cast<const NMTREEVIEWW*>(header);
    *result = 0;
    if (!(tree->action & TVE_EXPAND))
        return;
    HTREEITEM item = tree->itemNew.hItem;
    m_expandingItem = item;
    DeleteChildren(item);
    SetRedraw(FALSE);
    m_temporaryChild = InsertItem(kTemporaryChildName, item, TVI_LAST);
    Select(item, TVGN_CARET);
}

void CShellTreeCtrl::OnItemExpanded(NMHDR* header, LRESULT* result)
{
    const NMTREEVIEWW* tree = reinterpret_cast<const NMTREEVIEWW*>(header);
    *result = 0;
    if (!(tree->action & TVE_EXPAND) || tree->itemNew.hItem != m_expandingItem)
        return;
    HTREEITEM item = m_expandingItem;
    m_expandingItem = nullptr;
    RebuildChildren(item);
    SetRedraw(TRUE);
    Select(item, TVGN_CARET);
}

void CShellTreeCtrl::OnDeleteItem(NMHDR* header, LRESULT* result)
{
    const NMTREEVIEWW* tree = reinterpret_cast<const NMTREEVIEWW*>(header);
    *result = 0;
    LPITEMIDLIST list = reinterpret_cast<LPITEMIDLIST>(tree->itemOld.lParam);
    if (list && m_malloc)
        m_malloc->Free(list);
    if (tree->itemOld.hItem == m_temporaryChild)
        m_temporaryChild = nullptr;
}

void CShellTreeCtrl::RefreshItem(HTREEITEM item)
{
    if (!item)
        return;
    if (!ItemHasChildren(item)) {
        DeleteChildren(item);
        return;
    }
    const bool isRoot = item == GetRootItem();
    const int horizontal = ::GetScrollPos(m_hWnd, SB_HORZ);
    SetRedraw(FALSE);
    DeleteChildren(item);
    RebuildChildren(item);
    SetRedraw(TRUE);
    if (isRoot) {
        if (HTREEITEM first = GetChildItem(item))
            EnsureVisible(first);
        if (::GetScrollPos(m_hWnd, SB_HORZ) != horizontal)
            SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, horizontal), 0);
    }
    Invalidate();
}

void CShellTreeCtrl::OnVScroll(UINT code, UINT position, CScrollBar* bar)
{
    if (code != SB_THUMBTRACK) {
        Default();
        return;
    }
    // Dragging the thumb moves the view without repainting every step on the way.
    SetRedraw(FALSE);
    Default();
    SetRedraw(TRUE);
    Invalidate();
}
