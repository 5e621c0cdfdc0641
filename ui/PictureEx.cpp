#include "ui/PictureEx.h"

#include "framework/ExceptionGuard.h"
#include "framework/PaintDC.h"
#include "ui/core/GifLayout.h"

#include <process.h>

#include <cstring>

namespace {

constexpr int kHimetricPerInch = 2540;
// A picture larger than this on either side is not a picture this control is meant to show.
constexpr int kMaxPictureSide = 4096;
constexpr DWORD kStopWaitSlice = 5000;
constexpr int kDisposalRestoreBackground = 2;
constexpr int kDisposalRestorePrevious = 3;

SIZE HimetricToPixels(IPicture* picture)
{
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return SIZE{MulDiv(width, dpiX, kHimetricPerInch), MulDiv(height, dpiY, kHimetricPerInch)};
}

} // namespace

BEGIN_MESSAGE_MAP(CPictureEx, CStatic)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CPictureEx::Surface::Create(HDC compatible, int width, int height)
{
    Destroy();
    dc = CreateCompatibleDC(compatible);
    bitmap = dc ? CreateCompatibleBitmap(compatible, width, height) : nullptr;
    if (!bitmap) {
        Destroy();
        return FALSE;
    }
    previous = SelectObject(dc, bitmap);
    return TRUE;
}

void CPictureEx::Surface::Destroy()
{
    if (dc && previous)
        SelectObject(dc, previous);
    if (bitmap)
        DeleteObject(bitmap);
    if (dc)
        DeleteDC(dc);
    dc = nullptr;
    bitmap = nullptr;
    previous = nullptr;
}

CPictureEx::CPictureEx()
{
    m_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

CPictureEx::~CPictureEx()
{
    UnLoad();
    if (m_stopEvent)
        CloseHandle(m_stopEvent);
}

BOOL CPictureEx::Load(HGLOBAL memory, DWORD size, BOOL loop)
{
    UnLoad();
    m_loop = loop;
    if (!memory || size == 0 || size > GlobalSize(memory))
        return FALSE;
    const BYTE* data = static_cast<const BYTE*>(GlobalLock(memory));
    if (!data)
        return FALSE;
    BOOL loaded = FALSE;
    if (IsGifSignature(data, size)) {
        loaded = LoadGif(data, size);
        GlobalUnlock(memory);
    } else {
        GlobalUnlock(memory);
        loaded = LoadStill(memory, size);
    }
    if (!loaded || !PrepareCanvas()) {
        UnLoad();
        return FALSE;
    }
    return TRUE;
}

BOOL CPictureEx::LoadFromResource(UINT resourceId, BOOL loop)
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"GIF");
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = resource ? SizeofResource(module, resource) : 0;
    if (!bytes || size == 0) {
        UnLoad();
        return FALSE;
    }
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    void* target = copy ? GlobalLock(copy) : nullptr;
    if (!target) {
        if (copy)
            GlobalFree(copy);
        UnLoad();
        return FALSE;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy);
    const BOOL result = Load(copy, size, loop);
    GlobalFree(copy);
    return result;
}

BOOL CPictureEx::LoadStill(HGLOBAL memory, DWORD size)
{
    m_still = LoadPictureFromGlobal(memory, size, FALSE);
    if (!m_still)
        return FALSE;
    m_pictureSize = HimetricToPixels(m_still);
    return TRUE;
}

BOOL CPictureEx::LoadGif(const BYTE* data, DWORD size)
{
    GifLayout layout;
    if (!ParseGifLayout(data, size, layout) || layout.width > kMaxPictureSide ||
        layout.height > kMaxPictureSide)
        return FALSE;
    m_pictureSize = SIZE{layout.width, layout.height};
    if (layout.frames.size() == 1) {
        m_still = LoadPictureFromBytes(data, size);
        return m_still != nullptr;
    }
    return LoadFrames(data, size, layout);
}

BOOL CPictureEx::LoadFrames(const BYTE* data, DWORD size, const GifLayout& layout)
{
    for (size_t i = 0; i < layout.frames.size(); ++i) {
        const std::vector<uint8_t> gif = BuildFrameGif(data, size, layout, i);
        IPicture* picture = gif.empty() ? nullptr : LoadPictureFromBytes(gif.data(), gif.size());
        if (!picture)
            continue;   // a frame that does not decode is left out
        const GifFrameLayout& source = layout.frames[i];
        Frame frame;
        frame.picture = picture;
        frame.left = source.left;
        frame.top = source.top;
        frame.width = source.width;
        frame.height = source.height;
        frame.delay = source.delay;
        frame.disposal = source.disposal;
        m_frames.push_back(frame);
    }
    return !m_frames.empty();
}

