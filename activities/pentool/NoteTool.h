// CNoteTool: the teacher toolbar's handle on the built-in pen tool, used on the toolbar's own
// thread. The first Open starts the pen thread; later ones show the pen toolbar again. Close
// saves the pen toolbar's position and ends the thread, waiting for it (bounded, pumping).
#pragma once

#include "activities/pentool/NoteToolLink.h"

#include <memory>

class CNoteTool {
public:
    CNoteTool() = default;
    ~CNoteTool();
    CNoteTool(const CNoteTool&) = delete;
    CNoteTool& operator=(const CNoteTool&) = delete;

    // The pen button. owner: the teacher toolbar (hidden while the screen is photographed, told
    // of the pen toolbar's notifications); backLayer: its back layer, which the pen toolbar stays
    // just below. Either may be null. FALSE when the pen thread could not be started.
    BOOL Open(HWND owner, HWND backLayer);
    // Closes the drawing surface without asking, back to touch mode, hides the pen toolbar.
    void Hide();
    // Ends the pen thread (the unsaved strokes are given up). TRUE when it ended in time.
    BOOL Close(DWORD timeoutMs = 5000);

    BOOL IsRunning() const;
    // A drawing mode (pen or whiteboard) is on.
    BOOL IsDrawing() const;
    // The pen toolbar's window while it exists, else null.
    HWND GetToolbarWindow() const;

private:
    BOOL Start(HWND owner, HWND backLayer);
    void SaveToolbarPosition() const;
    BOOL WaitForThread(DWORD timeoutMs);
    void Forget();

    std::shared_ptr<CNoteToolLink> m_link;
    DWORD m_threadId = 0;
    HANDLE m_thread = nullptr;   // our own handle on the pen thread, for waiting
};
