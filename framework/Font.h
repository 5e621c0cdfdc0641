// CFont: an owned GDI font.
#pragma once

#include "framework/GdiObject.h"

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTW* logFont)
    {
        return logFont && TakeNew(::CreateFontIndirectW(logFont));
    }
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight,
                    BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                    BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                    LPCWSTR faceName)
    {
        return TakeNew(::CreateFontW(height, width, escapement, orientation, weight, italic,
                                     underline, strikeOut, charSet, outPrecision, clipPrecision,
                                     quality, pitchAndFamily, faceName));
    }
    // The common case: a face, a height in logical units and a weight (FW_NORMAL, FW_BOLD).
    BOOL CreateSimpleFont(int height, int weight, LPCWSTR faceName)
    {
        return CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, faceName);
    }
    int GetLogFont(LOGFONTW* logFont) const { return GetObject(sizeof(LOGFONTW), logFont); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};
