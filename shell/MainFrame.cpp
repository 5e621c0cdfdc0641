#include "shell/MainFrame.h"

#include "activities/screenshare/ShareGlobals.h"
#include "framework/MemDC.h"
#include "framework/PaintDC.h"
#include "framework/PostOwned.h"
#include "res/resource.h"
#include "shell/PenToolState.h"
#include "ui/CaptionBand.h"
#include "ui/ShowMessageBox.h"
#include "ui/UiScale.h"
#include "ui/WaitMsgDlg.h"
#include "view/WendmarkView.h"

namespace {

const COLORREF kFrameBackground = RGB(40, 92, 153);
const COLORREF kCaptionText = RGB(255, 255, 255);
const wchar_t kFrameClassName[] = L"Lumora Teacher";

// Design sizes, before scaling.
const int kCaptionBandHeight = 104;   // the view starts below it
const int kBottomMargin = 20;
const int kDragBandHeight = 51;
const int kGripSize = 17;
const DWORD kSharingNoticeMs = 2500;

struct ButtonLayout {
    UINT id;
    UINT bitmap;
    UINT tooltip;
    int width;
    int height;
};

const ButtonLayout kButtons[] = {
    {ID_FRAME_CLOSE, IDB_FRAME_CLOSE, IDS_TIP_CLOSE, 39, 34},
    {ID_FRAME_MINIMIZE, IDB_FRAME_MINIMIZE, IDS_TIP_MINIMIZE, 39, 34},
    {ID_FRAME_CREATE_GROUP, IDB_FRAME_CREATE_GROUP, IDS_TIP_CREATE_GROUP, 41, 32},
    {ID_FRAME_DELETE_GROUP, IDB_FRAME_DELETE_GROUP, IDS_TIP_DELETE_GROUP, 41, 32},
    {ID_FRAME_RUN_ON_GROUP, IDB_FRAME_RUN_ON_GROUP, IDS_TIP_RUN_ON_GROUP, 41, 32},
};

}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_GETMINMAXINFO()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_SYSCOMMAND()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_COMMAND(ID_FRAME_CLOSE, OnCloseCommand)
    ON_COMMAND(ID_FRAME_MINIMIZE, OnMinimizeCommand)
    ON_COMMAND(ID_FRAME_CREATE_GROUP, OnCreateGroup)
    ON_COMMAND(ID_FRAME_DELETE_GROUP, OnDeleteGroup)
    ON_COMMAND(ID_FRAME_RUN_ON_GROUP, OnRunOnGroup)
    ON_MESSAGE(WM_GROUP_TAB_SELECTED, OnGroupTabSelected)
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
END_MESSAGE_MAP()

// Only top-level windows hear of a new display layout: the view (the remote-controller app's
// screen size and stream) hears it from here.
LRESULT CMainFrame::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
    SendMessageToDescendants(WM_DISPLAYCHANGE, wParam, lParam, TRUE);
    return 0;
}

// --- Creation -------------------------------------------------------------------------------

LPCWSTR CMainFrame::RegisterFrameClass(const CREATESTRUCTW& cs)
{
    WNDCLASSW wc = {};
    if (GetClassInfoW(AfxGetInstanceHandle(), kFrameClassName, &wc)) return kFrameClassName;
    if (!GetClassInfoW(AfxGetInstanceHandle(), cs.lpszClass, &wc)) return nullptr;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    wc.lpszClassName = kFrameClassName;
    return RegisterClassW(&wc) ? kFrameClassName : nullptr;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.hMenu = nullptr;
    cs.style &= ~FWS_ADDTOTITLE;
    cs.style |= WS_CLIPCHILDREN;
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    LPCWSTR className = RegisterFrameClass(cs);
    if (!className) return FALSE;
    cs.lpszClass = className;
    return TRUE;
}

BOOL CMainFrame::OnNcCreate(LPCREATESTRUCT cs)
{
    const BOOL result = CFrameWnd::OnNcCreate(cs);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, (GetStyle() & ~WS_THICKFRAME) | WS_MAXIMIZE | WS_BORDER);
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, GetExStyle() & ~WS_EX_CLIENTEDGE);
    return result;
}

int CMainFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CFrameWnd::OnCreate(cs) == -1) return -1;

    const CString face = LoadText(IDS_FONT_FACE);
    m_boldFont.CreateSimpleFont(ScaleToUi(12), FW_BOLD, face);
    m_normalFont.CreateSimpleFont(ScaleToUi(11), FW_NORMAL, face);
    if (!CreateCaptionButtons()) return -1;
    if (!m_groupTabs.Create(CRect(0, 0, 0, 0), this, IDC_GROUP_TAB_STRIP)) return -1;
    const CString defaultGroup = LoadText(IDS_DEFAULT_GROUP);
    m_groupTabs.AddTab(defaultGroup);
    m_groupTabs.SelectTabByName(defaultGroup);

    SetWindowText(L"Lumora " + LoadText(IDS_TEACHER));
    m_captionBand.LoadBitmap(IDB_FRAME_CAPTION_BAND);
    m_logo.LoadBitmap(IDB_FRAME_LOGO);
    m_labelPlate.LoadBitmap(IDB_FRAME_LABEL_PLATE);
    m_resizeGrip.LoadBitmap(IDB_FRAME_RESIZE_GRIP);

    CRect client;
    GetClientRect(&client);
    PlaceChildren(client.Width());
    return 0;
}

BOOL CMainFrame::CreateCaptionButtons()
{
    CImageButton* buttons[] = {&m_closeButton, &m_minimizeButton, &m_createGroupButton, &m_deleteGroupButton,
                               &m_runOnGroupButton};
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonLayout& button = kButtons[i];
        const CRect rect(0, 0, ScaleToUi(button.width), ScaleToUi(button.height));
        if (!buttons[i]->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, this, button.id)) return FALSE;
        buttons[i]->SetBitmaps(button.bitmap, button.bitmap, button.bitmap, button.bitmap);
        buttons[i]->SetTooltipText(LoadText(button.tooltip));
    }
    return TRUE;
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CFrameWnd::OnGetMinMaxInfo(info);
    info->ptMinTrackSize.x = 800;
    info->ptMinTrackSize.y = 600;
}

void CMainFrame::RecalcLayout(BOOL notify)
{
    m_rectBorder.SetRect(0, ScaleToUi(kCaptionBandHeight), 0, ScaleToUi(kBottomMargin));
    CFrameWnd::RecalcLayout(notify);
}

void CMainFrame::PlaceChildren(int clientWidth)
{
    if (!m_runOnGroupButton.GetSafeHwnd() || !m_groupTabs.GetSafeHwnd()) return;
    const int w = clientWidth;
    auto place = [&](CWnd& child, int fromRight, int y, int width, int height) {
        child.MoveWindow(w - ScaleToUi(fromRight), ScaleToUi(y), ScaleToUi(width), ScaleToUi(height));
    };
    place(m_closeButton, 43, 0, 39, 34);
    place(m_minimizeButton, 83, 0, 39, 34);
    place(m_createGroupButton, 131, 51, 41, 32);
    place(m_deleteGroupButton, 90, 51, 41, 32);
    place(m_runOnGroupButton, 49, 51, 41, 32);
    m_groupTabs.MoveWindow(ScaleToUi(10), ScaleToUi(51), w - ScaleToUi(446), ScaleToUi(32));
}

// --- Teacher and groups ---------------------------------------------------------------------

