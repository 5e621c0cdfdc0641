#include "sessions/SoundPlayer.h"

#include "sessions/core/RemoteScreen.h"

#include <mmsystem.h>
#include <dsound.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr DWORD kRingBytes = 32000;
constexpr int kRestoreAttempts = 100;

} // namespace

bool CSoundPlayer::IsOn()
{
    CCriticalSectionLock lock(m_lock);
    return m_device != nullptr;
}

CSoundPlayer::StartResult CSoundPlayer::Start(HWND window)
{
    CCriticalSectionLock lock(m_lock);
    if (m_device)
        return kStarted;
    if (FAILED(::DirectSoundCreate(nullptr, &m_device, nullptr)) || !m_device) {
        m_device = nullptr;
        return kNoDevice;
    }
    m_device->SetCooperativeLevel(window, DSSCL_NORMAL);
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 8000;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = 16000;
    DSBUFFERDESC description = {};
    description.dwSize = sizeof(description);
    description.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS | DSBCAPS_STICKYFOCUS |
                          DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY | DSBCAPS_LOCSOFTWARE;
    description.dwBufferBytes = kRingBytes;
    description.lpwfxFormat = &format;
    if (FAILED(m_device->CreateSoundBuffer(&description, &m_buffer, nullptr)) || !m_buffer) {
        m_buffer = nullptr;
        m_device->Release();
        m_device = nullptr;
        return kNoBuffer;
    }
    m_writePosition = 0;
    return kStarted;
}

void CSoundPlayer::Stop()
{
    CCriticalSectionLock lock(m_lock);
    Release();
}

void CSoundPlayer::Release()
{
    if (m_buffer) {
        m_buffer->Stop();
        m_buffer->SetCurrentPosition(0);
        m_buffer->Release();
        m_buffer = nullptr;
    }
    if (m_device) {
        m_device->Release();
        m_device = nullptr;
    }
    m_writePosition = 0;
}

bool CSoundPlayer::RestoreIfLost()
{
    DWORD status = 0;
    if (FAILED(m_buffer->GetStatus(&status)))
        return false;
    if (!(status & DSBSTATUS_BUFFERLOST))
        return true;
    for (int attempt = 0; attempt < kRestoreAttempts; ++attempt) {
        if (SUCCEEDED(m_buffer->Restore()))
            return true;
        ::Sleep(10);
    }
    return false;
}

void CSoundPlayer::Play(const BYTE* samples, size_t length)
{
    CCriticalSectionLock lock(m_lock);
    if (!m_buffer || !RestoreIfLost())
        return;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    if (FAILED(m_buffer->Lock(static_cast<DWORD>(m_writePosition), kSoundChunkBytes, &first, &firstBytes,
                              &second, &secondBytes, 0)))
        return;
    const size_t copied = samples ? std::min(length, kSoundChunkBytes) : 0;
    BYTE chunk[kSoundChunkBytes] = {};
    if (copied)
        std::memcpy(chunk, samples, copied);
    std::memcpy(first, chunk, std::min<size_t>(firstBytes, kSoundChunkBytes));
    if (second && firstBytes < kSoundChunkBytes)
        std::memcpy(second, chunk + firstBytes, std::min<size_t>(secondBytes, kSoundChunkBytes - firstBytes));
    m_buffer->Unlock(first, firstBytes, second, secondBytes);
    m_writePosition = (m_writePosition + kSoundChunkBytes) % kRingBytes;
    DWORD status = 0;
    if (SUCCEEDED(m_buffer->GetStatus(&status)) && !(status & DSBSTATUS_PLAYING) &&
        m_writePosition == kRingBytes / 2)
        m_buffer->Play(0, 0, DSBPLAY_LOOPING);
}
