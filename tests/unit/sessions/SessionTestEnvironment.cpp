// OLE, GDI+ and Winsock for the whole session test run: the student threads decode thumbnails
// with GDI+ through OLE storage and talk over loopback sockets.
#include "framework/AsyncSocket.h"

#include "OleGdiplusEnvironment.h"

namespace {

class SessionTestEnvironment : public OleGdiplusEnvironment {
public:
    void SetUp() override
    {
        OleGdiplusEnvironment::SetUp();
        ASSERT_TRUE(AfxSocketInit());
    }
};

::testing::Environment* const g_sessionEnvironment =
    ::testing::AddGlobalTestEnvironment(new SessionTestEnvironment);

} // namespace
