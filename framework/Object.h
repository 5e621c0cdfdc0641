// CObject: the common root of framework classes that are handled through a base pointer.
#pragma once

struct CRuntimeClass;

class CObject {
public:
    CObject() = default;
    virtual ~CObject() = default;

    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;

    // The class information (RuntimeClass.h); classes with DECLARE_DYNAMIC give their own.
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* runtimeClass) const;

    static const CRuntimeClass classCObject;
};
