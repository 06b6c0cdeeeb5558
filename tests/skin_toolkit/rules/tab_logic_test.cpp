// The tab strip's rules without any window: strip metrics, tab widths, the
// row laid out with and without overflow, hit tests, the scroll buttons and
// tab index changes.
#include <gtest/gtest.h>

#include "skin_toolkit/rules/tab_logic.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

TEST(TabLogic, StripMetricsFollowTheLook) {
  EXPECT_EQ(TabStripMetricsFor(S::DeepBlue), (TabStripMetrics{17, 5, 22, {18, 17}}));
  EXPECT_EQ(TabStripMetricsFor(S::MacOS), (TabStripMetrics{27, 7, 34, {18, 18}}));
  EXPECT_EQ(TabStripMetricsFor(S::WinXP), (TabStripMetrics{18, 1, 19, {18, 18}}));
  EXPECT_EQ(TabStripMetricsFor(S::FromThemeFile), TabStripMetricsFor(S::DeepBlue));
}

TEST(TabLogic, StripMetricsOfLoadedPictures) {
  // Tab picture 40 x 25, bar 7 x 3, scroll buttons four frames of 11 x 14.
  EXPECT_EQ(TabStripMetricsFor({40, 25}, {7, 3}, {44, 14}), (TabStripMetrics{25, 3, 28, {11, 14}}));
  // Missing pictures take no room; a scroll picture narrower than four
  // frames has no button.
  EXPECT_EQ(TabStripMetricsFor({}, {}, {}), (TabStripMetrics{0, 0, 0, {0, 0}}));
  EXPECT_EQ(TabStripMetricsFor({18, 17}, {}, {3, 17}), (TabStripMetrics{17, 0, 17, {0, 0}}));
}

TEST(TabLogic, TabWidths) {
  EXPECT_EQ(TabWidth(0, true), 80);
  EXPECT_EQ(TabWidth(37, false), 57);
  EXPECT_EQ(TabWidth(-10, false), 15);
}

// Three tabs with captions 30, 40 and 50 wide (tabs of 50, 60 and 70), the
// scroll buttons 18 wide.
TabRowInput threeTabs(int width, int tabIndex = 0, int offset = 0) {
  TabRowInput in;
  in.textWidths = {30, 40, 50};
  in.emptyCaption = {false, false, false};
  in.visible = {true, true, true};
  in.width = width;
  in.leftMargin = 10;
  in.scrollButtonWidth = 18;
  in.scrollOffset = offset;
  in.tabIndex = tabIndex;
  in.tabHeight = 17;
  return in;
}

TEST(TabLogic, RowThatFits) {
  const TabRow row = LayoutTabRow(threeTabs(300, 1));
  EXPECT_EQ(row.widths, (std::vector<int>{50, 60, 70}));
  ASSERT_EQ(row.drawn.size(), 3u);
  EXPECT_EQ(row.drawn[0].rect, (Rect{10, 0, 60, 17}));
  // The active tab lies one pixel lower.
  EXPECT_EQ(row.drawn[1].rect, (Rect{60, 1, 120, 18}));
  EXPECT_TRUE(row.drawn[1].active);
  EXPECT_EQ(row.drawn[2].rect, (Rect{120, 0, 190, 17}));
  EXPECT_EQ(row.lastFull, 2);
  EXPECT_EQ(row.firstDisplayed, 0);
  EXPECT_FALSE(row.overflow);
  // The last tab may reach width - 10: 190 fits in 200, not in 199.
  EXPECT_FALSE(LayoutTabRow(threeTabs(200)).overflow);
  const TabRow tight = LayoutTabRow(threeTabs(199));
  EXPECT_TRUE(tight.overflow);
  EXPECT_EQ(tight.lastFull, 1);
  EXPECT_EQ(tight.drawn.back().rect.right, 199 - 36 - 2);
}

TEST(TabLogic, OverflowClipsAtTheScrollButtons) {
  // Other tabs may reach 150 - 2 x 18 - 2 = 112: the second passes it.
  const TabRow row = LayoutTabRow(threeTabs(150, 0));
  EXPECT_TRUE(row.overflow);
  EXPECT_EQ(row.lastFull, 0);
  ASSERT_EQ(row.drawn.size(), 2u);
  EXPECT_TRUE(row.drawn[1].clipped);
  EXPECT_EQ(row.drawn[1].rect, (Rect{60, 0, 112, 17}));
  // An inactive clipped tab records its clipped width; later tabs none.
  EXPECT_EQ(row.widths, (std::vector<int>{50, 52, -1}));
  // An active clipped tab keeps its full width.
  EXPECT_EQ(LayoutTabRow(threeTabs(150, 1)).widths, (std::vector<int>{50, 60, -1}));
}

TEST(TabLogic, HiddenAndScrolledOutTabs) {
  TabRowInput in = threeTabs(300, 2);
  in.visible = {true, false, true};
  TabRow row = LayoutTabRow(in);
  EXPECT_EQ(row.widths, (std::vector<int>{50, 0, 70}));
  ASSERT_EQ(row.drawn.size(), 2u);
  EXPECT_EQ(row.drawn[1].rect, (Rect{60, 1, 130, 18}));
  // One shown tab scrolled out: the next one starts at the margin.
  in.scrollOffset = 1;
  row = LayoutTabRow(in);
  EXPECT_EQ(row.firstDisplayed, 2);
  ASSERT_EQ(row.drawn.size(), 1u);
  EXPECT_EQ(row.drawn[0].rect, (Rect{10, 1, 80, 18}));
  EXPECT_TRUE(row.overflow == false);
  // Visibility missing for a tab counts as shown; no tabs, no overflow.
  in.visible.clear();
  EXPECT_EQ(LayoutTabRow(in).widths[1], 60);
  EXPECT_FALSE(LayoutTabRow(TabRowInput{}).overflow);
}

