#include "framework/Afx.h"

HINSTANCE g_langResource = nullptr;

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_langResource ? g_langResource : AfxGetInstanceHandle();
}
