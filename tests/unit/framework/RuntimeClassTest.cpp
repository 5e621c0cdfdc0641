#include "framework/Afx.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
public:
    int m_radius = 3;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CStamp : public CObject {
    DECLARE_SERIAL(CStamp)
};
IMPLEMENT_SERIAL(CStamp, CObject, 2)

} // namespace

TEST(RuntimeClassTest, DynamicCreationMakesAnObjectOfThatClass)
{
    std::unique_ptr<CObject> object(RUNTIME_CLASS(CCircle)->CreateObject());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CCircle));
    EXPECT_EQ(static_cast<CCircle*>(object.get())->m_radius, 3);

    // A class that is only dynamic cannot be made from its class information.
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDynamicallyCreatable());
}

TEST(RuntimeClassTest, KindFollowsTheBaseChainOnly)
{
    CCircle circle;
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CStamp)));
    CShape shape;
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CCircle)));

    CWnd wnd;
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
}

TEST(RuntimeClassTest, RegisteredClassesAreFoundByNameWithTheirSchema)
{
    EXPECT_EQ(CRuntimeClass::FromName("CCircle"), RUNTIME_CLASS(CCircle));
    EXPECT_EQ(CRuntimeClass::FromName(L"CStamp"), RUNTIME_CLASS(CStamp));
    EXPECT_EQ(RUNTIME_CLASS(CStamp)->m_wSchema, 2u);
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(L"C\u00e9"), nullptr);
}
