#include "ui/ImageButton.h"

#include "framework/MemDC.h"
#include "framework/PaintDC.h"
#include "framework/PostOwned.h"
#include "res/resource.h"
#include "ui/ShowMessageBox.h"
#include "ui/SkinDraw.h"

#include <algorithm>
#include <memory>

namespace {

// Folders, and files that are not really here (offline, virtual), cannot be sent.
constexpr DWORD kUnsendableAttributes =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_VIRTUAL;

} // namespace

BEGIN_MESSAGE_MAP(CImageButton, CButton)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_ENABLE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
    ON_WM_DROPFILES()
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
    ON_MESSAGE(WM_DROP_ENTER, OnDropEnter)
    ON_MESSAGE(WM_DROP_OVER, OnDropEnter)
    ON_MESSAGE(WM_DROP_DROP, OnDropDrop)
    ON_MESSAGE(WM_DROP_LEAVE, OnDropLeave)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

BOOL CImageButton::PreCreateWindow(CREATESTRUCTW& cs)
{
    // Owner-drawn, so the button class never paints its own face over the bitmap.
    cs.style = (cs.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    m_enabled = (cs.style & WS_DISABLED) == 0;
    return CButton::PreCreateWindow(cs);
}

void CImageButton::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    m_enabled = IsWindowEnabled();
    CRect client;
    GetClientRect(&client);
    m_clientSize = client.Size();
}

int CImageButton::OnCreate(LPCREATESTRUCT cs)
{
    if (CButton::OnCreate(cs) == -1)
        return -1;
    m_clientSize = CSize(cs->cx, cs->cy);
    EnsureToolTip();
    return 0;
}

void CImageButton::OnDestroy()
{
    m_dropTarget.Revoke();
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.DestroyWindow();
    CButton::OnDestroy();
}

void CImageButton::EnsureToolTip()
{
    if (m_toolTip.GetSafeHwnd() || !m_hWnd)
        return;
    if (m_toolTip.Create(this, TTS_ALWAYSTIP))
        m_toolTip.SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL CImageButton::CreateCaptionClose(CWnd* parent, const RECT& rect)
{
    return Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, parent, IDC_CAPTION_CLOSE) &&
           SetBitmaps(IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE);
}

BOOL CImageButton::SetBitmaps(UINT normal, UINT hover, UINT disabled, UINT pressed)
{
    const UINT ids[4] = {normal, hover, disabled, pressed};
    BOOL all = TRUE;
    for (int i = 0; i < 4; ++i) {
        m_bitmaps[i].DeleteObject();
        if (!m_bitmaps[i].LoadBitmap(ids[i])) {
            TRACE(L"CImageButton: bitmap %u missing\n", ids[i]);
            all = FALSE;
        }
    }
    m_naturalSize = m_bitmaps[Normal].GetSize();
    if (m_hWnd)
        Invalidate(FALSE);
    return all;
}

void CImageButton::SetTooltipText(LPCWSTR text)
{
    m_tooltipText = text ? text : L"";
    EnsureToolTip();
    if (!m_toolTip.GetSafeHwnd())
        return;
    m_toolTip.Activate(TRUE);
    if (m_toolTip.GetToolCount() == 0)
        m_toolTip.AddTool(this, m_tooltipText);
    else
        m_toolTip.UpdateTipText(m_tooltipText, this);
}

BOOL CImageButton::RegisterDropTarget()
{
    return m_dropTarget.Register(this);
}

CImageButton::State CImageButton::ChooseState() const
{
    if (!m_enabled)
        return Disabled;
    if (m_checked == BST_CHECKED)
        return Pressed;
    if (m_hover)
        return Hover;
    return Normal;
}

BOOL CImageButton::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_F4)
        return TRUE;   // Alt+F4 must not close the window under the button
    if (!m_tooltipText.IsEmpty() && m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(msg);
    return CButton::PreTranslateMessage(msg);
}

void CImageButton::Paint(HDC dc, const RECT& client)
{
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return;
    CMemDC buffer(dc, client);
    if (!buffer.IsBuffered())
        return;
    HDC memory = buffer.GetDC();
    const RECT whole = {0, 0, width, height};
    FillRect(memory, &whole, GetSysColorBrush(COLOR_BTNFACE));
    HBITMAP bitmap = m_bitmaps[ChooseState()];
    if (!bitmap)
        bitmap = m_bitmaps[Normal];
    if (bitmap)
        DrawSkinBitmap(memory, bitmap, whole);
    if (m_caption.IsEmpty() || !m_captionFont)
        return;
    const HGDIOBJ oldFont = ::SelectObject(memory, m_captionFont);
    // A text too wide for the button breaks between its words, the lines centred as a block.
    const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    RECT measured = whole;
    ::DrawTextW(memory, m_caption, m_caption.GetLength(), &measured, format | DT_CALCRECT);
    RECT text = whole;
    text.top = std::max<LONG>(0, (height - (measured.bottom - measured.top)) / 2);
    if (ChooseState() == Pressed)
        ::OffsetRect(&text, 1, 1);   // the pressed look sinks in
    ::SetBkMode(memory, TRANSPARENT);
    ::SetTextColor(memory, m_enabled ? m_captionColour : RGB(128, 128, 128));
    ::DrawTextW(memory, m_caption, m_caption.GetLength(), &text, format);
    ::SelectObject(memory, oldFont);
}

