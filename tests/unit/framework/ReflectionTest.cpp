#include "framework/Afx.h"

#include <gtest/gtest.h>

namespace {

const UINT kChildId = 301;
const UINT kCustomNotify = 0x1234;
const UINT kOtherNotify = 0x1235;

// A control that handles some of its own notifications.
class CReflectingChild : public CWnd {
public:
    int m_notifies = 0;
    int m_clicks = 0;
    HBRUSH m_brush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    bool m_giveBrush = true;
    int m_drawItems = 0;

    afx_msg void OnCustomNotify(NMHDR* header, LRESULT* result)
    {
        ++m_notifies;
        *result = 77;
    }
    afx_msg void OnClicked() { ++m_clicks; }
    afx_msg HBRUSH CtlColor(CDC* dc, UINT kind) { return m_giveBrush ? m_brush : nullptr; }
    afx_msg void DrawItem(LPDRAWITEMSTRUCT) { ++m_drawItems; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
    ON_NOTIFY_REFLECT(kCustomNotify, OnCustomNotify)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class CNotifiedParent : public CWnd {
public:
    int m_parentNotifies = 0;
    int m_parentClicks = 0;
    int m_parentDoubleClicks = 0;
    int m_colorCalls = 0;

    afx_msg void OnChildNotify(NMHDR*, LRESULT* result) { ++m_parentNotifies; *result = 5; }
    afx_msg void OnOtherNotify(NMHDR*, LRESULT* result) { ++m_parentNotifies; *result = 6; }
    afx_msg void OnChildClicked() { ++m_parentClicks; }
    afx_msg void OnChildDoubleClicked() { ++m_parentDoubleClicks; }
    // Looks at the colour request first, then leaves it to the control (the base handler).
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind)
    {
        ++m_colorCalls;
        return CWnd::OnCtlColor(dc, control, kind);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifiedParent, CWnd)
    ON_NOTIFY(kCustomNotify, kChildId, OnChildNotify)
    ON_NOTIFY(kOtherNotify, kChildId, OnOtherNotify)
    ON_BN_CLICKED(kChildId, OnChildClicked)
    ON_BN_DOUBLECLICKED(kChildId, OnChildDoubleClicked)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

struct Family {
    CNotifiedParent parent;
    CReflectingChild child;
    Family()
    {
        EXPECT_TRUE(parent.CreateHiddenWindow(L"ReflectionParent"));
        EXPECT_TRUE(child.CreateEx(0, nullptr, L"", WS_CHILD, CRect(0, 0, 20, 20), &parent, kChildId));
    }
    ~Family()
    {
        parent.DestroyWindow();
    }
    LRESULT Notify(UINT code)
    {
        NMHDR header = {child.GetSafeHwnd(), kChildId, code};
        return parent.SendMessage(WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&header));
    }
    LRESULT Command(WORD code)
    {
        return parent.SendMessage(WM_COMMAND, MAKEWPARAM(kChildId, code),
                                  reinterpret_cast<LPARAM>(child.GetSafeHwnd()));
    }
};

} // namespace

TEST(ReflectionTest, NotificationsTheControlHandlesStayWithIt)
{
    Family family;
    EXPECT_EQ(family.Notify(kCustomNotify), 77);
    EXPECT_EQ(family.child.m_notifies, 1);
    EXPECT_EQ(family.parent.m_parentNotifies, 0);

    family.Command(BN_CLICKED);
    EXPECT_EQ(family.child.m_clicks, 1);
    EXPECT_EQ(family.parent.m_parentClicks, 0);
}

TEST(ReflectionTest, OthersReachTheParentsMap)
{
    Family family;
    EXPECT_EQ(family.Notify(kOtherNotify), 6);
    EXPECT_EQ(family.parent.m_parentNotifies, 1);
    family.Command(BN_DOUBLECLICKED);
    EXPECT_EQ(family.parent.m_parentDoubleClicks, 1);
    EXPECT_EQ(family.child.m_clicks, 0);
}

TEST(ReflectionTest, ColourAndDrawingRequestsGoBackToTheControl)
{
    Family family;
    HDC dc = GetDC(family.child.GetSafeHwnd());
    LRESULT brush = family.parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(family.child.GetSafeHwnd()));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), family.child.m_brush);
    EXPECT_EQ(family.parent.m_colorCalls, 1);   // the parent saw it first

    // A control without an answer leaves the parent's default.
    family.child.m_giveBrush = false;
    brush = family.parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(family.child.GetSafeHwnd()));
    EXPECT_NE(reinterpret_cast<HBRUSH>(brush), family.child.m_brush);
    ReleaseDC(family.child.GetSafeHwnd(), dc);

    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kChildId;
    item.hwndItem = family.child.GetSafeHwnd();
    EXPECT_EQ(family.parent.SendMessage(WM_DRAWITEM, kChildId, reinterpret_cast<LPARAM>(&item)), TRUE);
    EXPECT_EQ(family.child.m_drawItems, 1);
}
