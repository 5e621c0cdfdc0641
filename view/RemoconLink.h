// CRemoconLink: the one hand-held remote-controller app linked to the console. A connection on
// the students' port that announces itself with "[RC00001]" becomes the link (a second app
// replaces the first); the link's commands drive the console, its key, character and pointer
// events are played on the teacher PC, its screen is shown in a viewer window of its own, its
// sound is played, and the teacher's screen is streamed to it while it asks.
//
// Everything here runs on the view's thread, in the view's socket handlers, except the stream's
// worker (which hands each block over with SendMessage WM_REMOTE_APP_FRAME), the input worker
// and the viewer's own thread.
#pragma once

#include "activities/screenshare/ScreenStreamThread.h"
#include "framework/LifeFlag.h"
#include "sessions/PCInfo.h"
#include "sessions/ScreenDecoder.h"
#include "sessions/SoundPlayer.h"
#include "view/RemoconInput.h"
#include "view/core/RemoconCommands.h"

#include <atomic>
#include <string>

class CPacket;
class CWendmarkView;

class CRemoconLink {
public:
    explicit CRemoconLink(CWendmarkView& view);
    ~CRemoconLink();
    CRemoconLink(const CRemoconLink&) = delete;
    CRemoconLink& operator=(const CRemoconLink&) = delete;

    bool IsOwnSocket(WPARAM socket) const { return socket == reinterpret_cast<WPARAM>(&m_record.m_socket); }
    bool IsLinked() const { return m_record.m_socket.m_hSocket != INVALID_SOCKET; }
    // The linked app announced a version newer than the one the state replies need.
    bool IsNewerApp() const;

    // Tells a linked app that another one takes over, lets 300 ms of messages through and ends
    // the link. Nothing without one.
    void DropForNewApp();
    // The socket (detached from its pending record) becomes the link.
    void Link(SOCKET handle, int connectionId, const CString& version);

    void OnReceive();
    void OnClose();
    // A block of the stream's worker: sent while linked and the app wants frames.
    void OnStreamFrame(CPacket& packet);
    void OnDisplayChange();
    // "[RH00004]" with the class share's state, to an app new enough to read it.
    void SendShareState();
    // The view goes: "[KW10001]KW_END" to a linked app, and every thread of the link ends.
    void Shutdown();

private:
    void OnText(const std::u16string& text);
    void OnViewerCommand(const std::u16string& argument);
    void OnCanvas(const std::u16string& arguments);
    void OnSoundCommand(const std::u16string& argument);
    void OnTiles(const CPacket& packet);
    void OnSound(const CPacket& packet);
    bool Send(const std::u16string& text);
    void ReadTeacherScreen();
    void StartStream();
    void RestartStream();
    void StartViewer();
    void StopViewer();
    void OpenOnScreenKeyboard();
    // The socket closes, the viewer ends and the sound is released.
    void EndLink();

    CWendmarkView& m_view;
    // The waits that let messages through can see the view, and this link, closed.
    CLifeFlag m_life;
    CPCInfo m_record;              // the link; its picture is the viewer's
    bool m_dropping = false;       // the take-over notice is waiting

    int m_screenWidth = 0;         // teacher virtual screen
    int m_screenHeight = 0;

    std::atomic<int> m_acknowledged{0};    // before the stream: its worker reads it to its end
    CScreenStreamThread m_stream;
    int m_quality = 70;
    int m_canvasWidth = 0;         // "[RC00010]"; the teacher's screen until then
    int m_canvasHeight = 0;

    RemoconViewerSize m_viewerSize;
    bool m_viewerSizeStored = false;
    HANDLE m_viewerThread = nullptr;
    DWORD m_viewerThreadId = 0;
    CScreenDecoder m_decoder;

    CSoundPlayer m_sound;
    CRemoconInput m_input;
};
