// CScreenStreamThread: the worker of a single-receiver stream of the teacher's screen (to the
// remote-controller app, or to the one pad that asked for it). Built like the class share's
// worker, with its encoder and capture: every 83 ms the virtual screen is stretched onto the
// receiver's canvas, the changed tiles go out as one tile block, handed over with SendMessage.
// It captures nothing while three blocks wait for the receiver's acknowledgement, and a still
// screen resends its first tile after 100 idle cycles. One worker per object: a start first
// ends the one before. Each start is a generation of the stream: a worker that outlived the
// bounded wait of a restart leaves the stream's words alone on its way out.
#pragma once

#include "framework/CriticalSection.h"

#include <atomic>
#include <functional>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// The program-wide words of the two streams, shared with the threads that set them.
extern std::atomic<int> g_remoteAppStreaming;   // the app wants frames
extern std::atomic<int> g_remoteAppFrameSeq;    // the app stream's next block number
extern std::atomic<int> g_padShareFrameSeq;     // the pad stream's next block number

struct ScreenStreamInput {
    // The window each block goes to (WPARAM = the CPacket*, valid during the call), looked up
    // for each block; null skips the block.
    std::function<HWND()> target;
    UINT message = 0;
    int canvasWidth = 0;
    int canvasHeight = 0;
    int quality = 70;
    std::atomic<int>* running = nullptr;        // the worker ends once this is 0
    std::atomic<int>* sequence = nullptr;       // set to 1 at start and at the end
    std::atomic<int>* acknowledged = nullptr;   // the receiver's last acknowledged block
    // Called on the worker's way out, with its generation, unless a newer start has come.
    std::function<void(unsigned generation)> onEnd;
};

class CScreenStreamThread {
public:
    static constexpr DWORD kCyclePeriodMs = 83;
    // Workers that outlived a bounded stop, each with its capture canvas, kept until they end:
    // while this many are, no other worker is started.
    static constexpr size_t kMaxLeftoverWorkers = 2;
    CScreenStreamThread() = default;
    ~CScreenStreamThread() { Stop(INFINITE); }
    CScreenStreamThread(const CScreenStreamThread&) = delete;
    CScreenStreamThread& operator=(const CScreenStreamThread&) = delete;

    // The two streams' workers: to the remote-controller app, and to the one pad. Each is named
    // so a stack or a thread list tells which stream is running.
    static unsigned __stdcall CaptureScreenThreadProc(void* param) { return RunWorker(param); }
    static unsigned __stdcall CaptureScreenToPCThreadProc(void* param) { return RunWorker(param); }

    // Ends a running worker (bounded), then starts threadProc as one of a new generation; false
    // when none could be started, or while kMaxLeftoverWorkers earlier ones are still ending
    // (the running worker is left as it is then).
    bool Start(const ScreenStreamInput& input, unsigned(__stdcall* threadProc)(void*));
    // False while kMaxLeftoverWorkers earlier workers are still ending: a start would be refused.
    bool MayStart();
    // The generation of the last start (the worker's end reports its own).
    unsigned Generation() const { return m_generation.load(); }
    // Signals the worker and waits at most waitMs, letting the worker's blocks to windows of
    // this thread through meanwhile; a worker still busy after that ends on its own.
    void Stop(DWORD waitMs = 2000);
    bool IsRunning() const;

private:
    static unsigned RunWorker(void* param);
    // On a worker's way out: true, with the stream's sequence back at 1, while no newer start
    // has come. The generation is advanced, and tested here, under the lock.
    bool EndWorker(unsigned generation, std::atomic<int>& sequence);
    // Closes the handles of leftover workers that have ended; waits for them with waitMs.
    void ForgetEndedLeftovers(DWORD waitMs);
    CCriticalSection m_generationLock;
    std::atomic<unsigned> m_generation{0};
    HANDLE m_thread = nullptr;
    HANDLE m_stop = nullptr;
    std::vector<HANDLE> m_leftovers;   // workers a bounded stop left ending on their own
};