void CMainFrame::SetTeacherInfo(int number, const CString& name)
{
    m_teacherNumber = number;
    m_teacherName = name;
    CString title;
    title.Format(L"%s %s : %s", L"Lumora", LoadText(IDS_TEACHER).GetString(), name.GetString());
    SetWindowText(title);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

BOOL CMainFrame::StartPenTool()
{
    return ::StartPenTool();
}

void CMainFrame::GetGroupNames(CStringArray& names) const
{
    names.RemoveAll();
    const CString defaultGroup = LoadText(IDS_DEFAULT_GROUP);
    for (int i = 0; i < m_groupTabs.GetTabCount(); ++i) {
        const CString name = m_groupTabs.GetTabName(i);
        if (name != defaultGroup) names.Add(name);
    }
}

BOOL CMainFrame::IsDefaultGroupSelected() const
{
    return m_groupTabs.GetSelectedTabName() == LoadText(IDS_DEFAULT_GROUP);
}

LRESULT CMainFrame::OnGroupTabSelected(WPARAM marker, LPARAM name)
{
    if (marker != MessageMarker) return 0;
    const std::unique_ptr<CString> selected = AfxTakePosted<CString>(name);
    if (auto* view = dynamic_cast<CWendmarkView*>(GetActiveView()))
        view->SelectGroup(*selected);
    return 0;
}

// --- Painting -------------------------------------------------------------------------------

BOOL CMainFrame::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client, kFrameBackground);
    return TRUE;
}

void CMainFrame::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty()) return;
    CMemDC buffer(dc, client);
    PaintCaptionBand(buffer.GetDC(), client);
}

void CMainFrame::PaintCaptionBand(CDC& dc, const CRect& client)
{
    const int w = client.Width();
    dc.FillSolidRect(client, kFrameBackground);
    dc.SetStretchBltMode(HALFTONE);
    DrawBitmap(dc, m_captionBand, 0, 0, w, ScaleToUi(84));
    DrawBitmap(dc, m_logo, (w - ScaleToUi(92)) / 2, 0, ScaleToUi(92), ScaleToUi(51));
    DrawBitmap(dc, m_labelPlate, w - ScaleToUi(216), ScaleToUi(51), ScaleToUi(85), ScaleToUi(32));
    DrawBitmap(dc, m_labelPlate, w - ScaleToUi(424), ScaleToUi(51), ScaleToUi(85), ScaleToUi(32), 83, 32);

    HGDIOBJ previousFont = dc.SelectObject(&m_boldFont);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kCaptionText);
    DrawLabel(dc, IDS_LABEL_GROUP_MANAGEMENT, w - ScaleToUi(200), ScaleToUi(61));
    DrawLabel(dc, IDS_LABEL_TEACHER_ID, w - ScaleToUi(411), ScaleToUi(61));
    CRect nameRect(w - ScaleToUi(340), ScaleToUi(53), w - ScaleToUi(218), ScaleToUi(84));
    dc.DrawText(m_teacherName, &nameRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    dc.SelectObject(previousFont);

    if (!IsZoomed()) {
        const int grip = ScaleToUi(kGripSize);
        DrawBitmap(dc, m_resizeGrip, w - grip, client.Height() - grip, grip, grip);
    }
}

void CMainFrame::DrawBitmap(CDC& dc, CBitmap& bitmap, int x, int y, int width, int height, int sourceWidth,
                            int sourceHeight)
{
    if (!bitmap.GetSafeHandle()) return;
    const SIZE size = bitmap.GetSize();
    CDC source;
    if (!source.CreateCompatibleDC(&dc)) return;
    HGDIOBJ previous = source.SelectObject(&bitmap);
    dc.StretchBlt(x, y, width, height, &source, 0, 0, sourceWidth < 0 ? size.cx : sourceWidth,
                  sourceHeight < 0 ? size.cy : sourceHeight, SRCCOPY);
    source.SelectObject(previous);
}

void CMainFrame::DrawLabel(CDC& dc, UINT textId, int x, int y)
{
    m_text = LoadText(textId);
    dc.TextOut(x, y, m_text);
}

// --- Dragging, resizing, maximising ---------------------------------------------------------

LRESULT CMainFrame::OnNcHitTest(CPoint point)
{
    const LRESULT hit = CFrameWnd::OnNcHitTest(point);
    return IsInCaptionBand(*this, point, kDragBandHeight) ? HTCAPTION : hit;
}

