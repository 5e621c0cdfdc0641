// CProgramLock: a critical section that lives as long as the object (the program-wide locks
// are globals).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

class CProgramLock {
public:
    // Initialised with spin count 0; throws std::system_error with the system's error when
    // the section cannot be initialised.
    CProgramLock();
    ~CProgramLock();

    CProgramLock(const CProgramLock&) = delete;
    CProgramLock& operator=(const CProgramLock&) = delete;

    void Lock() { EnterCriticalSection(&m_section); }
    void Unlock() { LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
};
