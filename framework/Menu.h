// CMenu: an owned menu loaded from the resource module, and the pop-up sub-menus it holds.
#pragma once

#include "framework/Wnd.h"

class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // From g_langResource, else the executable.
    BOOL LoadMenu(UINT resourceId)
    {
        DestroyMenu();
        m_hMenu = ::LoadMenuW(g_langResource ? g_langResource : ::GetModuleHandleW(nullptr),
                              MAKEINTRESOURCEW(resourceId));
        if (!m_hMenu && g_langResource)
            m_hMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId));
        return m_hMenu != nullptr;
    }
    void DestroyMenu()
    {
        if (m_hMenu)
            ::DestroyMenu(m_hMenu);
        m_hMenu = nullptr;
    }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    // The pop-up at a position; it belongs to this menu.
    HMENU GetSubMenu(int position) const { return m_hMenu ? ::GetSubMenu(m_hMenu, position) : nullptr; }

    static UINT CheckMenuItem(HMENU menu, UINT id, UINT check) { return ::CheckMenuItem(menu, id, check); }
    static BOOL SetMenuItemBitmaps(HMENU menu, UINT id, UINT flags, HBITMAP unchecked, HBITMAP checked)
    {
        return ::SetMenuItemBitmaps(menu, id, flags, unchecked, checked);
    }
    // Runs the pop-up; the chosen command goes to the owner window as WM_COMMAND.
    static BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, CWnd* owner)
    {
        return ::TrackPopupMenu(menu, flags, x, y, 0, owner->GetSafeHwnd(), nullptr);
    }

private:
    HMENU m_hMenu = nullptr;
};
