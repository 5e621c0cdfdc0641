#include "UiTestEnvironment.h"

#include "framework/AfxMessageBox.h"

#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

namespace {

ULONG_PTR g_gdiPlusToken = 0;

class UiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        StartGdiPlusForTest();
        ASSERT_TRUE(AfxOleInit());
    }
    void TearDown() override
    {
        StopGdiPlusForTest();
        AfxOleTermThread();
    }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new UiEnvironment);

} // namespace

void StopGdiPlusForTest()
{
    if (g_gdiPlusToken)
        Gdiplus::GdiplusShutdown(g_gdiPlusToken);
    g_gdiPlusToken = 0;
}

void StartGdiPlusForTest()
{
    if (g_gdiPlusToken)
        return;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&g_gdiPlusToken, &input, nullptr), Gdiplus::Ok);
}
