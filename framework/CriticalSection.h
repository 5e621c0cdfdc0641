// The program's one lock: a critical section that lives as long as its object, and the scope
// lock that holds it for a block.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <system_error>

class CCriticalSection {
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_section); }
    // With the spin count given; a program-wide lock that cannot be set up must not be used, so
    // this throws std::system_error with the system's error instead.
    explicit CCriticalSection(DWORD spinCount)
    {
        if (!::InitializeCriticalSectionAndSpinCount(&m_section, spinCount))
            throw std::system_error(static_cast<int>(::GetLastError()), std::system_category());
    }
    ~CCriticalSection() { ::DeleteCriticalSection(&m_section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void Enter() { ::EnterCriticalSection(&m_section); }
    void Leave() { ::LeaveCriticalSection(&m_section); }
    // Entered at once or not at all.
    bool TryEnter() { return ::TryEnterCriticalSection(&m_section) != 0; }

private:
    CRITICAL_SECTION m_section;
};

class CCriticalSectionLock {
public:
    explicit CCriticalSectionLock(CCriticalSection& section) : m_section(section) { m_section.Enter(); }
    ~CCriticalSectionLock() { m_section.Leave(); }
    CCriticalSectionLock(const CCriticalSectionLock&) = delete;
    CCriticalSectionLock& operator=(const CCriticalSectionLock&) = delete;

private:
    CCriticalSection& m_section;
};
