// The classroom view's handle on the built-in pen tool.
#include "view/WendmarkView.h"

void CWendmarkView::OpenNoteTool(HWND owner, HWND backLayer)
{
    if (m_quitting) return;
    m_noteTool.Open(owner, backLayer);
}

LRESULT CWendmarkView::OnOpenNoteTool(WPARAM marker, LPARAM)
{
    if (marker == MessageMarker) OpenNoteTool();
    return 1;
}