IPicture* CPictureEx::LoadPictureFromBytes(const BYTE* data, size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* target = memory ? GlobalLock(memory) : nullptr;
    if (!target) {
        if (memory)
            GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, data, size);
    GlobalUnlock(memory);
    return LoadPictureFromGlobal(memory, static_cast<DWORD>(size), TRUE);
}

IPicture* CPictureEx::LoadPictureFromGlobal(HGLOBAL memory, DWORD size, BOOL deleteOnRelease)
{
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, deleteOnRelease, &stream)) || !stream) {
        if (deleteOnRelease)
            GlobalFree(memory);
        return nullptr;
    }
    IPicture* picture = nullptr;
    const HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                      reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr)) {
        if (picture)
            picture->Release();
        return nullptr;
    }
    return picture;
}

void CPictureEx::RenderPicture(IPicture* picture, HDC dc, int x, int y, int width, int height)
{
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    picture->Render(dc, x, y, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
}

BOOL CPictureEx::PrepareCanvas()
{
    const int width = m_pictureSize.cx;
    const int height = m_pictureSize.cy;
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        return FALSE;
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HDC windowDC = ::GetDC(m_hWnd);
    BOOL made = FALSE;
    {
        CCriticalSectionLock lock(m_canvasLock);
        made = m_canvas.Create(windowDC, width, height);
        if (made) {
            // The canvas blends with the dialog face around the control.
            m_background = GetSysColor(COLOR_BTNFACE);
            FillCanvas(RECT{0, 0, width, height});
        }
    }
    ::ReleaseDC(m_hWnd, windowDC);
    m_loaded = made;
    return made;
}

BOOL CPictureEx::Draw()
{
    if (!m_loaded)
        return FALSE;
    if (m_frames.size() <= 1) {
        if (!m_still)
            return FALSE;
        {
            CCriticalSectionLock lock(m_canvasLock);
            RenderPicture(m_still, m_canvas.dc, 0, 0, m_pictureSize.cx, m_pictureSize.cy);
        }
        Invalidate(FALSE);
        return TRUE;
    }
    if (m_thread) {
        if (m_running)
            return TRUE;   // already playing
        // It played to its end (no loop) and is returning: let it go first.
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    if (!m_stopEvent)
        return FALSE;
    ResetEvent(m_stopEvent);
    m_stop = false;
    m_running = true;
    m_thread = reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, &CPictureEx::AnimationThread, this, CREATE_SUSPENDED, nullptr));
    if (!m_thread) {
        m_running = false;
        return FALSE;
    }
    ResumeThread(m_thread);
    return TRUE;
}

unsigned __stdcall CPictureEx::AnimationThread(void* self)
{
    CPictureEx* picture = static_cast<CPictureEx*>(self);
    AfxCallGuarded(L"the animation thread", [&] { picture->RunAnimation(); });
    picture->m_running = false;
    return 0;
}

void CPictureEx::RunAnimation()
{
    m_running = true;
    while (!m_stop) {
        const Frame& frame = m_frames[m_currentFrame];
        ShowFrame(m_currentFrame);
        if (!WaitFrameDelay(frame))
            break;
        DisposeFrame(frame);
        if (++m_currentFrame < m_frames.size())
            continue;
        m_currentFrame = 0;
        {
            CCriticalSectionLock lock(m_canvasLock);
            FillCanvas(RECT{0, 0, m_pictureSize.cx, m_pictureSize.cy});
        }
        InvalidateFromAnyThread();
        if (!m_loop)
            break;
    }
}

BOOL CPictureEx::ShowFrame(size_t index)
{
    const Frame& frame = m_frames[index];
    {
        CCriticalSectionLock lock(m_canvasLock);
        if (frame.disposal == kDisposalRestorePrevious &&
            m_saved.Create(m_canvas.dc, frame.width, frame.height))
            BitBlt(m_saved.dc, 0, 0, frame.width, frame.height, m_canvas.dc, frame.left,
                   frame.top, SRCCOPY);
        RenderPicture(frame.picture, m_canvas.dc, frame.left, frame.top, frame.width,
                      frame.height);
    }
    InvalidateFromAnyThread();
    return TRUE;
}

