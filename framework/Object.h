// CObject: the common root of framework classes that are handled through a base pointer.
#pragma once

class CObject {
public:
    CObject() = default;
    virtual ~CObject() = default;

    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};
