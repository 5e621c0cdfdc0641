// CSkinScrollWnd: wraps a list or tree control in a frame that clips away its system scroll
// bars and shows two skinned bars in their place, kept in step with the control.
//
//   CSkinScrollWnd* wrapper = CSkinScrollWnd::Wrap(&m_list, skinBitmap);
//
// The wrapper belongs to the control: it deletes itself when the control or the frame is
// destroyed, and gives the control its window procedure back first.
#pragma once

#include "foundation/AppMessages.h"
#include "framework/Bitmap.h"
#include "ui/SkinScrollBar.h"
#include "ui/SkinScrollLimit.h"

class CSkinScrollWnd : public CWnd {
public:
    enum { kHorzBarId = 100, kVertBarId = 101, kLimitId = 200 };

    CSkinScrollWnd() = default;

    // A new wrapper around the control, laid out; null when it could not be made (the control
    // is then left as it was).
    static CSkinScrollWnd* Wrap(CWnd* control, HBITMAP skin);

    // Puts the frame in the control's place and the control inside it. The skin bitmap is
    // copied. FALSE leaves the control as it was.
    BOOL AttachToControl(CWnd* control, HBITMAP skin);

    HWND GetControl() const { return m_control; }
    CSkinScrollBar& GetVertBar() { return m_vertBar; }
    CSkinScrollBar& GetHorzBar() { return m_horzBar; }
    HWND GetLimitWnd() const { return m_limit.m_hWnd; }
    int GetArrowSize() const { return m_arrowSize; }
    // 0 no shared corner, 1 right, 2 left.
    int GetCorner() const { return m_corner; }

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg LRESULT OnSkinScrollUpdate(WPARAM vertShown, LPARAM leftBar);
    void PostNcDestroy() override;

private:
    static LRESULT CALLBACK ControlProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleControlMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void AfterNcCalcSize(HWND hWnd, NCCALCSIZE_PARAMS* params);
    void PlaceBars(BOOL vertShown, BOOL horzShown, BOOL leftBar);
    // Copies the control's scroll information into a bar when it differs.
    void SyncBar(CSkinScrollBar& bar, int which, BOOL redraw);
    void ForwardScroll(UINT message, UINT code, UINT position, CSkinScrollBar& bar, int which);
    void ReleaseControl(bool giveBackToParent);
    BOOL CreateParts(const RECT& frameRect, CWnd* parent, UINT id, DWORD style, DWORD exStyle);
    void RestoreFailedAttach(DWORD removedStyle, DWORD removedExStyle);

    CSkinScrollBar m_horzBar;
    CSkinScrollBar m_vertBar;
    CSkinScrollLimit m_limit;
    CBitmap m_skin;
    int m_arrowSize = 16;
    HWND m_control = nullptr;
    WNDPROC m_controlProc = nullptr;
    BOOL m_ownScroll = FALSE;
    int m_corner = 0;
    BOOL m_destroying = FALSE;
};
