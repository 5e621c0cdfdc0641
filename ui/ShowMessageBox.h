// The app-wide message box: every part of the program shows its messages through it.
#pragma once

#include "framework/Afx.h"

#include <atomic>

class CWnd;

// 1 while a ShowMessageBox box is open; handlers test it to skip their action meanwhile.
extern std::atomic<int> g_messageBoxOpen;

// Shows the skinned box (CCustomMsgDlg) modally. caption null: "Lumora Teacher"; style: 0 OK,
// 3 Yes/No/Cancel, 4 Yes/No. Returns 1 (OK), 2 (Cancel, the close button or Esc), 6 (Yes),
// 7 (No); -1 at once, showing nothing, while another one is open (callers asking a question
// treat -1 like "no"), and -1 when the box could not be made. owner: a window of the calling
// thread the box belongs to (kept above it, disabled meanwhile); null: the main window.
int ShowMessageBox(LPCWSTR text, LPCWSTR caption = nullptr, int style = 0, CWnd* owner = nullptr);
