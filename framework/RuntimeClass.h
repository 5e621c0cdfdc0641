// CRuntimeClass: the class information of a CObject-derived class, so that an object can be
// made from its class alone (document templates, serialised records) and asked what it is.
//
//   class CMyDoc : public CDocument { DECLARE_DYNCREATE(CMyDoc) ... };
//   IMPLEMENT_DYNCREATE(CMyDoc, CDocument)        // in the .cpp
//   CObject* doc = RUNTIME_CLASS(CMyDoc)->CreateObject();
#pragma once

#include "framework/Object.h"

#include <new>

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    unsigned int m_wSchema;                 // 0xFFFF: not serialisable
    CObject* (*m_pfnCreateObject)();        // null: not dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    // A new object of the class (made with new; the caller owns it), or null when the class
    // cannot be made dynamically or memory ran out.
    CObject* CreateObject() const;
    bool IsDynamicallyCreatable() const { return m_pfnCreateObject != nullptr; }
    // The class itself or one of its bases.
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    // A registered class by name (every IMPLEMENT_ macro registers its class), or null.
    static const CRuntimeClass* FromName(const char* className);
    static const CRuntimeClass* FromName(const wchar_t* className);
};

// Adds a class to the process-wide list that FromName searches (static initialisation).
struct AfxClassRegistration {
    explicit AfxClassRegistration(const CRuntimeClass* runtimeClass);
};

#define RUNTIME_CLASS(className) (&className::class##className)

#define DECLARE_DYNAMIC(className) \
public: \
    static const CRuntimeClass class##className; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(className) \
    DECLARE_DYNAMIC(className) \
    static CObject* CreateObject();

// A class whose objects are stored by class and schema number.
#define DECLARE_SERIAL(className) DECLARE_DYNCREATE(className)

#define AFX_IMPLEMENT_RUNTIMECLASS(className, baseClassName, schema, createFn) \
    const CRuntimeClass className::class##className = { \
        #className, static_cast<int>(sizeof(className)), schema, createFn, \
        RUNTIME_CLASS(baseClassName)}; \
    static const AfxClassRegistration afxRegister##className(RUNTIME_CLASS(className)); \
    const CRuntimeClass* className::GetRuntimeClass() const { return RUNTIME_CLASS(className); }

#define IMPLEMENT_DYNAMIC(className, baseClassName) \
    AFX_IMPLEMENT_RUNTIMECLASS(className, baseClassName, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(className, baseClassName) \
    CObject* className::CreateObject() { return new (std::nothrow) className; } \
    AFX_IMPLEMENT_RUNTIMECLASS(className, baseClassName, 0xFFFF, &className::CreateObject)

#define IMPLEMENT_SERIAL(className, baseClassName, schema) \
    CObject* className::CreateObject() { return new (std::nothrow) className; } \
    AFX_IMPLEMENT_RUNTIMECLASS(className, baseClassName, schema, &className::CreateObject)
