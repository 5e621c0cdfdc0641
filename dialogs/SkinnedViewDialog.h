// CSkinnedViewDialog: what the view's settings dialogs share. The common skin (a dark background,
// a caption band that drags the dialog, a close button in it, the title in cyan, fonts of the
// dialog face at three sizes), controls placed in design units times the UI scale, the teacher
// toolbar hidden while the dialog is open, and the shared destroy handling that shows it again
// and clears the view's dialog guard.
#pragma once

#include "framework/Brush.h"
#include "framework/Font.h"
#include "ui/ImageButton.h"
#include "ui/SkinnedDialog.h"

#include <vector>

class CSkinnedViewDialog : public CSkinnedDialog {
public:
    CSkinnedViewDialog(UINT templateId, CWnd* parent, int designWidth, int designHeight, COLORREF background);

protected:
    BOOL OnInitDialog() override;

    afx_msg void OnCloseButton();
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnDisplayChangeResult(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    // A control at design coordinates, with one of the fonts (null: its own).
    void PlaceControl(int id, int x, int y, int width, int height, CFont* font);
    // A text colour for a static control; the edits share one colour on the edit brush.
    void SetTextColour(int id, COLORREF colour) { m_textColours.push_back({id, colour}); }
    void SetEditColours(COLORREF text, COLORREF background);
    // Panels behind the controls, at design coordinates.
    void AddPanel(int x, int y, int width, int height, COLORREF colour);
    // What a dialog paints over the skin (the slider of the monitoring dialog).
    virtual void PaintExtra(CDC& dc) {}
    // A text of the string table through the app-wide box; the focus goes to the control after.
    void Refuse(UINT textId, int focusId);

    CFont m_titleFont;    // bold 13
    CFont m_boldFont;     // bold 12
    CFont m_normalFont;   // normal 12
    CImageButton m_closeButton;

private:
    void ApplySize();

    struct TextColour { int id; COLORREF colour; };
    struct Panel { CRect rect; COLORREF colour; };
    int m_designWidth;
    int m_designHeight;
    COLORREF m_background;
    COLORREF m_editText = RGB(5, 226, 196);
    CBrush m_backgroundBrush;
    CBrush m_editBrush;
    std::vector<TextColour> m_textColours;
    std::vector<Panel> m_panels;
};
