#include "activities/screenshare/BroadPartData.h"

#include <cstring>

CBroadPartData::CBroadPartData(int index, int left, int top, int right, int bottom)
    : m_index(index), m_rect{left, top, right, bottom}
{
    if (m_rect.Width() <= 0 || m_rect.Height() <= 0)
        return;
    m_current.Create(m_rect.Width(), m_rect.Height(), 32);
    m_previous.Create(m_rect.Width(), m_rect.Height(), 32);
}

CBroadPartData::~CBroadPartData() = default;

bool CBroadPartData::TakeFrom(HDC canvas)
{
    if (!m_current.GetBits() || !m_previous.GetBits())
        return false;
    ::BitBlt(m_current.GetSafeHdc(), 0, 0, m_rect.Width(), m_rect.Height(), canvas, m_rect.left,
             m_rect.top, SRCCOPY);
    ::GdiFlush();
    return std::memcmp(m_current.GetBits(), m_previous.GetBits(), m_current.GetImageSize()) != 0;
}

void CBroadPartData::MarkSent()
{
    if (m_current.GetBits() && m_previous.GetBits())
        std::memcpy(m_previous.GetBits(), m_current.GetBits(), m_current.GetImageSize());
    m_sent = true;
}
