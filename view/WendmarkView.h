// CWendmarkView: the classroom view inside the main frame, below its caption band. So far it
// only fills its area with the frame's background colour; the grid of students comes later.
#pragma once

#include "framework/View.h"

class CWendmarkView : public CView {
    DECLARE_DYNCREATE(CWendmarkView)
public:
    CWendmarkView() = default;
    ~CWendmarkView() override = default;

    void OnDraw(CDC* dc) override;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()
};
