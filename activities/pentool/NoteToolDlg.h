// CNoteToolDlg: the small floating pen toolbar (mode, tool, width, colour, page and save
// buttons). It lives on the pen thread and drives the drawing surface.
#pragma once

#include "activities/pentool/NoteToolLink.h"
#include "framework/Font.h"
#include "ui/ImageButton.h"
#include "ui/SkinnedDialog.h"

#include <memory>

class CNoteToolWnd;
class CNoteThreadWnd;

class CNoteToolDlg : public CSkinnedDialog {
public:
    static constexpr int kButtonCount = 23;

    CNoteToolDlg(std::shared_ptr<CNoteToolLink> link, CNoteThreadWnd* threadWnd);
    ~CNoteToolDlg() override;

    // The modeless toolbar, a child of the desktop.
    BOOL Create();
    // Sizes and places the toolbar (taller while a drawing mode is on) and shows it.
    void PlaceWindow();
    // Check marks from the members, the width index to the surface, then PlaceWindow.
    void UpdateToolButtons();
    // Closes the surface without asking, back to touch mode, hides the toolbar.
    void HidePenTool();
    BOOL IsShown() const { return m_shown; }
    int GetMode() const { return m_mode; }
    CNoteToolWnd* GetSurface() const { return m_surface; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override {}

protected:
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnDisplayChange(WPARAM, LPARAM);
    afx_msg LRESULT OnNoteToolNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNoteToolMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTouchMode();
    afx_msg void OnPenMode();
    afx_msg void OnWhiteboardMode();
    afx_msg void OnPenTool();
    afx_msg void OnEraser();
    afx_msg void OnClearAll();
    afx_msg void OnWidth(UINT id);
    afx_msg void OnColour(UINT id);
    afx_msg void OnSemiTransparent();
    afx_msg void OnPreviousPage();
    afx_msg void OnNextPage();
    afx_msg void OnSave();
    afx_msg void OnCloseButton();
    DECLARE_MESSAGE_MAP()

private:
    static constexpr UINT_PTR kZOrderTimer = 2;   // keeps the toolbar and the surface in their places

    BOOL CreateButtons();
    CImageButton* Button(UINT id);
    void Check(UINT id, bool checked);
    // Asks to save unsaved strokes and closes the surface. FALSE when the teacher cancelled.
    BOOL LeaveSurface();
    void CloseSurface();
    BOOL StartDrawingMode(int mode);
    void SetMode(int mode);
    void SetPage(int page);
    void ShowSaveNotice(UINT textId);
    void KeepZOrder();

    std::shared_ptr<CNoteToolLink> m_link;
    CNoteThreadWnd* m_threadWnd;
    BOOL m_shown = FALSE;
    CImageButton m_buttons[kButtonCount];
    int m_mode = 0;
    int m_tool = 0;
    COLORREF m_colour = 0;
    int m_widthIndex = 1;
    CNoteToolWnd* m_surface = nullptr;
    ULONG_PTR m_gdiplusToken = 0;
    CFont m_font;
    int m_page = 0;
    int m_highestPage = 0;
};
