#include "activities/pentool/NoteToolDlg.h"

#include "activities/pentool/NoteThreadWnd.h"
#include "foundation/AppMessages.h"
#include "activities/pentool/NoteToolWnd.h"
#include "activities/pentool/core/NoteGeometry.h"
#include "foundation/ConfigProfile.h"
#include "foundation/FileUtil.h"
#include "foundation/SystemInfo.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "ui/CaptionBand.h"
#include "ui/TeacherToolbars.h"
#include "ui/UiScale.h"

#include <objidl.h>
#include <gdiplus.h>

#include <iterator>
#include <vector>

namespace {

const COLORREF kBackground = 0xAED9C0;
const COLORREF kTitleBand = 0x46882E;
const COLORREF kToolBand = 0xE1E1E1;
const COLORREF kTitleText = 0xE1E1E1;
const int kWidth = 173;
const int kTouchHeight = 109;
const int kDrawingHeight = 410;
const int kTitleBandHeight = 34;
const int kToolBandBottom = 351;

struct ButtonLayout {
    UINT id;
    int x, y, width, height;   // 0 x 0: the bitmap's own size
    UINT bitmaps[4];
    UINT tooltip;              // 0: none
};

const ButtonLayout kButtons[CNoteToolDlg::kButtonCount] = {
    {IDC_CAPTION_CLOSE, 132, 0, 39, 34, {625, 625, 625, 625}, 0},
    {IDC_PEN_TOUCH_MODE, 8, 57, 0, 0, {616, 618, 616, 617}, IDS_PEN_TOUCH_MODE},
    {IDC_PEN_PEN_MODE, 61, 57, 0, 0, {619, 621, 619, 620}, IDS_PEN_PEN_MODE},
    {IDC_PEN_WHITEBOARD_MODE, 116, 57, 0, 0, {622, 624, 622, 623}, IDS_PEN_WHITEBOARD_MODE},
    {IDC_PEN_DRAW, 11, 122, 0, 0, {650, 652, 650, 651}, IDS_PEN_DRAW},
    {IDC_PEN_ERASE, 66, 122, 0, 0, {647, 649, 647, 648}, IDS_PEN_ERASE},
    {IDC_PEN_CLEAR_ALL, 120, 122, 0, 0, {683, 685, 683, 684}, IDS_PEN_CLEAR_ALL},
    {IDC_PEN_WIDTH1, 8, 170, 0, 0, {653, 655, 653, 654}, 0},
    {IDC_PEN_WIDTH2, 8, 206, 0, 0, {656, 658, 656, 657}, 0},
    {IDC_PEN_WIDTH3, 88, 170, 0, 0, {659, 661, 659, 660}, 0},
    {IDC_PEN_WIDTH4, 88, 206, 0, 0, {662, 664, 662, 663}, 0},
    {IDC_PEN_BLACK, 8, 251, 0, 0, {629, 631, 629, 630}, 0},
    {IDC_PEN_RED, 48, 251, 0, 0, {635, 637, 635, 636}, 0},
    {IDC_PEN_BLUE, 89, 251, 0, 0, {632, 634, 632, 633}, 0},
    {IDC_PEN_GREY, 129, 251, 0, 0, {638, 640, 638, 639}, 0},
    {IDC_PEN_YELLOW, 8, 302, 0, 0, {680, 682, 680, 681}, 0},
    {IDC_PEN_VIOLET, 48, 302, 0, 0, {677, 679, 677, 678}, 0},
    {IDC_PEN_GREEN, 89, 302, 0, 0, {674, 676, 674, 675}, 0},
    {IDC_PEN_TEAL, 129, 302, 0, 0, {671, 673, 671, 672}, 0},
    {IDC_PEN_PREVIOUS_PAGE, 2, 360, 40, 40, {719, 721, 720, 719}, IDS_PEN_PREVIOUS_PAGE},
    {IDC_PEN_NEXT_PAGE, 44, 360, 40, 40, {722, 724, 723, 722}, IDS_PEN_NEXT_PAGE},
    {IDC_PEN_HALFTONE, 87, 360, 40, 40, {626, 628, 626, 627}, IDS_PEN_HALFTONE},
    {IDC_PEN_SAVE, 129, 360, 40, 40, {665, 667, 665, 666}, IDS_PEN_SAVE},
};

// Only a point on the first monitor whose left edge is at x = 0 is taken back.
bool OnPrimaryMonitor(POINT point)
{
    std::vector<RECT> monitors;
    const int index = GetMonitorRects(monitors, point);
    if (index < 0) return false;
    for (size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].left == 0) return static_cast<int>(i) == index;
    return false;
}

} // namespace

