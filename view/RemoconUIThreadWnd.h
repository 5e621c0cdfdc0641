// CRemoconUIThreadWnd: the window of the remote-controller viewer thread, showing the screen the
// app sends (the link record's picture, filled by the view's thread under the record's lock). In
// "full" screen mode it is a borderless top-most window over the primary screen with the picture
// letterboxed; otherwise a framed window with the picture 1:1 in the middle, or fitted ("resize").
#pragma once

#include "framework/FrameWnd.h"
#include "view/core/RemoconCommands.h"

class CPCInfo;

class CRemoconUIThreadWnd : public CFrameWnd {
public:
    CRemoconUIThreadWnd(CPCInfo& record, const RemoconViewerSize& size) : m_record(record), m_size(size) {}

    BOOL CreateViewer();

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg void OnClose();
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    void ComputeLetterbox();

    CPCInfo& m_record;
    RemoconViewerSize m_size;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    RemoconLetterbox m_box;
};
