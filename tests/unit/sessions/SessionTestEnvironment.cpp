// OLE, GDI+ and Winsock for the whole session test run: the student threads decode thumbnails
// with GDI+ through OLE storage and talk over loopback sockets.
#include "framework/AsyncSocket.h"

#include <ole2.h>

#include <gdiplus.h>

#include <gtest/gtest.h>

namespace {

class SessionTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_oleStarted = SUCCEEDED(OleInitialize(nullptr));
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
        ASSERT_TRUE(AfxSocketInit());
    }
    void TearDown() override
    {
        Gdiplus::GdiplusShutdown(m_token);
        if (m_oleStarted)
            OleUninitialize();
    }

private:
    ULONG_PTR m_token = 0;
    bool m_oleStarted = false;
};

::testing::Environment* const g_sessionEnvironment =
    ::testing::AddGlobalTestEnvironment(new SessionTestEnvironment);

} // namespace
