// CSoundPlayer: the student's sound in a remote session, played through DirectSound from a
// one-second ring of four 8000-byte chunks (8 kHz, 16-bit mono). Playback starts looping once
// two chunks are buffered. The control thread switches it on and off while the packet thread
// plays: the three hold the player's lock.
#pragma once

#include "framework/Afx.h"
#include "framework/CriticalSection.h"

#include <cstddef>

struct IDirectSound;
struct IDirectSoundBuffer;

class CSoundPlayer {
public:
    CSoundPlayer() = default;
    ~CSoundPlayer() { Stop(); }
    CSoundPlayer(const CSoundPlayer&) = delete;
    CSoundPlayer& operator=(const CSoundPlayer&) = delete;

    enum StartResult { kStarted = 0, kNoDevice = -1, kNoBuffer = -2 };
    StartResult Start(HWND window);
    void Stop();
    bool IsOn();

    // One block of samples into the next chunk: at most a chunk is copied, whatever length the
    // sender claims, and a short block is padded with silence.
    void Play(const BYTE* samples, size_t length);

private:
    void Release();
    bool RestoreIfLost();

    CCriticalSection m_lock;
    IDirectSound* m_device = nullptr;
    IDirectSoundBuffer* m_buffer = nullptr;
    size_t m_writePosition = 0;
};
