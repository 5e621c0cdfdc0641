// GDI+ and OLE for the whole widget test run: pictures, JPEG encoding and the shell need them.
#include "framework/Afx.h"

#include <ole2.h>

#include <gdiplus.h>

#include <gtest/gtest.h>

namespace {

class PictureTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_oleStarted = SUCCEEDED(OleInitialize(nullptr));
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
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

::testing::Environment* const g_pictureEnvironment =
    ::testing::AddGlobalTestEnvironment(new PictureTestEnvironment);

} // namespace
