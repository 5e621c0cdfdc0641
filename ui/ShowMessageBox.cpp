#include "ui/ShowMessageBox.h"

#include "ui/CustomMsgDlg.h"

std::atomic<int> g_messageBoxOpen{0};

namespace {

// Clears the flag however the box ends.
struct OpenBoxFlag {
    ~OpenBoxFlag() { g_messageBoxOpen = 0; }
};

} // namespace

int ShowMessageBox(LPCWSTR text, LPCWSTR caption, int style, CWnd* owner)
{
    int closed = 0;
    if (!g_messageBoxOpen.compare_exchange_strong(closed, 1))
        return -1;
    OpenBoxFlag flag;
    CCustomMsgDlg box(owner);
    box.SetText(text ? text : L"");
    box.SetCaption(caption ? caption : L"Lumora Teacher");
    box.SetStyle(style);
    if (box.DoModal() == -1)
        return -1;
    return box.GetResult();
}
