// Coloured runs appended to a rich-edit log, as the chat window and the pad log's detail pane
// write them: each run has its colour, a face and a size whose height is floor(20 x g_uiScale)
// twips per point of size.
#pragma once

#include "framework/RichEditCtrl.h"

// Appends the text at the end of the control in that colour, face and size; the caret stays
// at the end.
void AppendRichText(CRichEditCtrl& edit, const CString& text, COLORREF colour, int size,
                    const CString& faceName);

// The size texts of the string table ("8", "10"); the fallback when one is missing or not a number.
int LoadFontSize(UINT stringId, int fallback);
