#include "shell/core/TabStripModel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct TestTab {
    std::wstring m_name;
    int m_nameWidth = 0;
    struct { int left = 0, top = 0, right = 0, bottom = 0; } m_rect;
    bool m_selected = true;   // the model must clear it on Add
};

using Model = TabStripModel<TestTab>;

// Tabs named by one letter, each name w wide (tab width w + 20).
Model MakeStrip(const std::vector<std::pair<std::wstring, int>>& tabs)
{
    Model model;
    for (const auto& [name, width] : tabs) {
        auto tab = std::make_unique<TestTab>();
        tab->m_name = name;
        tab->m_nameWidth = width;
        model.Add(std::move(tab));
    }
    return model;
}

std::wstring Order(const Model& model)
{
    std::wstring names;
    for (int i = 0; i < model.Count(); ++i) names += model.At(i).m_name;
    return names;
}

TEST(ShellTabStripTest, TabsSitSideBySideAfterTheScrollButton)
{
    Model model = MakeStrip({{L"A", 30}, {L"B", 50}, {L"C", 10}});
    EXPECT_EQ(model.SelectedIndex(), -1);
    EXPECT_EQ(model.At(0).m_rect.left, 21);
    EXPECT_EQ(model.At(0).m_rect.right, 71);
    EXPECT_EQ(model.At(1).m_rect.left, 71);
    EXPECT_EQ(model.At(1).m_rect.right, 141);
    EXPECT_EQ(model.At(2).m_rect.right, 171);
    EXPECT_EQ(model.At(2).m_rect.bottom, 32);

    model.SetMetrics({29, 28, 44});   // scaled by 1.4
    EXPECT_EQ(model.At(0).m_rect.left, 29);
    EXPECT_EQ(model.At(0).m_rect.right, 29 + 30 + 28);
    EXPECT_EQ(model.At(2).m_rect.bottom, 44);
}

TEST(ShellTabStripTest, HitTestsAddTheScrollOffset)
{
    Model model = MakeStrip({{L"A", 30}, {L"B", 50}, {L"C", 10}});
    EXPECT_EQ(model.HitTest(30, 5), 0);
    EXPECT_EQ(model.HitTest(20, 5), -1);      // the left scroll button
    EXPECT_EQ(model.HitTest(71, 5), 1);
    EXPECT_EQ(model.HitTest(30, 32), -1);     // below the tabs

    ASSERT_TRUE(model.ScrollRight());
    EXPECT_EQ(model.ScrollOffset(), 50);
    // B is drawn from x = 21 now: a click at 30 hits B, not A.
    EXPECT_EQ(model.HitTest(30, 5), 1);
    EXPECT_EQ(model.HitTest(21 + 70, 5), 2);

    ASSERT_TRUE(model.ScrollRight());
    EXPECT_EQ(model.ScrollOffset(), 120);
    EXPECT_FALSE(model.ScrollRight());        // the last tab stays in view
    EXPECT_EQ(model.ScrollIndex(), 2);
    ASSERT_TRUE(model.ScrollLeft());
    ASSERT_TRUE(model.ScrollLeft());
    EXPECT_FALSE(model.ScrollLeft());
    EXPECT_EQ(model.ScrollOffset(), 0);
}

TEST(ShellTabStripTest, RemovingSelectsTheFollowingTabOrTheNewLast)
{
    Model model = MakeStrip({{L"A", 10}, {L"B", 10}, {L"C", 10}, {L"D", 10}});
    model.Select(1);
    EXPECT_EQ(model.RemoveSelected(), 1);
    EXPECT_EQ(Order(model), L"ACD");
    EXPECT_TRUE(model.At(1).m_selected);
    EXPECT_EQ(model.At(1).m_rect.left, 51);   // rectangles follow the removal

    model.Select(2);
    EXPECT_EQ(model.RemoveSelected(), 1);
    EXPECT_EQ(Order(model), L"AC");
    EXPECT_EQ(model.SelectedIndex(), 1);

    model.Select(-1);
    EXPECT_EQ(model.RemoveSelected(), -1);    // nothing selected: nothing removed
    EXPECT_EQ(Order(model), L"AC");
}

TEST(ShellTabStripTest, RemovingAScrolledLastTabKeepsOneTabInView)
{
    Model model = MakeStrip({{L"A", 10}, {L"B", 20}, {L"C", 40}});
    model.ScrollRight();
    model.ScrollRight();
    model.Select(2);
    EXPECT_EQ(model.RemoveSelected(), 1);
    EXPECT_EQ(model.ScrollIndex(), 1);
    EXPECT_EQ(model.ScrollOffset(), 30);
    EXPECT_EQ(model.HitTest(25, 5), 1);
}

TEST(ShellTabStripTest, DraggingMovesTheSelectedTabOnePlaceOntoItsNeighbour)
{
    Model model = MakeStrip({{L"A", 30}, {L"B", 30}, {L"C", 30}});   // A 21-71, B 71-121, C 121-171
    model.Select(0);
    EXPECT_FALSE(model.DragSelectedTo(50, 5));    // still on A
    EXPECT_FALSE(model.DragSelectedTo(80, 32));   // below the strip
    EXPECT_FALSE(model.DragSelectedTo(80, -1));
    EXPECT_FALSE(model.DragSelectedTo(200, 5));   // past the last tab
    ASSERT_TRUE(model.DragSelectedTo(80, 5));
    EXPECT_EQ(Order(model), L"BAC");
    EXPECT_TRUE(model.At(1).m_selected);
    EXPECT_EQ(model.At(1).m_rect.left, 71);

    ASSERT_TRUE(model.DragSelectedTo(30, 5));     // back onto B, left of it
    EXPECT_EQ(Order(model), L"ABC");
    EXPECT_EQ(model.SelectedIndex(), 0);
}

TEST(ShellTabStripTest, DraggingInAScrolledStripUsesTheDrawnPositions)
{
    Model model = MakeStrip({{L"A", 30}, {L"B", 30}, {L"C", 30}, {L"D", 30}});
    model.ScrollRight();                          // B drawn at 21-71, C at 71-121
    model.Select(2);
    ASSERT_TRUE(model.DragSelectedTo(30, 5));     // onto B as drawn
    EXPECT_EQ(Order(model), L"ACBD");
    EXPECT_EQ(model.SelectedIndex(), 1);
    EXPECT_EQ(model.ScrollOffset(), 50);
}

TEST(ShellTabStripTest, NothingToDragWithoutASelection)
{
    Model model = MakeStrip({{L"A", 30}, {L"B", 30}});
    EXPECT_FALSE(model.DragSelectedTo(80, 5));
    EXPECT_EQ(Order(model), L"AB");
}

}  // namespace
