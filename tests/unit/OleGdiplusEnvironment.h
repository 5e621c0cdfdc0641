// OLE and GDI+ for a whole test run: pictures, JPEG coding through OLE storage and the shell
// need both, as the program starts them at its own start-up.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <gdiplus.h>

#include <gtest/gtest.h>

class OleGdiplusEnvironment : public ::testing::Environment {
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
