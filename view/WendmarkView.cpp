#include "view/WendmarkView.h"

namespace {

const COLORREF kBackground = RGB(40, 92, 153);

}  // namespace

IMPLEMENT_DYNCREATE(CWendmarkView, CView)

BEGIN_MESSAGE_MAP(CWendmarkView, CView)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CWendmarkView::OnEraseBkgnd(CDC* dc)
{
    return TRUE;   // OnDraw covers the whole area
}

void CWendmarkView::OnDraw(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client, kBackground);
}