void CMainFrame::OnLButtonDown(UINT flags, CPoint point)
{
    CFrameWnd::OnLButtonDown(flags, point);
    if (IsZoomed()) return;
    CRect client;
    GetClientRect(&client);
    const int grip = ScaleToUi(kGripSize);
    const CRect gripRect(client.right - grip, client.bottom - grip, client.right, client.bottom);
    if (!gripRect.PtInRect(point)) return;
    // The window's own size, so the grip stays under the mouse whatever the border.
    CRect window;
    GetWindowRect(&window);
    m_resizeSize = window.Size();
    m_resizeLastPoint = point;
    m_gripPressed = TRUE;
}

void CMainFrame::OnMouseMove(UINT flags, CPoint point)
{
    CFrameWnd::OnMouseMove(flags, point);
    if (!m_gripPressed) return;
    if (!m_resizing) {
        SetCapture();
        m_resizing = TRUE;
    }
    m_resizeSize.cx += point.x - m_resizeLastPoint.x;
    m_resizeSize.cy += point.y - m_resizeLastPoint.y;
    m_resizeLastPoint = point;
    SetWindowPos(nullptr, 0, 0, m_resizeSize.cx, m_resizeSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::OnLButtonUp(UINT flags, CPoint point)
{
    CFrameWnd::OnLButtonUp(flags, point);
    m_gripPressed = FALSE;
    m_resizing = FALSE;
    if (GetCapture() == this) ReleaseCapture();
}

void CMainFrame::RemoveCaptionStyle()
{
    ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
}

void CMainFrame::OnNcLButtonDblClk(UINT hitTest, CPoint point)
{
    if (IsZoomed()) {
        ShowWindow(SW_RESTORE);
        return;
    }
    ShowWindow(SW_MINIMIZE);
    RemoveCaptionStyle();
    ShowWindow(SW_MAXIMIZE);
}

void CMainFrame::OnSysCommand(UINT id, LPARAM lParam)
{
    const UINT command = id & 0xFFF0;
    if (command == SC_MAXIMIZE || (command == SC_RESTORE && m_fullScreen)) RemoveCaptionStyle();
    CFrameWnd::OnSysCommand(id, lParam);
}

void CMainFrame::OnSize(UINT type, int width, int height)
{
    if (type == SIZE_MAXIMIZED) {
        if (g_screenSharing.load()) {
            // A full-screen grid of the students' screens would cover the desktop the class is
            // watching.
            const CLifeFlag::Token life = m_life.GetToken();
            ShowWindow(SW_MINIMIZE);
            CWaitMsgDlg::ShowFor(LoadText(IDS_SHARING_REFUSED), kSharingNoticeMs);
            if (!life.IsAlive()) return;
        }
        if ((GetStyle() & WS_CAPTION) == WS_CAPTION) RemoveCaptionStyle();
        m_fullScreen = TRUE;
    } else if (type == SIZE_RESTORED) {
        CRect window;
        GetWindowRect(&window);
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
        if (window.Width() == screenWidth && window.Height() == screenHeight) {
            // Restoring to a window that fills the screen would look like no change at all.
            const int w = screenWidth - ScaleToUi(100);
            const int h = screenHeight - ScaleToUi(100);
            SetWindowPos(nullptr, (screenWidth - w) / 2, (screenHeight - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
            return;
        }
        ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
        Invalidate();
        m_fullScreen = FALSE;
    }
    PlaceChildren(width);
    CFrameWnd::OnSize(type, width, height);
}

// --- Closing --------------------------------------------------------------------------------

void CMainFrame::CloseAfterConfirmation()
{
    if (m_confirmClose == 1) {
        if (ShowMessageBox(LoadText(IDS_CONFIRM_EXIT), LoadText(IDS_CONFIRM_EXIT_CAPTION), 4) != IDYES) return;
    }
    CFrameWnd::OnClose();
}

void CMainFrame::OnClose()
{
    CloseAfterConfirmation();
}

void CMainFrame::OnCloseCommand()
{
    CloseAfterConfirmation();
}

void CMainFrame::OnMinimizeCommand()
{
    ShowWindow(SW_MINIMIZE);
}
