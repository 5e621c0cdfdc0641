#include "shell/GroupTabCtrl.h"

#include "framework/ClientDC.h"
#include "framework/PaintDC.h"
#include "framework/PostOwned.h"
#include "res/resource.h"
#include "ui/UiScale.h"

#include <memory>

namespace {

const COLORREF kStripBackground = RGB(11, 62, 124);
const COLORREF kTabFill = RGB(49, 66, 108);
const COLORREF kSelectedText = RGB(96, 188, 252);
const COLORREF kOtherText = RGB(174, 174, 182);

const int kScrollButtonWidth = 21;
const int kTabPadding = 20;
const int kTabHeight = 32;
const int kNameIndent = 8;
const int kFontHeight = 15;

}  // namespace

BEGIN_MESSAGE_MAP(CGroupTabCtrl, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_BN_CLICKED(ID_TAB_SCROLL_LEFT, OnScrollLeft)
    ON_BN_CLICKED(ID_TAB_SCROLL_RIGHT, OnScrollRight)
END_MESSAGE_MAP()

LPCWSTR CGroupTabCtrl::RegisterWindowClass()
{
    static const wchar_t kClassName[] = L"GroupTab";
    WNDCLASSW wc = {};
    if (!GetClassInfoW(AfxGetInstanceHandle(), kClassName, &wc)) {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcW;   // CreateEx routes the window to its map
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        RegisterClassW(&wc);
    }
    return kClassName;
}

BOOL CGroupTabCtrl::Create(const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, RegisterWindowClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id);
}

TabStripMetrics CGroupTabCtrl::ScaledMetrics() const
{
    TabStripMetrics metrics;
    metrics.firstLeft = ScaleToUi(kScrollButtonWidth);
    metrics.padding = ScaleToUi(kTabPadding);
    metrics.height = ScaleToUi(kTabHeight);
    return metrics;
}

int CGroupTabCtrl::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1) return -1;
    const CString face = LoadText(IDS_FONT_FACE_LATIN);
    m_font.CreateSimpleFont(ScaleToUi(kFontHeight), FW_NORMAL, face);
    m_pen.CreatePen(PS_SOLID, 1, kTabFill);
    m_brush.CreateSolidBrush(kTabFill);
    m_tabs.SetMetrics(ScaledMetrics());

    const int width = ScaleToUi(kScrollButtonWidth);
    const int height = ScaleToUi(kTabHeight);
    const DWORD style = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
    if (!m_scrollLeftButton.Create(L"", style, CRect(0, 0, width, height), this, ID_TAB_SCROLL_LEFT) ||
        !m_scrollRightButton.Create(L"", style, CRect(0, 0, width, height), this, ID_TAB_SCROLL_RIGHT)) {
        return -1;
    }
    m_scrollLeftButton.SetBitmaps(IDB_TAB_SCROLL_LEFT, IDB_TAB_SCROLL_LEFT, IDB_TAB_SCROLL_LEFT, IDB_TAB_SCROLL_LEFT);
    m_scrollRightButton.SetBitmaps(IDB_TAB_SCROLL_RIGHT, IDB_TAB_SCROLL_RIGHT, IDB_TAB_SCROLL_RIGHT,
                                   IDB_TAB_SCROLL_RIGHT);
    PlaceScrollButtons(cs->cx);
    return 0;
}

void CGroupTabCtrl::PlaceScrollButtons(int stripWidth)
{
    if (!m_scrollRightButton.GetSafeHwnd()) return;
    const int width = ScaleToUi(kScrollButtonWidth);
    const int height = ScaleToUi(kTabHeight);
    m_scrollLeftButton.MoveWindow(0, 0, width, height);
    m_scrollRightButton.MoveWindow(stripWidth - width, 0, width, height);
}

void CGroupTabCtrl::OnSize(UINT type, int width, int height)
{
    CWnd::OnSize(type, width, height);
    PlaceScrollButtons(width);
}

