// CShellTreeCtrl: a tree of the shell's name space. Every item's data is its absolute item-ID
// list (allocated with the shell allocator), which the tree owns and frees when the item is
// deleted. Children are enumerated when an item is expanded; shortcuts (".lnk", ".url") and
// the shell's special places are left out.
#pragma once

#include "framework/TreeCtrl.h"

#include <shlobj.h>

#include <vector>

class CShellTreeCtrl : public CTreeCtrl {
public:
    CShellTreeCtrl();
    ~CShellTreeCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void PreSubclassWindow() override;

    // Deletes the item's children and, when it has the has-children mark, enumerates them again.
    void RefreshItem(HTREEITEM item);
    // A new list (shell allocator) holding a followed by b; null when either is null or memory
    // runs out.
    LPITEMIDLIST ConcatItemIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b) const;
    // An item for the folder or file at the absolute list, which the tree takes over (freed
    // even when the item could not be made). Folders get the has-children mark.
    HTREEITEM InsertShellItem(HTREEITEM parent, LPITEMIDLIST absolute, LPCWSTR text = nullptr);
    // Whether an item with this parsing name is left out of the tree.
    bool IsHiddenName(const CString& parsingName) const;

    static const wchar_t kTemporaryChildName[];

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg void OnItemExpanding(NMHDR* header, LRESULT* result);
    afx_msg void OnItemExpanded(NMHDR* header, LRESULT* result);
    afx_msg void OnDeleteItem(NMHDR* header, LRESULT* result);
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);

private:
    void AttachSystemImageList();
    void AddHiddenSpecialFolder(int csidl);
    IShellFolder* BindFolder(LPCITEMIDLIST absolute) const;
    CString DisplayName(IShellFolder* folder, LPCITEMIDLIST relative, DWORD flags) const;
    bool ShouldShow(IShellFolder* folder, LPCITEMIDLIST relative, ULONG attributes) const;
    // Enumerates the children of the item; the number inserted.
    int FillChildren(HTREEITEM item);
    void SortChildren(HTREEITEM item, IShellFolder* folder);
    void RebuildChildren(HTREEITEM item);
    static int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM folder);

    IShellFolder* m_desktop = nullptr;
    IMalloc* m_malloc = nullptr;
    BOOL m_showFiles = TRUE;
    std::vector<CString> m_hiddenNames;
    std::vector<CString> m_alwaysShown;
    HTREEITEM m_expandingItem = nullptr;
    HTREEITEM m_temporaryChild = nullptr;
};
