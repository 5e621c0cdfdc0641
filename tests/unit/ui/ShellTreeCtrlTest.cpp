#include "ui/ShellTreeCtrl.h"

#include "PictureTestSupport.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::wstring>;

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), ::towlower);
    return text;
}

// A folder of its own under %TEMP%, removed with everything in it.
class CTempFolder {
public:
    CTempFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"lumora_tree_" + std::to_wstring(GetCurrentProcessId()) +
                 L"_" + std::to_wstring(GetTickCount());
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~CTempFolder() { RemoveTree(m_path); }

    std::wstring Path(const std::wstring& relative = L"") const
    {
        return relative.empty() ? m_path : m_path + L"\\" + relative;
    }
    void Folder(const std::wstring& relative) const { CreateDirectoryW(Path(relative).c_str(), nullptr); }
    void File(const std::wstring& relative) const
    {
        HANDLE file = CreateFileW(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, "x", 1, &written, nullptr);
            CloseHandle(file);
        }
    }

private:
    static void RemoveTree(const std::wstring& path)
    {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path + L"\\" + name);
                else
                    DeleteFileW((path + L"\\" + name).c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path.c_str());
    }

    std::wstring m_path;
};

class ShellTreeCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.Folder(L"sub");
        m_folder.File(L"sub\\inner.txt");
        m_folder.Folder(L"empty");
        m_folder.File(L"a.txt");
        m_folder.File(L"b.lnk");
        m_folder.File(L"c.url");
        m_folder.File(L"d.zip");
        ASSERT_TRUE(m_parent.Open());
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES,
                                  RECT{0, 0, 300, 250}, &m_parent, 1007));
        LPITEMIDLIST list = nullptr;
        ASSERT_TRUE(SUCCEEDED(SHParseDisplayName(m_folder.Path().c_str(), nullptr, &list, 0, nullptr)));
        m_root = m_tree.InsertShellItem(TVI_ROOT, list, L"root");
        ASSERT_NE(m_root, nullptr);
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
    }

    Names Children(HTREEITEM item)
    {
        Names names;
        for (HTREEITEM child = m_tree.GetChildItem(item); child; child = m_tree.GetNextSiblingItem(child))
            names.push_back(Lower(m_tree.GetItemText(child).Str()));
        std::sort(names.begin(), names.end());
        return names;
    }
    HTREEITEM Child(HTREEITEM item, const std::wstring& prefix)
    {
        for (HTREEITEM child = m_tree.GetChildItem(item); child; child = m_tree.GetNextSiblingItem(child))
            if (Lower(m_tree.GetItemText(child).Str()).rfind(prefix, 0) == 0)
                return child;
        return nullptr;
    }
    static bool Contains(const Names& names, const std::wstring& prefix)
    {
        return std::any_of(names.begin(), names.end(),
                           [&](const std::wstring& name) { return name.rfind(prefix, 0) == 0; });
    }

    CTempFolder m_folder;
    CTestParentWnd m_parent;
    CShellTreeCtrl m_tree;
    HTREEITEM m_root = nullptr;
};

TEST_F(ShellTreeCtrlTest, ChildrenAppearOnlyWhenExpandedWithoutShortcuts)
{
    EXPECT_TRUE(m_tree.ItemHasChildren(m_root));
    EXPECT_EQ(m_tree.GetChildItem(m_root), nullptr);

    m_tree.Expand(m_root, TVE_EXPAND);
    const Names names = Children(m_root);
    EXPECT_EQ(names.size(), 4u) << "children: " << names.size();
    EXPECT_TRUE(Contains(names, L"a"));
    EXPECT_TRUE(Contains(names, L"d"));
    EXPECT_TRUE(Contains(names, L"empty"));
    EXPECT_TRUE(Contains(names, L"sub"));
    EXPECT_FALSE(Contains(names, L"b"));   // .lnk
    EXPECT_FALSE(Contains(names, L"c"));   // .url
    EXPECT_FALSE(Contains(names, Lower(CShellTreeCtrl::kTemporaryChildName)));
    EXPECT_EQ(m_tree.GetSelectedItem(), m_root);

    EXPECT_TRUE(m_tree.ItemHasChildren(Child(m_root, L"sub")));
    EXPECT_FALSE(m_tree.ItemHasChildren(Child(m_root, L"a")));
    EXPECT_FALSE(m_tree.ItemHasChildren(Child(m_root, L"d")));   // a .zip is a file here
}

TEST_F(ShellTreeCtrlTest, AnItemsDataIsItsItemIdList)
{
    m_tree.Expand(m_root, TVE_EXPAND);
    HTREEITEM file = Child(m_root, L"a");
    ASSERT_NE(file, nullptr);
    wchar_t path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(m_tree.GetItemData(file)), path));
    EXPECT_EQ(Lower(path), Lower(m_folder.Path(L"a.txt")));
}

TEST_F(ShellTreeCtrlTest, AnEmptyFolderEndsWithoutChildrenOrPlaceholder)
{
    m_tree.Expand(m_root, TVE_EXPAND);
    HTREEITEM empty = Child(m_root, L"empty");
    ASSERT_NE(empty, nullptr);
    m_tree.Expand(empty, TVE_EXPAND);
    EXPECT_EQ(m_tree.GetChildItem(empty), nullptr);
    EXPECT_FALSE(m_tree.ItemHasChildren(empty));

    HTREEITEM sub = Child(m_root, L"sub");
    m_tree.Expand(sub, TVE_EXPAND);
    EXPECT_EQ(Children(sub).size(), 1u);
    EXPECT_TRUE(Contains(Children(sub), L"inner"));
}

TEST_F(ShellTreeCtrlTest, RefreshRebuildsFromTheFolder)
{
    m_tree.Expand(m_root, TVE_EXPAND);
    m_folder.File(L"new.txt");
    DeleteFileW(m_folder.Path(L"a.txt").c_str());
    m_tree.RefreshItem(m_root);
    const Names names = Children(m_root);
    EXPECT_TRUE(Contains(names, L"new"));
    EXPECT_FALSE(Contains(names, L"a"));
    EXPECT_EQ(names.size(), 4u);

    // An item without the mark only loses its children.
    HTREEITEM file = Child(m_root, L"new");
    m_tree.InsertItem(L"stray", file);
    m_tree.RefreshItem(file);
    EXPECT_EQ(m_tree.GetChildItem(file), nullptr);
}

TEST(ShellTreeHiddenNameTest, SpecialPlacesAreHiddenAndTheTwoRootsShown)
{
    CShellTreeCtrl tree;
    EXPECT_FALSE(tree.IsHiddenName(L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"));
    EXPECT_FALSE(tree.IsHiddenName(L"::{031e4825-7b94-4dc3-b131-e946b44c8dd5}"));
    EXPECT_FALSE(tree.IsHiddenName(L"::{031E4825-7B94-4DC3-B131-E946B44C8DD5}\\Music.library-ms"));
    EXPECT_TRUE(tree.IsHiddenName(L"::{031E4825-7B94-4DC3-B131-E946B44C8DD5}\\Other.library-ms"));
    EXPECT_TRUE(tree.IsHiddenName(L"::{26EE0668-A00A-44D7-9371-BEB064C98683}"));
    EXPECT_TRUE(tree.IsHiddenName(L"::{645FF040-5081-101B-9F08-00AA002F954E}"));
    EXPECT_FALSE(tree.IsHiddenName(L"C:\\Users"));
    EXPECT_FALSE(tree.IsHiddenName(L""));
}

} // namespace
