// CHeaderCtrl: the header control of a report list.
#pragma once

#include "framework/Wnd.h"

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const;
    BOOL GetItemRect(int index, RECT* rect) const;
    BOOL GetItem(int index, HDITEMW* item) const;
    BOOL SetItem(int index, HDITEMW* item);
};
