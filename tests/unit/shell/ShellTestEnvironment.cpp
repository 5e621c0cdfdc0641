// OLE and GDI+ for the whole shell test run: the frame's buttons paint with GDI+.
#include "OleGdiplusEnvironment.h"

namespace {

::testing::Environment* const g_shellEnvironment = ::testing::AddGlobalTestEnvironment(new OleGdiplusEnvironment);

} // namespace
