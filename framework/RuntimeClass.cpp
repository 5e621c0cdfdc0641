#include "framework/RuntimeClass.h"

#include "framework/CmdTarget.h"
#include "framework/CriticalSection.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// Filled during static initialisation (single-threaded) and read afterwards; the lock keeps a
// class registered by a module loaded later safe too.
CCriticalSection& RegistryLock()
{
    static CCriticalSection lock;
    return lock;
}

std::vector<const CRuntimeClass*>& Registry()
{
    static std::vector<const CRuntimeClass*> classes;
    return classes;
}

} // namespace

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF,
                                             nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

bool CObject::IsKindOf(const CRuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
        if (c == base)
            return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
    if (!className)
        return nullptr;
    CCriticalSectionLock lock(RegistryLock());
    for (const CRuntimeClass* c : Registry()) {
        if (std::strcmp(c->m_lpszClassName, className) == 0)
            return c;
    }
    return nullptr;
}

const CRuntimeClass* CRuntimeClass::FromName(const wchar_t* className)
{
    if (!className)
        return nullptr;
    std::string narrow;
    for (const wchar_t* p = className; *p; ++p) {
        if (*p > 0x7F)
            return nullptr;   // class names are plain ASCII identifiers
        narrow += static_cast<char>(*p);
    }
    return FromName(narrow.c_str());
}

AfxClassRegistration::AfxClassRegistration(const CRuntimeClass* runtimeClass)
{
    CCriticalSectionLock lock(RegistryLock());
    Registry().push_back(runtimeClass);
}

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
