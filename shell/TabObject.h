// CTabObject: one tab of the group tab strip.
#pragma once

#include "framework/Afx.h"

class CTabObject : public CObject {
public:
    CString m_name;          // the group's name
    RECT m_rect = {};        // strip coordinates before scrolling
    int m_selected = 0;
    int m_nameWidth = 0;     // the name's width in the strip's font
};