BEGIN_MESSAGE_MAP(CNoteToolDlg, CSkinnedDialog)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_NOTE_TOOL_NOTIFY, OnNoteToolNotify)
    ON_MESSAGE(WM_NOTE_TOOL_MESSAGE, OnNoteToolMessage)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCloseButton)
    ON_BN_CLICKED(IDC_PEN_TOUCH_MODE, OnTouchMode)
    ON_BN_CLICKED(IDC_PEN_PEN_MODE, OnPenMode)
    ON_BN_CLICKED(IDC_PEN_WHITEBOARD_MODE, OnWhiteboardMode)
    ON_BN_CLICKED(IDC_PEN_DRAW, OnPenTool)
    ON_BN_CLICKED(IDC_PEN_ERASE, OnEraser)
    ON_BN_CLICKED(IDC_PEN_CLEAR_ALL, OnClearAll)
    ON_COMMAND_RANGE(IDC_PEN_WIDTH1, IDC_PEN_WIDTH4, OnWidth)
    ON_COMMAND_RANGE(IDC_PEN_BLACK, IDC_PEN_TEAL, OnColour)
    ON_BN_CLICKED(IDC_PEN_HALFTONE, OnSemiTransparent)
    ON_BN_CLICKED(IDC_PEN_PREVIOUS_PAGE, OnPreviousPage)
    ON_BN_CLICKED(IDC_PEN_NEXT_PAGE, OnNextPage)
    ON_BN_CLICKED(IDC_PEN_SAVE, OnSave)
END_MESSAGE_MAP()

CNoteToolDlg::CNoteToolDlg(std::shared_ptr<CNoteToolLink> link, CNoteThreadWnd* threadWnd)
    : CSkinnedDialog(IDD_PEN_TOOLBAR, nullptr, kTitleBandHeight), m_link(std::move(link)), m_threadWnd(threadWnd)
{
}

CNoteToolDlg::~CNoteToolDlg()
{
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CNoteToolDlg::Create()
{
    return CDialogEx::Create(IDD_PEN_TOOLBAR, CWnd::FromHandle(::GetDesktopWindow()));
}

BOOL CNoteToolDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) != Gdiplus::Ok) {
        m_gdiplusToken = 0;
        return FALSE;
    }
    m_font.CreateSimpleFont(ScaleToUi(12), FW_BOLD, LoadText(IDS_FONT_FACE));
    CreateButtons();
    SetWindowPos(nullptr, 0, 0, ScaleToUi(kWidth), ScaleToUi(kTouchHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (CWnd* title = GetDlgItem(IDC_TITLE_TEXT)) {
        title->SetFont(m_font);
        title->MoveWindow(ScaleToUi(6), ScaleToUi(12), ScaleToUi(131), ScaleToUi(22));
    }
    SetTimer(kZOrderTimer, 100);
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MakeDirectories(CNoteToolWnd::GetNoteFolder());
    m_mode = 0;
    UpdateToolButtons();
    ModifyStyleEx(0, WS_EX_NOACTIVATE);
    m_link->toolbar = m_hWnd;
    SetPenToolbarWindow(m_hWnd);
    return TRUE;
}

BOOL CNoteToolDlg::CreateButtons()
{
    BOOL all = TRUE;
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonLayout& layout = kButtons[i];
        CImageButton& button = m_buttons[i];
        if (!button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 1, 1), this, layout.id)) {
            all = FALSE;
            continue;
        }
        button.SetBitmaps(layout.bitmaps[0], layout.bitmaps[1], layout.bitmaps[2], layout.bitmaps[3]);
        if (layout.tooltip) button.SetTooltipText(LoadText(layout.tooltip));
        const SIZE natural = button.GetNaturalSize();
        const int width = layout.width ? layout.width : natural.cx;
        const int height = layout.height ? layout.height : natural.cy;
        button.MoveWindow(ScaleToUi(layout.x), ScaleToUi(layout.y), ScaleToUi(width), ScaleToUi(height));
    }
    return all;
}

CImageButton* CNoteToolDlg::Button(UINT id)
{
    for (size_t i = 0; i < std::size(kButtons); ++i)
        if (kButtons[i].id == id) return m_buttons[i].GetSafeHwnd() ? &m_buttons[i] : nullptr;
    return nullptr;
}

void CNoteToolDlg::Check(UINT id, bool checked)
{
    if (CImageButton* button = Button(id)) checked ? button->SetChecked() : button->ClearChecked();
}

