// The ui tests' process set-up: GDI+ and OLE started on the test thread, as the application
// starts them; GDI+ can be stopped and started again for the cases that need it off.
#pragma once

#include "framework/Afx.h"

void StopGdiPlusForTest();
void StartGdiPlusForTest();
