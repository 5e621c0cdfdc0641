// Umbrella header of our application framework: the Win32 headers and basic types
// (AfxCore.h), the window and thread classes and the application object.
#pragma once

#include "framework/AfxCore.h"
#include "framework/WinApp.h"
