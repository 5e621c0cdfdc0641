// Applying a downloaded executable ("Lumora Teacher.exec" beside the program) at start-up.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// True when "Lumora Teacher.exec" waits in the program folder.
BOOL IsSelfUpdateWaiting();

// Writes "ZOZizadi.bat" into the program folder and starts it hidden: once this process has
// ended it moves the new executable over the old one, starts it and deletes itself. TRUE when
// the batch was started; the caller then ends at once. FALSE when the batch could not be
// written in the console's code page (a path it cannot spell), written or started.
BOOL RunSelfUpdate();

// Writes the batch for that folder as "<folder>\ZOZizadi.bat"; FALSE when it could not be
// spelled in the console's code page or written (nothing is left behind then).
BOOL WriteSelfUpdateBatch(const wchar_t* programFolder);