void CImageButton::SetCaption(const CString& text, HFONT font, COLORREF colour)
{
    m_caption = text;
    m_captionFont = font;
    m_captionColour = colour;
    if (GetSafeHwnd()) {
        SetWindowText(text);
        Invalidate(FALSE);
    }
}

void CImageButton::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    Paint(dc, client);
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    Paint(item->hDC, item->rcItem);
}

BOOL CImageButton::OnEraseBkgnd(CDC*)
{
    return TRUE;   // the paint covers the whole button
}

void CImageButton::OnSize(UINT type, int width, int height)
{
    m_clientSize = CSize(width, height);
    CButton::OnSize(type, width, height);
}

void CImageButton::OnEnable(BOOL enable)
{
    m_enabled = enable;
    Invalidate(FALSE);
    CButton::OnEnable(enable);
}

// An owner-drawn button turns the second of two quick presses into BN_DOUBLECLICKED, which no
// command handles: the press is taken as the press it is (as a plain push button takes it).
void CImageButton::OnLButtonDblClk(UINT flags, CPoint point)
{
    DefWindowProc(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CImageButton::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_hover) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 10};
        TrackMouseEvent(&track);
    }
    CButton::OnMouseMove(flags, point);
}

void CImageButton::OnMouseHover(UINT flags, CPoint point)
{
    m_hover = TRUE;
    Invalidate(FALSE);
    CButton::OnMouseHover(flags, point);
}

void CImageButton::OnMouseLeave()
{
    m_hover = FALSE;
    Invalidate(FALSE);
    CButton::OnMouseLeave();
}

LRESULT CImageButton::OnSetCheck(WPARAM check, LPARAM)
{
    // Kept here: the button class keeps no check state for push buttons.
    const int state = check == BST_CHECKED ? BST_CHECKED
                      : check == BST_INDETERMINATE ? BST_INDETERMINATE
                                                   : BST_UNCHECKED;
    if (state != m_checked) {
        m_checked = state;
        Invalidate(FALSE);
    }
    return 0;
}

LRESULT CImageButton::OnGetCheck(WPARAM, LPARAM)
{
    return m_checked;
}

void CImageButton::OnDropFiles(HDROP drop)
{
    TakeDroppedFiles(drop);
    DragFinish(drop);
}

void CImageButton::TakeDroppedFiles(HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    if (count != 1) {
        ::MessageBoxW(nullptr, LoadText(IDS_DROP_ONE_FILE_ONLY), LoadText(IDS_FILE_SEND_FAILED_CAPTION),
                    MB_SETFOREGROUND);
        return;
    }
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::unique_ptr<wchar_t[]> path(new wchar_t[length + 2]());
    if (length == 0 || DragQueryFileW(drop, 0, path.get(), length + 1) != length) {
        ShowMessageBox(LoadText(IDS_DROP_FILE_NOT_SENDABLE));
        return;
    }
    const DWORD attributes = GetFileAttributesW(path.get());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ShowMessageBox(LoadText(IDS_DROP_FILE_NOT_SENDABLE));
        return;
    }
    if (attributes & kUnsendableAttributes) {
        ShowMessageBox(LoadText(IDS_DROP_FOLDER_NOT_SENDABLE));
        return;
    }
    if (!PostOwnedMessage(::GetParent(m_hWnd), WM_FILE_DROPPED, std::move(path)))
        TRACE(L"CImageButton: the dropped file could not be handed on\n");
}

bool CImageButton::AcceptsDrops() const
{
    return m_hWnd && (GetExStyle() & WS_EX_ACCEPTFILES) != 0;
}

bool CImageButton::OffersFiles(COleDataObject* data) const
{
    return data && data->IsDataAvailable(CF_HDROP);
}

// OLE drags of files are taken like WM_DROPFILES (which a registered OLE target would
// otherwise never receive): the drop is copied and handled after OLE's call has returned,
// so the source is not held up by a message box.
LRESULT CImageButton::OnDropEnter(WPARAM info, LPARAM)
{
    const auto* drop = reinterpret_cast<const COleDropInfo*>(info);
    if (!drop || !AcceptsDrops() || !OffersFiles(drop->m_pDataObject))
        return DROPEFFECT_NONE;
    return DROPEFFECT_COPY;
}

LRESULT CImageButton::OnDropDrop(WPARAM info, LPARAM)
{
    const auto* drop = reinterpret_cast<const COleDropInfo*>(info);
    if (!drop || !AcceptsDrops() || !OffersFiles(drop->m_pDataObject))
        return FALSE;
    HGLOBAL files = drop->m_pDataObject->GetGlobalData(CF_HDROP);
    if (!files)
        return FALSE;
    if (!PostMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(files), 0)) {
        GlobalFree(files);
        return FALSE;
    }
    return TRUE;
}

LRESULT CImageButton::OnDropLeave(WPARAM, LPARAM)
{
    return 0;
}
