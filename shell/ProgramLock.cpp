#include "shell/ProgramLock.h"

#include <system_error>

CProgramLock::CProgramLock()
{
    if (!InitializeCriticalSectionAndSpinCount(&m_section, 0)) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category());
    }
}

CProgramLock::~CProgramLock()
{
    DeleteCriticalSection(&m_section);
}
