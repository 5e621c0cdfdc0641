// GDI+ and OLE for the whole widget test run: pictures, JPEG encoding and the shell need them.
#include "framework/Afx.h"

#include "OleGdiplusEnvironment.h"

namespace {

::testing::Environment* const g_pictureEnvironment =
    ::testing::AddGlobalTestEnvironment(new OleGdiplusEnvironment);

} // namespace
