// CGdiObject: owns one GDI object handle and deletes it when the object goes (or the handle is
// replaced). Detach gives the handle up without deleting it.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "framework/Object.h"

class CGdiObject : public CObject {
public:
    CGdiObject() = default;
    ~CGdiObject() override { DeleteObject(); }

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Each kind converts to its own handle type (HPEN, HFONT...); this gives the plain one.
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // Takes ownership of a handle; FALSE (and nothing taken) while another is held.
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    // Deletes the held object (stock objects are never deleted); FALSE when none was held.
    BOOL DeleteObject();
    int GetObject(int size, void* buffer) const;
    BOOL CreateStockObject(int index);

    HGDIOBJ m_hObject = nullptr;

protected:
    // Replaces the held object with a newly made one; FALSE when it could not be made.
    BOOL TakeNew(HGDIOBJ object);

private:
    bool m_stock = false;
};