TEST(TabLogic, EnsureShownScrollsToTheSelectedTab) {
  // The third tab is selected in a strip where only the first fits fully.
  const int offset = EnsureTabShown(threeTabs(150, 2));
  EXPECT_GT(offset, 0);
  TabRowInput in = threeTabs(150, 2, offset);
  EXPECT_GE(LayoutTabRow(in).lastFull, 2);
  EXPECT_LT(LayoutTabRow(threeTabs(150, 2, offset - 1)).lastFull, 2);
  // A shown tab keeps the offset; it is never lowered.
  EXPECT_EQ(EnsureTabShown(threeTabs(300, 2, 0)), 0);
  EXPECT_EQ(EnsureTabShown(threeTabs(300, 0, 2)), 2);
  // No selection, or an index past the tabs: unchanged.
  EXPECT_EQ(EnsureTabShown(threeTabs(150, -1)), 0);
  EXPECT_EQ(EnsureTabShown(threeTabs(150, 7)), 0);
  // A strip too narrow for any tab still ends.
  EXPECT_LE(EnsureTabShown(threeTabs(20, 2)), 4);
}

TEST(TabLogic, HitTestIsStrict) {
  const TabRow row = LayoutTabRow(threeTabs(300, 1));
  const struct {
    int x, y, tab;
  } cases[] = {
      {11, 5, 0},  {59, 5, 0},  {60, 5, -1},  // the boundary hits neither
      {61, 5, 1},  {189, 16, 2}, {190, 5, -1}, {10, 5, -1},
      {30, 0, -1}, {30, 17, -1}, {250, 5, -1},
  };
  for (const auto &c : cases) EXPECT_EQ(TabAt(row, 10, 17, c.x, c.y), c.tab) << c.x << "," << c.y;
  // Scrolled: the walk starts at the first displayed tab.
  const TabRow scrolled = LayoutTabRow(threeTabs(300, 1, 1));
  EXPECT_EQ(TabAt(scrolled, 10, 17, 15, 5), 1);
  // Clipped: the inactive tab is hit up to its clipped edge, later tabs not.
  const TabRow clipped = LayoutTabRow(threeTabs(150, 0));
  EXPECT_EQ(TabAt(clipped, 10, 17, 111, 5), 1);
  EXPECT_EQ(TabAt(clipped, 10, 17, 113, 5), -1);
}

TEST(TabLogic, ScrollButtons) {
  ScrollButtons b = PlaceScrollButtons(150, 34, {18, 18}, true, 0);
  EXPECT_TRUE(b.shown);
  EXPECT_EQ(b.next, (Rect{130, 6, 148, 24}));
  EXPECT_EQ(b.previous, (Rect{112, 6, 130, 24}));
  // Edges included; the previous-tabs button wins on the shared edge.
  EXPECT_EQ(ScrollButtonAt(b, 148, 24), 1);
  EXPECT_EQ(ScrollButtonAt(b, 130, 6), -1);
  EXPECT_EQ(ScrollButtonAt(b, 112, 10), -1);
  EXPECT_EQ(ScrollButtonAt(b, 111, 10), 0);
  EXPECT_EQ(ScrollButtonAt(b, 140, 25), 0);
  // A strip no more than button height + 4 high puts them at the top.
  EXPECT_EQ(PlaceScrollButtons(150, 22, {18, 18}, true, 0).next.top, 0);
  // Neither overflowing nor scrolled: no buttons, nothing is hot.
  b = PlaceScrollButtons(150, 34, {18, 18}, false, 0);
  EXPECT_FALSE(b.shown);
  EXPECT_EQ(ScrollButtonAt(b, 140, 10), 0);
  EXPECT_TRUE(PlaceScrollButtons(150, 34, {18, 18}, false, 1).shown);

  EXPECT_EQ(ScrollAfterClick(-1, true, 0, 3), 0);
  EXPECT_EQ(ScrollAfterClick(-1, false, 2, 3), 1);
  EXPECT_EQ(ScrollAfterClick(1, false, 1, 3), 1);
  EXPECT_EQ(ScrollAfterClick(1, true, 1, 3), 2);
  EXPECT_EQ(ScrollAfterClick(1, true, 3, 3), 3);
}

TEST(TabLogic, TabIndexChangesAndTheNextShownTab) {
  const struct {
    int current, value, count;
    TabIndexChange change;
  } cases[] = {
      {1, 1, 3, TabIndexChange::Nothing}, {0, 2, 0, TabIndexChange::NoTabs},
      {0, 3, 3, TabIndexChange::Ignored}, {0, -2, 3, TabIndexChange::Ignored},
      {0, -1, 3, TabIndexChange::Change}, {0, 2, 3, TabIndexChange::Change},
  };
  for (const auto &c : cases) EXPECT_EQ(ClassifyTabIndex(c.current, c.value, c.count), c.change);

  const std::vector<bool> shown = {true, false, true, false, true};
  EXPECT_EQ(NearestShownTab(shown, 3), 2);
  EXPECT_EQ(NearestShownTab(shown, 1), 0);
  EXPECT_EQ(NearestShownTab({false, false, true}, 0), 2);
  EXPECT_EQ(NearestShownTab({false, true, false}, 1), -1);
  EXPECT_EQ(NearestShownTab({}, 0), -1);
}

}  // namespace
}  // namespace kwo
