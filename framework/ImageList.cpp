#include "framework/ImageList.h"

BOOL CImageList::Create(int width, int height, UINT flags, int initial, int grow)
{
    if (m_hImageList)
        return FALSE;
    m_hImageList = ImageList_Create(width, height, flags, initial, grow);
    return m_hImageList != nullptr;
}

BOOL CImageList::Attach(HIMAGELIST list)
{
    if (m_hImageList || !list)
        return FALSE;
    m_hImageList = list;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST list = m_hImageList;
    m_hImageList = nullptr;
    return list;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(HBITMAP bitmap, HBITMAP mask)
{
    return ImageList_Add(m_hImageList, bitmap, mask);
}

int CImageList::Add(HBITMAP bitmap, COLORREF maskColour)
{
    return ImageList_AddMasked(m_hImageList, bitmap, maskColour);
}

int CImageList::Add(HICON icon)
{
    return ImageList_AddIcon(m_hImageList, icon);
}

int CImageList::GetImageCount() const
{
    return ImageList_GetImageCount(m_hImageList);
}

BOOL CImageList::GetImageInfo(int image, IMAGEINFO* info) const
{
    return ImageList_GetImageInfo(m_hImageList, image, info);
}

BOOL CImageList::GetIconSize(int* width, int* height) const
{
    return ImageList_GetIconSize(m_hImageList, width, height);
}

BOOL CImageList::Draw(HDC dc, int image, POINT at, UINT style) const
{
    return ImageList_Draw(m_hImageList, image, dc, at.x, at.y, style);
}
