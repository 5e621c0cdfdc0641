// CPictureEx: a static control that shows a still picture, or plays an animated GIF on a thread
// of its own. Frames are decoded once when loaded; the thread only renders prepared pictures
// into a canvas that the control copies to the screen when it paints.
#pragma once

#include "framework/CriticalSection.h"
#include "framework/Static.h"

#include <ole2.h>
#include <olectl.h>

#include <atomic>
#include <vector>

struct GifLayout;

class CPictureEx : public CStatic {
public:
    CPictureEx();
    ~CPictureEx() override;

    // Unloads, then loads a GIF (every frame) or any picture OLE reads from the global memory
    // block (which stays the caller's). FALSE leaves the control empty.
    BOOL Load(HGLOBAL memory, DWORD size, BOOL loop = TRUE);
    // A resource of type "GIF" of the resource module.
    BOOL LoadFromResource(UINT resourceId, BOOL loop = TRUE);
    // Shows the still picture, or starts the animation (once: a second call while it plays
    // starts nothing).
    BOOL Draw();
    // Ends the animation thread and waits until it has ended.
    void Stop();
    void UnLoad();

    // The part of the canvas painted into the window (null: from the origin).
    void SetPaintRect(const RECT* rect);

    BOOL IsLoaded() const { return m_loaded; }
    BOOL IsAnimated() const { return m_frames.size() > 1; }
    BOOL IsPlaying() const { return m_running.load(); }
    SIZE GetPictureSize() const { return m_pictureSize; }
    COLORREF GetBackgroundColor() const { return m_background; }
    int GetFrameCount() const { return static_cast<int>(m_frames.size()); }
    // A frame's delay in hundredths of a second (-1 without a control extension).
    int GetFrameDelay(int frame) const;
    // A copy of one canvas pixel, taken under the canvas lock (CLR_INVALID outside it).
    COLORREF GetCanvasPixel(int x, int y);

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);

private:
    struct Frame {
        IPicture* picture = nullptr;
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        int delay = -1;
        int disposal = 0;
    };

    // A memory context with a bitmap selected into it.
    struct Surface {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ previous = nullptr;
        BOOL Create(HDC compatible, int width, int height);
        void Destroy();
    };

    BOOL LoadStill(HGLOBAL memory, DWORD size);
    BOOL LoadGif(const BYTE* data, DWORD size);
    BOOL LoadFrames(const BYTE* data, DWORD size, const GifLayout& layout);
    BOOL PrepareCanvas();
    static IPicture* LoadPictureFromBytes(const BYTE* data, size_t size);
    static IPicture* LoadPictureFromGlobal(HGLOBAL memory, DWORD size, BOOL deleteOnRelease);
    static void RenderPicture(IPicture* picture, HDC dc, int x, int y, int width, int height);

    static unsigned __stdcall AnimationThread(void* self);
    void RunAnimation();
    BOOL ShowFrame(size_t index);
    BOOL WaitFrameDelay(const Frame& frame);
    void DisposeFrame(const Frame& frame);
    void FillCanvas(const RECT& rect);
    void InvalidateFromAnyThread();

    SIZE m_pictureSize = {0, 0};
    COLORREF m_background = RGB(255, 255, 255);
    BOOL m_loaded = FALSE;
    IPicture* m_still = nullptr;
    std::vector<Frame> m_frames;
    RECT m_paintRect = {0, 0, 0, 0};

    size_t m_currentFrame = 0;
    BOOL m_loop = TRUE;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stop{false};
    HANDLE m_stopEvent = nullptr;
    HANDLE m_thread = nullptr;   // closed only by Stop

    // The canvas is drawn by the animation thread and copied by the window's thread.
    CCriticalSection m_canvasLock;
    Surface m_canvas;
    Surface m_saved;   // the area under a frame whose disposal restores it
};
