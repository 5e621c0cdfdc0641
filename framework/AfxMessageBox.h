// The framework's plain message boxes and its start-up helpers for OLE and rich edit.
#pragma once

#include "framework/AfxCore.h"

// The system message box, owned by the application's main window when it is visible (else by
// the active window of this thread), with the application's name as caption.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
// The same with a string-table text.
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = 0);

// OleInitialize on the calling thread (once); FALSE when OLE cannot start.
BOOL AfxOleInit();
// Ends what AfxOleInit started on the calling thread (the application does it at its end).
void AfxOleTermThread();
// Nothing to prepare here: no ActiveX controls are hosted.
inline void AfxEnableControlContainer() {}
// Loads the rich edit 2.0 library (its window classes); FALSE when it is missing.
BOOL AfxInitRichEdit2();
