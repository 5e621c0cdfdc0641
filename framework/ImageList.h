// CImageList: an image list handle; one this object created or attached is destroyed with it.
#pragma once

#include "framework/Object.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <commctrl.h>

class CImageList : public CObject {
public:
    CImageList() = default;
    ~CImageList() override { DeleteImageList(); }

    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int width, int height, UINT flags, int initial, int grow);
    // Takes ownership; FALSE (nothing taken) while another list is held.
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    int Add(HBITMAP bitmap, HBITMAP mask);
    int Add(HBITMAP bitmap, COLORREF maskColour);
    int Add(HICON icon);
    int GetImageCount() const;
    BOOL GetImageInfo(int image, IMAGEINFO* info) const;
    BOOL GetIconSize(int* width, int* height) const;
    BOOL Draw(HDC dc, int image, POINT at, UINT style) const;

    HIMAGELIST m_hImageList = nullptr;
};