int CGroupTabCtrl::MeasureName(const CString& name)
{
    CClientDC dc(this);
    HGDIOBJ previous = dc.SelectObject(&m_font);
    const CSize size = dc.GetTextExtent(name);
    dc.SelectObject(previous);
    return size.cx;
}

void CGroupTabCtrl::AddTab(const CString& name)
{
    auto tab = std::make_unique<CTabObject>();
    tab->m_name = name;
    tab->m_nameWidth = MeasureName(name);
    m_tabs.Add(std::move(tab));
    Invalidate();
}

void CGroupTabCtrl::RemoveSelectedTab()
{
    const int next = m_tabs.RemoveSelected();
    Invalidate();
    if (next >= 0) SelectTab(next);
}

void CGroupTabCtrl::SelectTab(int index)
{
    if (index < 0 || index >= m_tabs.Count()) return;
    m_tabs.Select(index);
    Invalidate();
    NotifySelection();
}

BOOL CGroupTabCtrl::SelectTabByName(const CString& name)
{
    for (int i = 0; i < m_tabs.Count(); ++i) {
        if (m_tabs.At(i).m_name == name) {
            SelectTab(i);
            return TRUE;
        }
    }
    return FALSE;
}

CString CGroupTabCtrl::GetTabName(int index) const
{
    return index >= 0 && index < m_tabs.Count() ? m_tabs.At(index).m_name : CString();
}

CString CGroupTabCtrl::GetSelectedTabName() const
{
    return GetTabName(m_tabs.SelectedIndex());
}

void CGroupTabCtrl::NotifySelection()
{
    CWnd* parent = GetParent();
    const int selected = m_tabs.SelectedIndex();
    if (!parent || selected < 0) return;
    PostOwnedInLParam(parent->GetSafeHwnd(), WM_GROUP_TAB_SELECTED, MessageMarker,
                      std::make_unique<CString>(m_tabs.At(selected).m_name));
}

BOOL CGroupTabCtrl::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client, kStripBackground);
    return TRUE;
}

void CGroupTabCtrl::OnPaint()
{
    CPaintDC dc(this);
    HGDIOBJ oldFont = dc.SelectObject(&m_font);
    HGDIOBJ oldPen = dc.SelectObject(&m_pen);
    HGDIOBJ oldBrush = dc.SelectObject(&m_brush);
    dc.SetBkMode(TRANSPARENT);
    const int offset = m_tabs.ScrollOffset();
    for (int i = m_tabs.ScrollIndex(); i < m_tabs.Count(); ++i) {
        const CTabObject& tab = m_tabs.At(i);
        CRect rect(tab.m_rect);
        rect.OffsetRect(-offset, 0);
        dc.Rectangle(rect);
        dc.SetTextColor(tab.m_selected ? kSelectedText : kOtherText);
        CRect text(rect);
        text.left += ScaleToUi(kNameIndent);
        dc.DrawText(tab.m_name, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}

void CGroupTabCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    const int hit = m_tabs.HitTest(point.x, point.y);
    if (hit >= 0) SelectTab(hit);
    m_buttonDown = TRUE;
}

void CGroupTabCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    EndDrag();
}

void CGroupTabCtrl::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_buttonDown) return;
    if (GetCapture() != this) SetCapture();
    if (m_tabs.DragSelectedTo(point.x, point.y)) {
        Invalidate();
        EndDrag();
    }
}

void CGroupTabCtrl::EndDrag()
{
    m_buttonDown = FALSE;
    if (GetCapture() == this) ReleaseCapture();
}

void CGroupTabCtrl::OnScrollLeft()
{
    if (m_tabs.ScrollLeft()) Invalidate();
}

void CGroupTabCtrl::OnScrollRight()
{
    if (m_tabs.ScrollRight()) Invalidate();
}

BOOL CGroupTabCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_F4) return TRUE;
    return CWnd::PreTranslateMessage(msg);
}
