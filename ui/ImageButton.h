// CImageButton: a push button drawn from four skin bitmaps (normal, hover, disabled, pressed
// or checked), scaled to its client area, with a tooltip and a single-file drop that it hands
// to its parent.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/ToolTipCtrl.h"
#include "ui/OleDropTargetEx.h"

class CImageButton : public CButton {
public:
    enum State { Normal = 0, Hover = 1, Disabled = 2, Pressed = 3 };

    CImageButton() = default;
    ~CImageButton() override = default;

    // Four bitmap resource ids (g_langResource); the button's natural size is the first one's.
    // FALSE when any is missing (those found are kept).
    BOOL SetBitmaps(UINT normal, UINT hover, UINT disabled, UINT pressed);
    // The skinned windows' caption close button (IDC_CAPTION_CLOSE) at rect of parent.
    BOOL CreateCaptionClose(CWnd* parent, const RECT& rect);
    SIZE GetNaturalSize() const { return m_naturalSize; }
    // Shows the text as the button's tooltip.
    void SetTooltipText(LPCWSTR text);
    // Letters the button with its text, centred over the bitmap in the font and colour given:
    // for buttons whose bitmaps carry no lettering. The font stays the caller's.
    void SetCaption(const CString& text, HFONT font, COLORREF colour);
    // The checked (pressed) look: BM_SETCHECK 1 and 0.
    void SetChecked() { SendMessage(BM_SETCHECK, BST_CHECKED); }
    void ClearChecked() { SendMessage(BM_SETCHECK, BST_UNCHECKED); }
    BOOL IsChecked() const { return m_checked == BST_CHECKED; }
    // Accepts OLE file drags too (OLE started on the thread), as WM_DROPFILES does: only when
    // the owner enabled drops (DragAcceptFiles).
    BOOL RegisterDropTarget();

    // The bitmap painting uses now: disabled wins, then checked, then hover.
    State ChooseState() const;

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    void PreSubclassWindow() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseHover(UINT flags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnDropFiles(HDROP drop);
    afx_msg LRESULT OnSetCheck(WPARAM check, LPARAM);
    afx_msg LRESULT OnGetCheck(WPARAM, LPARAM);
    afx_msg LRESULT OnDropEnter(WPARAM info, LPARAM);
    afx_msg LRESULT OnDropDrop(WPARAM info, LPARAM);
    afx_msg LRESULT OnDropLeave(WPARAM, LPARAM);
    afx_msg void DrawItem(LPDRAWITEMSTRUCT item);
    DECLARE_MESSAGE_MAP()

private:
    void EnsureToolTip();
    void Paint(HDC dc, const RECT& client);
    bool AcceptsDrops() const;
    bool OffersFiles(COleDataObject* data) const;
    // Checks the dropped names and posts the one valid file to the parent.
    void TakeDroppedFiles(HDROP drop);

    CBitmap m_bitmaps[4];
    SIZE m_naturalSize = {0, 0};
    BOOL m_hover = FALSE;
    BOOL m_enabled = TRUE;
    int m_checked = BST_UNCHECKED;
    CSize m_clientSize;
    CToolTipCtrl m_toolTip;
    CString m_tooltipText;
    CString m_caption;
    HFONT m_captionFont = nullptr;
    COLORREF m_captionColour = RGB(255, 255, 255);
    COleDropTargetEx m_dropTarget;
};
