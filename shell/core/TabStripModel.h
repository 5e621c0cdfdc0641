// The group tab strip without its window: tab rectangles from the names' widths, horizontal
// scrolling by whole tabs, hit tests, removal and reordering by dragging.
//
// Tab is the strip's record type. It needs the members
//   m_name                       (anything; the model never reads it)
//   int m_nameWidth              (width of the name in the tab font, set by the owner)
//   m_rect.left/top/right/bottom (integers; strip coordinates before scrolling, set here)
//   m_selected                   (a flag, set here)
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

// Sizes of the strip, already scaled to the screen.
struct TabStripMetrics {
    int firstLeft = 21;   // the first tab starts after the left scroll button
    int padding = 20;     // added to a name's width
    int height = 32;
};

template <class Tab>
class TabStripModel {
public:
    explicit TabStripModel(TabStripMetrics metrics = TabStripMetrics()) : m_metrics(metrics) {}

    void SetMetrics(TabStripMetrics metrics)
    {
        m_metrics = metrics;
        Layout();
    }
    const TabStripMetrics& Metrics() const { return m_metrics; }

    int Count() const { return static_cast<int>(m_tabs.size()); }
    Tab& At(int index) { return *m_tabs.at(static_cast<size_t>(index)); }
    const Tab& At(int index) const { return *m_tabs.at(static_cast<size_t>(index)); }

    // Appends the tab unselected.
    Tab& Add(std::unique_ptr<Tab> tab)
    {
        tab->m_selected = false;
        m_tabs.push_back(std::move(tab));
        Layout();
        return *m_tabs.back();
    }

    // The first selected tab, or -1.
    int SelectedIndex() const
    {
        for (int i = 0; i < Count(); ++i) {
            if (At(i).m_selected) return i;
        }
        return -1;
    }

    // Selects that tab alone; an index out of range clears the selection.
    void Select(int index)
    {
        for (int i = 0; i < Count(); ++i) At(i).m_selected = (i == index);
    }

    // Removes the selected tab and selects the one that followed it, or the last one when it was
    // the last. Gives the index now selected, or -1 (nothing was selected, or nothing is left).
    int RemoveSelected()
    {
        const int removed = SelectedIndex();
        if (removed < 0) return -1;
        m_tabs.erase(m_tabs.begin() + removed);
        // Keep at least one tab in view after the scrolled-out ones.
        if (m_scrollIndex > 0 && m_scrollIndex > Count() - 1) m_scrollIndex = Count() > 0 ? Count() - 1 : 0;
        Layout();
        const int next = removed < Count() ? removed : Count() - 1;
        Select(next);
        return next;
    }

    // Scrolling by whole tabs: the left button shows one more tab on the left, the right one
    // scrolls one more out while at least one stays. False when nothing changed.
    bool ScrollLeft()
    {
        if (m_scrollIndex <= 0) return false;
        --m_scrollIndex;
        UpdateScrollOffset();
        return true;
    }
    bool ScrollRight()
    {
        if (m_scrollIndex >= Count() - 1) return false;
        ++m_scrollIndex;
        UpdateScrollOffset();
        return true;
    }
    int ScrollIndex() const { return m_scrollIndex; }
    int ScrollOffset() const { return m_scrollOffset; }

    // The tab under a point of the strip window (as drawn, so the scroll offset is added), or -1.
    int HitTest(int x, int y) const
    {
        const int stripX = x + m_scrollOffset;
        for (int i = 0; i < Count(); ++i) {
            const auto& r = At(i).m_rect;
            if (stripX >= r.left && stripX < r.right && y >= r.top && y < r.bottom) return i;
        }
        return -1;
    }

    // A drag of the selected tab to a point of the strip window: when the point has left the
    // selected tab, lies within the strip's height and on another tab, the selected tab moves
    // next to that one (after it when the selected tab lies to its left, else before it). True
    // when it moved; the caller then ends the drag.
    bool DragSelectedTo(int x, int y)
    {
        const int from = SelectedIndex();
        if (from < 0 || y < 0 || y >= m_metrics.height) return false;
        const int target = HitTest(x, y);
        if (target < 0 || target == from) return false;
        const bool after = At(from).m_rect.right < At(target).m_rect.right;
        std::unique_ptr<Tab> moving = std::move(m_tabs[static_cast<size_t>(from)]);
        m_tabs.erase(m_tabs.begin() + from);
        // Indexes after the removed tab shift down by one.
        const int targetNow = target > from ? target - 1 : target;
        const int insertAt = after ? targetNow + 1 : targetNow;
        m_tabs.insert(m_tabs.begin() + insertAt, std::move(moving));
        Layout();
        return true;
    }

    // Recomputes every rectangle: tabs side by side from firstLeft, each its name's width plus
    // the padding wide.
    void Layout()
    {
        int left = m_metrics.firstLeft;
        for (auto& tab : m_tabs) {
            tab->m_rect.left = left;
            tab->m_rect.top = 0;
            tab->m_rect.right = left + tab->m_nameWidth + m_metrics.padding;
            tab->m_rect.bottom = m_metrics.height;
            left = tab->m_rect.right;
        }
        UpdateScrollOffset();
    }

private:
    void UpdateScrollOffset()
    {
        m_scrollOffset = 0;
        for (int i = 0; i < m_scrollIndex && i < Count(); ++i) {
            m_scrollOffset += At(i).m_rect.right - At(i).m_rect.left;
        }
    }

    TabStripMetrics m_metrics;
    std::vector<std::unique_ptr<Tab>> m_tabs;
    int m_scrollIndex = 0;
    int m_scrollOffset = 0;
};
