#include "ui/RichText.h"

#include "ui/UiScale.h"

#include <cwchar>

void AppendRichText(CRichEditCtrl& edit, const CString& text, COLORREF colour, int size,
                    const CString& faceName)
{
    if (!edit.GetSafeHwnd())
        return;
    const long end = edit.GetTextLength();
    edit.SetSel(end, end);
    CHARFORMAT2W format{};
    format.dwMask = CFM_COLOR | CFM_FACE | CFM_SIZE | CFM_BOLD;
    format.crTextColor = colour;
    format.yHeight = ScaleToUi(20) * size;
    wcsncpy(format.szFaceName, faceName.GetString(), LF_FACESIZE - 1);
    edit.SetSelectionCharFormat(format);
    edit.ReplaceSel(text);
}

int LoadFontSize(UINT stringId, int fallback)
{
    const CString text = LoadText(stringId);
    const int size = static_cast<int>(std::wcstol(text.GetString(), nullptr, 10));
    return size > 0 && size <= 72 ? size : fallback;
}
