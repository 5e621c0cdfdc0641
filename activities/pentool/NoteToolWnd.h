// CNoteToolWnd: the pen tool's drawing surface, a borderless window over the primary screen
// showing a photograph of the teacher's screen (pen mode) or a white page (whiteboard) with the
// teacher's strokes on top. It lives on the pen thread and deletes itself when closed.
#pragma once

#include "activities/pentool/Stroke.h"
#include "foundation/MemBitmap.h"
#include "framework/FrameWnd.h"

#include <memory>
#include <vector>

class CNoteToolWnd : public CFrameWnd {
public:
    enum Mode { PenMode = 1, WhiteboardMode = 2 };

    CNoteToolWnd() = default;

    // Makes and shows the surface. In pen mode the windows given are hidden while the screen
    // is photographed (the teacher toolbar and its back layer; null ones are skipped). FALSE
    // when the window or its pictures could not be made: the object is then already deleted.
    BOOL CreateSurface(int mode, HWND hideWhilePhotographing1 = nullptr,
                       HWND hideWhilePhotographing2 = nullptr);
    // Closes and deletes the surface and its strokes.
    void CloseSurface();

    void SetTool(int kind);
    void SetWidthIndex(int index);
    void SetColour(COLORREF colour) { m_colour = colour; }
    BOOL ToggleSemiTransparent() { return m_semiTransparent = !m_semiTransparent; }
    void ClearStrokes();
    // Whiteboard: the canvas of the page (the page is kept within what a picture can hold).
    // FALSE (and the surface unchanged) when its pictures could not be made.
    BOOL SetPage(int page);
    BOOL HasUnsavedStrokes() const { return m_unsaved; }
    // Writes the picture into the "NoteSave" folder on the teacher's desktop. FALSE when it
    // could not be written: the strokes then stay unsaved.
    BOOL SaveToFile(int highestPage, int currentPage);
    const CString& GetSavedPath() const { return m_savedPath; }
    int GetMode() const { return m_mode; }
    int GetStrokeCount() const { return static_cast<int>(m_strokes.size()); }

    // The folder the pictures go to: "<desktop>\NoteSave".
    static CString GetNoteFolder();

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    afx_msg void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
    DECLARE_MESSAGE_MAP()

    void PostNcDestroy() override;

private:
    // New background (a white page in whiteboard mode) and eraser source of the size; the old
    // ones stay when these cannot be made.
    BOOL MakePictures(int width, int height);
    void PhotographScreen(HWND hide1, HWND hide2);
    static void PaintWhitePage(CMemBitmap& picture);
    // The background and every stroke, drawn into dc at canvas coordinates.
    void Compose(HDC dc);
    BOOL ComposePicture(CMemBitmap& picture, int highestPage, int currentPage);
    void DrawSegment(CPoint from, CPoint to);
    void EraseAt(CPoint point);

    std::unique_ptr<CMemBitmap> m_background;
    std::unique_ptr<CMemBitmap> m_eraserSource;
    std::vector<std::unique_ptr<CStroke>> m_strokes;
    CStroke* m_currentStroke = nullptr;
    int m_drawing = 0;
    CPoint m_lastPoint{-1, -1};
    CPoint m_previousPoint{-1, -1};
    int m_tool = 0;
    COLORREF m_colour = 0;
    int m_widthIndex = 1;
    int m_width = 30;
    HCURSOR m_cursor = nullptr;
    int m_unsaved = 0;
    int m_semiTransparent = 0;
    int m_mode = PenMode;
    int m_page = 0;
    CString m_savedPath;
    CMemBitmap m_paintBuffer;
    bool m_created = false;   // only a surface whose window was made deletes itself
};