BOOL CPictureEx::WaitFrameDelay(const Frame& frame)
{
    // Delays of 4 hundredths and less (and frames without one) are shown for 100 ms.
    const DWORD wait = frame.delay > 4 ? static_cast<DWORD>(frame.delay) * 10 : 100;
    return WaitForSingleObject(m_stopEvent, wait) == WAIT_TIMEOUT && !m_stop;
}

void CPictureEx::DisposeFrame(const Frame& frame)
{
    CCriticalSectionLock lock(m_canvasLock);
    if (frame.disposal == kDisposalRestoreBackground) {
        FillCanvas(RECT{frame.left, frame.top, frame.left + frame.width, frame.top + frame.height});
    } else if (frame.disposal == kDisposalRestorePrevious && m_saved.dc) {
        BitBlt(m_canvas.dc, frame.left, frame.top, frame.width, frame.height, m_saved.dc, 0, 0,
               SRCCOPY);
        m_saved.Destroy();
    }
}

// The caller holds the canvas lock.
void CPictureEx::FillCanvas(const RECT& rect)
{
    if (!m_canvas.dc)
        return;
    HBRUSH brush = CreateSolidBrush(m_background);
    if (brush) {
        ::FillRect(m_canvas.dc, &rect, brush);
        DeleteObject(brush);
    }
}

void CPictureEx::InvalidateFromAnyThread()
{
    // Invalidating sends nothing: safe from the animation thread while the window exists,
    // which it does until OnDestroy has stopped this thread.
    if (HWND hWnd = m_hWnd)
        ::InvalidateRect(hWnd, nullptr, FALSE);
}

void CPictureEx::Stop()
{
    m_running = false;
    if (m_thread) {
        m_stop = true;
        if (m_stopEvent)
            SetEvent(m_stopEvent);
        // The thread draws into the canvas: it must be gone before anything is freed.
        while (WaitForSingleObject(m_thread, kStopWaitSlice) == WAIT_TIMEOUT)
            TRACE(L"CPictureEx: still waiting for the animation thread\n");
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
    if (m_stopEvent)
        ResetEvent(m_stopEvent);
    m_stop = false;
    m_running = false;
}

void CPictureEx::UnLoad()
{
    Stop();
    if (m_still) {
        m_still->Release();
        m_still = nullptr;
    }
    for (Frame& frame : m_frames)
        if (frame.picture)
            frame.picture->Release();
    m_frames.clear();
    {
        CCriticalSectionLock lock(m_canvasLock);
        m_canvas.Destroy();
        m_saved.Destroy();
    }
    m_pictureSize = SIZE{0, 0};
    m_background = RGB(255, 255, 255);
    m_currentFrame = 0;
    m_loaded = FALSE;
    m_paintRect = RECT{0, 0, 0, 0};
}

void CPictureEx::SetPaintRect(const RECT* rect)
{
    m_paintRect = rect ? *rect : RECT{0, 0, 0, 0};
}

int CPictureEx::GetFrameDelay(int frame) const
{
    if (frame < 0 || static_cast<size_t>(frame) >= m_frames.size())
        return -1;
    return m_frames[static_cast<size_t>(frame)].delay;
}

COLORREF CPictureEx::GetCanvasPixel(int x, int y)
{
    CCriticalSectionLock lock(m_canvasLock);
    return m_canvas.dc ? ::GetPixel(m_canvas.dc, x, y) : CLR_INVALID;
}

void CPictureEx::OnPaint()
{
    if (!m_loaded) {
        Default();
        return;
    }
    CPaintDC dc(this);
    const bool hasPaintRect = !IsRectEmpty(&m_paintRect);
    const int width = hasPaintRect ? m_paintRect.right - m_paintRect.left : m_pictureSize.cx;
    const int height = hasPaintRect ? m_paintRect.bottom - m_paintRect.top : m_pictureSize.cy;
    CCriticalSectionLock lock(m_canvasLock);
    if (m_canvas.dc)
        ::BitBlt(dc.GetSafeHdc(), 0, 0, width, height, m_canvas.dc, m_paintRect.left,
                 m_paintRect.top, SRCCOPY);
}

void CPictureEx::OnDestroy()
{
    Stop();
    Default();
}

BOOL CPictureEx::OnEraseBkgnd(CDC* dc)
{
    if (m_loaded)
        return TRUE;   // the canvas covers the whole control
    return static_cast<BOOL>(Default());
}
