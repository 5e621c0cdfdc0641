// CSessionReceiver: the receiving half of a remote session. The control thread queues every
// packet the student sends; the session's packet thread takes them in arrival order, decodes
// the screen into the slot's frame bitmap, plays the sound and acts on the student's texts, and
// tells the session window (acknowledgements, keep-alive answers) and the view window (repaint,
// screen size, sound state, chat) by posted messages.
//
// Held by shared pointer by the session window and by the packet thread, so a packet thread
// that outlives the bounded wait for it at the end of a session still finds what it uses.
#pragma once

#include "framework/CriticalSection.h"
#include "sessions/RemoteSessionLinks.h"
#include "sessions/ScreenDecoder.h"
#include "sessions/SoundPlayer.h"

#include <atomic>
#include <deque>
#include <memory>
#include <string>

class CPacket;
class CPCInfo;

// A chat line of the student, posted to the view window (WM_SESSION_CHAT_LINE), which owns the
// chat window while the session runs.
struct SessionChatLine {
    CString header;
    CString text;
    CPCInfo* slot = nullptr;   // whose line it is (a combined window shows several students)
};

class CSessionReceiver : public std::enable_shared_from_this<CSessionReceiver> {
public:
    CSessionReceiver(CPCInfo& slot, const RemoteSessionLinks& links);
    ~CSessionReceiver();
    CSessionReceiver(const CSessionReceiver&) = delete;
    CSessionReceiver& operator=(const CSessionReceiver&) = delete;

    // Where acknowledgements go (the session window) and what shows the student.
    void SetSessionWindow(HWND window) { m_sessionWindow = window; }
    void SetViewWindow(HWND window) { m_viewWindow = window; }

    // The packet threads of the single and of the combined session: the same work, each under
    // its own name so a thread list tells which session a receiver belongs to.
    static UINT __cdecl CommPacketThreadProc(LPVOID param) { return RunThread(param); }
    static UINT __cdecl SumCommPacketThreadProc(LPVOID param) { return RunThread(param); }

    // Starts threadProc as the packet thread; false when it could not be started.
    bool Start(AFX_THREADPROC threadProc);
    // Asks the packet thread to end and waits for it up to timeoutMs, serving this thread's
    // messages meanwhile; true when it has ended. With handleQueuedTexts (the student is gone)
    // the texts it sent before it went are still acted on, so an orderly end announced behind
    // a run of frames counts; the frames are dropped.
    bool Stop(DWORD timeoutMs, bool handleQueuedTexts = false);

    // From the control thread: the packet is queued. False when the queue is full now (its
    // packets hold kMaxQueuedPacketBytes or more): the caller reads no more from the student until
    // WM_SESSION_QUEUE_ROOM comes to the session window, once the queue is down to half of that.
    // The student waits meanwhile (its connection takes no more), and the console's memory does not grow.
    bool Queue(std::unique_ptr<CPacket> packet);

    CSoundPlayer& Sound() { return m_sound; }

private:
    static UINT RunThread(LPVOID param);
    void Run();
    std::unique_ptr<CPacket> Next();
    void HandleQueuedTexts();
    void Handle(const CPacket& packet);
    void OnText(const CString& text);
    void OnScreenSize(const std::u16string& arguments);
    void OnChatLine(const std::u16string& arguments);
    void OnClipboard(const std::u16string& arguments);
    void OnFrameDecoded(uint32_t sequence);
    void PostToView(UINT message, WPARAM wParam, LPARAM lParam);

    CPCInfo& m_slot;
    RemoteSessionLinks m_links;
    std::atomic<HWND> m_sessionWindow{nullptr};
    std::atomic<HWND> m_viewWindow{nullptr};

    CCriticalSection m_queueLock;
    std::deque<std::unique_ptr<CPacket>> m_queue;
    size_t m_queuedBytes = 0;      // what the queued packets hold
    bool m_full = false;           // Queue said so; room is announced once
    HANDLE m_queued = nullptr;     // auto-reset: a packet was queued, or the thread must end
    HANDLE m_thread = nullptr;     // the packet thread, for the join
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_handleQueuedTexts{false};   // set before m_running is cleared

    CScreenDecoder m_decoder;      // packet thread only
    uint32_t m_lastAccepted = 0;   // packet thread only
    CSoundPlayer m_sound;
};
