// Shared pieces of the widget tests: a top-level framework window to put controls in (so that
// their notifications are reflected back to them), pumping, and data in global memory.
// The window stays hidden: under Wine without a window manager, taking a shown top-level
// window away costs two seconds.
#pragma once

#include "framework/Afx.h"
#include "framework/PumpUntil.h"
#include "framework/Wnd.h"

#include <cstring>
#include <functional>
#include <vector>

// Pumps this thread's messages until the condition holds, looking at it at least every 10 ms:
// for conditions another thread makes true without sending this one anything.
inline bool PumpUntilPolled(const std::function<bool()>& done, DWORD timeoutMs = 20000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpPending();
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

class CTestParentWnd : public CWnd {
public:
    BOOL Open(int width = 400, int height = 300)
    {
        return CreateEx(0, nullptr, L"widget test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20,
                        20, width, height, nullptr, nullptr);
    }
    ~CTestParentWnd() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

// A movable global block holding the bytes; freed with the object.
class CGlobalBytes {
public:
    explicit CGlobalBytes(const std::vector<uint8_t>& bytes)
        : m_size(static_cast<DWORD>(bytes.size()))
    {
        m_memory = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
        if (void* target = m_memory ? GlobalLock(m_memory) : nullptr) {
            if (!bytes.empty())
                std::memcpy(target, bytes.data(), bytes.size());
            GlobalUnlock(m_memory);
        }
    }
    ~CGlobalBytes()
    {
        if (m_memory)
            GlobalFree(m_memory);
    }
    CGlobalBytes(const CGlobalBytes&) = delete;
    CGlobalBytes& operator=(const CGlobalBytes&) = delete;

    HGLOBAL Get() const { return m_memory; }
    DWORD Size() const { return m_size; }

private:
    HGLOBAL m_memory = nullptr;
    DWORD m_size = 0;
};