void CNoteToolDlg::PlaceWindow()
{
    const int width = ScaleToUi(kWidth);
    const int height = ScaleToUi(m_mode ? kDrawingHeight : kTouchHeight);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    CPoint position(::GetSystemMetrics(SM_CXSCREEN) - width, screenHeight / 2 - screenHeight / 4);
    CPoint saved(GetConfigInt(L"config", L"NoteToolDlgPosX", position.x),
                 GetConfigInt(L"config", L"NoteToolDlgPosY", position.y));
    if (OnPrimaryMonitor(saved)) position = saved;
    if (m_shown)
        SetWindowPos(HWND_TOPMOST, 0, 0, width, height, SWP_NOMOVE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    else
        SetWindowPos(HWND_TOPMOST, position.x, position.y, width, height, SWP_NOACTIVATE);
    m_shown = TRUE;
}

void CNoteToolDlg::UpdateToolButtons()
{
    m_link->mode = m_mode;
    Check(IDC_PEN_TOUCH_MODE, m_mode == 0);
    Check(IDC_PEN_PEN_MODE, m_mode == 1);
    Check(IDC_PEN_WHITEBOARD_MODE, m_mode == 2);
    if (m_mode) {
        Check(IDC_PEN_DRAW, m_tool == 0);
        Check(IDC_PEN_ERASE, m_tool == 4);
        UINT colourId = IDC_PEN_BLACK;   // a colour not in the table checks the first
        for (UINT i = 0; i < std::size(note::kPenColours); ++i)
            if (note::kPenColours[i] == m_colour) colourId = IDC_PEN_BLACK + i;
        for (UINT id = IDC_PEN_BLACK; id <= IDC_PEN_TEAL; ++id) Check(id, id == colourId);
        for (int index = 1; index <= 4; ++index) Check(IDC_PEN_WIDTH1 + index - 1, index == m_widthIndex);
        if (m_surface) m_surface->SetWidthIndex(m_widthIndex);
    }
    PlaceWindow();
}

LRESULT CNoteToolDlg::OnDisplayChange(WPARAM, LPARAM)
{
    UpdateToolButtons();
    return 0;
}

void CNoteToolDlg::OnTimer(UINT_PTR id)
{
    if (id != kZOrderTimer) return;
    KillTimer(kZOrderTimer);
    KeepZOrder();
    SetTimer(kZOrderTimer, 100);
}

void CNoteToolDlg::KeepZOrder()
{
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (m_link->backLayer && ::IsWindow(m_link->backLayer)) ::SetWindowPos(m_hWnd, m_link->backLayer, 0, 0, 0, 0, flags);
    if (m_surface) ::SetWindowPos(m_surface->GetSafeHwnd(), m_hWnd, 0, 0, 0, 0, flags);
}

void CNoteToolDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    auto fill = [&](int top, int bottom, COLORREF colour) {
        HBRUSH brush = ::CreateSolidBrush(colour);
        RECT band = {client.left, top, client.right, bottom};
        ::FillRect(dc, &band, brush);
        ::DeleteObject(brush);
    };
    fill(client.top, client.bottom, kBackground);
    fill(0, ScaleToUi(kTitleBandHeight), kTitleBand);
    fill(ScaleToUi(kTouchHeight), ScaleToUi(kToolBandBottom), kToolBand);
}

HBRUSH CNoteToolDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    if (control && control->GetDlgCtrlID() == IDC_TITLE_TEXT) {
        dc->SetTextColor(kTitleText);
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return CDialogEx::OnCtlColor(dc, control, kind);
}

LRESULT CNoteToolDlg::OnNoteToolNotify(WPARAM wParam, LPARAM lParam)
{
    if (m_threadWnd) m_threadWnd->PostMessage(WM_NOTE_TOOL_NOTIFY, wParam, lParam);
    return 0;
}

LRESULT CNoteToolDlg::OnNoteToolMessage(WPARAM wParam, LPARAM)
{
    const UINT text = wParam ? IDS_FILE_SENT_TO_TEACHER : IDS_FILE_SEND_FAILED;
    const UINT caption = wParam ? IDS_FILE_SENT_CAPTION : IDS_FILE_SEND_FAILED_CAPTION;
    ::MessageBoxW(nullptr, LoadText(text), LoadText(caption), MB_SETFOREGROUND);
    return 0;
}

void CNoteToolDlg::OnClose()
{
    OnTouchMode();
    m_shown = FALSE;
    ShowWindow(SW_HIDE);
}

void CNoteToolDlg::OnDestroy()
{
    m_link->toolbar = nullptr;
    m_link->mode = 0;
    SetPenToolbarWindow(nullptr);
    KillTimer(kZOrderTimer);
    m_shown = FALSE;
    CloseSurface();
    if (m_gdiplusToken) Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_gdiplusToken = 0;
    CDialogEx::OnDestroy();
}
