#include "view/RemoconInput.h"

#include "framework/AfxTrace.h"
#include "framework/ExceptionGuard.h"
#include "sessions/InputInjection.h"
#include "sessions/core/KeyEvents.h"

#include <process.h>

#include <algorithm>

namespace {

constexpr DWORD kKeyPauseMs = 10;
constexpr DWORD kMousePauseMs = 2;
constexpr DWORD kHangulHoldMs = 50;
constexpr WORD kHangulKey = 0x15;

INPUT KeyInput(WORD virtualKey, WORD scan, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

} // namespace

void CRemoconInput::AddKeys(const std::vector<KeyEntry>& keys)
{
    Job job;
    job.kind = Job::Keys;
    job.keys.assign(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(KeyRecordsToPlay(keys.size())));
    Add(std::move(job));
}

void CRemoconInput::AddMice(const std::vector<MouseEntry>& mice)
{
    Job job;
    job.kind = Job::Mice;
    job.mice.assign(mice.begin(), mice.begin() + static_cast<std::ptrdiff_t>(std::min(mice.size(), kMaxMouseRecordsPerPacket)));
    Add(std::move(job));
}

void CRemoconInput::AddCharacter(uint16_t code)
{
    Job job;
    job.kind = Job::Character;
    job.code = code;
    Add(std::move(job));
}

void CRemoconInput::AddScanCodes(const std::u16string& arguments)
{
    Job job;
    job.kind = Job::ScanCodes;
    job.text = arguments.substr(0, kMaxRemoteAppScanKeys * 2 * 2);
    Add(std::move(job));
}

void CRemoconInput::AddHangulKey()
{
    Job job;
    job.kind = Job::Hangul;
    Add(std::move(job));
}

void CRemoconInput::Add(Job job)
{
    {
        CCriticalSectionLock lock(m_lock);
        if (m_stopping || m_jobs.size() >= kMaxQueuedJobs) {
            TRACE(L"remote app input dropped: the queue is full\n");
            return;
        }
        m_jobs.push_back(std::move(job));
    }
    if (EnsureWorker())
        ::SetEvent(m_wake);
}

bool CRemoconInput::EnsureWorker()
{
    if (m_thread)
        return true;
    if (!m_wake)
        m_wake = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!m_wake)
        return false;
    m_thread = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, WorkerProc, this, 0, nullptr));
    return m_thread != nullptr;
}

unsigned __stdcall CRemoconInput::WorkerProc(void* self)
{
    AfxCallGuarded(L"the remote app's input", [&] { static_cast<CRemoconInput*>(self)->Run(); });
    return 0;
}

void CRemoconInput::Run()
{
    for (;;) {
        Job job;
        bool have = false;
        {
            CCriticalSectionLock lock(m_lock);
            if (m_stopping)
                return;
            if (!m_jobs.empty()) {
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
                have = true;
            }
        }
        if (have)
            Play(job);
        else
            ::WaitForSingleObject(m_wake, INFINITE);
    }
}

void CRemoconInput::Play(const Job& job) const
{
    switch (job.kind) {
    case Job::Keys:
        for (const KeyEntry& key : job.keys) {
            if (m_stopping)
                return;
            InjectKeyInput(key);
            ::Sleep(kKeyPauseMs);
        }
        break;
    case Job::Mice:
        for (const MouseEntry& mouse : job.mice) {
            if (m_stopping)
                return;
            InjectMouseInput(mouse);
        }
        ::Sleep(kMousePauseMs);
        break;
    case Job::Character: {
        std::vector<INPUT> inputs{KeyInput(0, job.code, KEYEVENTF_UNICODE),
                                  KeyInput(0, job.code, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)};
        PlayInputEvents(inputs);
        break;
    }
    case Job::ScanCodes:
        PlayScanCodes(job.text, kMaxRemoteAppScanKeys);
        break;
    case Job::Hangul: {
        std::vector<INPUT> down{KeyInput(kHangulKey, 0, 0)};
        PlayInputEvents(down);
        ::Sleep(kHangulHoldMs);
        std::vector<INPUT> up{KeyInput(kHangulKey, 0, KEYEVENTF_KEYUP)};
        PlayInputEvents(up);
        break;
    }
    }
}

void CRemoconInput::Stop()
{
    {
        CCriticalSectionLock lock(m_lock);
        m_stopping = true;
        m_jobs.clear();
    }
    if (m_thread) {
        ::SetEvent(m_wake);
        // Joined, however long it took: a worker left running would play on, then wait on the
        // closed wake event, and outlive this object.
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    if (m_wake) {
        ::CloseHandle(m_wake);
        m_wake = nullptr;
    }
    CCriticalSectionLock lock(m_lock);
    m_stopping = false;
}
