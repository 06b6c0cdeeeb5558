#include "skin_toolkit/rules/tab_logic.h"

#include <algorithm>

namespace kwo {
namespace {

bool shownAt(const std::vector<bool> &visible, size_t i) { return i >= visible.size() || visible[i]; }

}  // namespace

TabStripMetrics TabStripMetricsFor(ImageSize tabPicture, ImageSize barPicture, ImageSize scrollButtonPicture) {
  TabStripMetrics m;
  m.tabHeight = std::max(tabPicture.height, 0);
  m.barHeight = std::max(barPicture.height, 0);
  m.stripHeight = m.tabHeight + m.barHeight;
  // One frame of four; a picture narrower than four frames has none.
  if (scrollButtonPicture.width >= 4 && scrollButtonPicture.height > 0) {
    m.scrollButton = {scrollButtonPicture.width / 4, scrollButtonPicture.height};
  }
  return m;
}

TabStripMetrics TabStripMetricsFor(TkwoUIStyle style) {
  const TkwoUIStyle look = BuiltInLookOf(style);
  return TabStripMetricsFor(BuiltInImageSize(look, tiTabControlTabImage), BuiltInImageSize(look, tiTabControlBarImage),
                            BuiltInImageSize(look, tiScrollButtonImage));
}

int TabWidth(int textWidth, bool emptyCaption) {
  const int w = emptyCaption ? 80 : textWidth + 20;
  return std::max(w, 15);
}

TabRow LayoutTabRow(const TabRowInput &in) {
  const size_t count = in.textWidths.size();
  TabRow row;
  row.widths.assign(count, -1);
  row.firstDisplayed = static_cast<int>(count);
  row.lastFull = static_cast<int>(count) - 1;
  const int clipRight = in.width - 2 * in.scrollButtonWidth - 2;
  int x = in.leftMargin;
  int lastLimit = 0;
  bool stopped = false;
  int seen = 0;
  for (size_t i = 0; i < count; ++i) {
    const int limit = i + 1 == count ? in.width - 10 : clipRight;
    lastLimit = limit;
    if (!shownAt(in.visible, i)) {
      row.widths[i] = 0;
      continue;
    }
    if (stopped) break;
    const bool empty = i < in.emptyCaption.size() && in.emptyCaption[i];
    const int w = TabWidth(in.textWidths[i], empty);
    row.widths[i] = w;
    ++seen;
    if (seen <= in.scrollOffset) continue;
    const int index = static_cast<int>(i);
    if (row.firstDisplayed == static_cast<int>(count)) row.firstDisplayed = index;
    DrawnTab tab;
    tab.index = index;
    tab.active = index == in.tabIndex;
    tab.rect = tab.active ? Rect{x, 1, x + w, in.tabHeight + 1} : Rect{x, 0, x + w, in.tabHeight};
    if (tab.rect.right > limit) {
      tab.rect.right = clipRight;
      tab.clipped = true;
      stopped = true;
      row.lastFull = index - 1;
      if (!tab.active) row.widths[i] = tab.rect.right - tab.rect.left;
    }
    row.drawn.push_back(tab);
    x += w;
  }
  row.overflow = (x > lastLimit || stopped) && count > 0;
  return row;
}

int EnsureTabShown(TabRowInput input) {
  const int count = static_cast<int>(input.textWidths.size());
  if (input.tabIndex < 0 || input.tabIndex >= count) return input.scrollOffset;
  // Past the number of tabs nothing is drawn and the row counts as shown.
  for (int guard = 0; guard <= count + 1; ++guard) {
    if (LayoutTabRow(input).lastFull >= input.tabIndex) break;
    ++input.scrollOffset;
  }
  return input.scrollOffset;
}

int TabAt(const TabRow &row, int leftMargin, int tabHeight, int x, int y) {
  if (y <= 0 || y >= tabHeight) return -1;
  int x0 = leftMargin;
  for (size_t i = static_cast<size_t>(std::max(row.firstDisplayed, 0)); i < row.widths.size(); ++i) {
    const int w = row.widths[i];
    if (w < 0) break;
    const int x1 = x0 + w;
    if (x0 < x && x < x1) return static_cast<int>(i);
    x0 = x1;
  }
  return -1;
}

ScrollButtons PlaceScrollButtons(int width, int height, Size button, bool overflow, int scrollOffset) {
  ScrollButtons b;
  b.shown = overflow || scrollOffset != 0;
  const int y = height > button.height + 4 ? (height - button.height) / 2 - 2 : 0;
  const int nextX = width - 2 - button.width;
  const int prevX = width - 2 - 2 * button.width;
  b.next = {nextX, y, nextX + button.width, y + button.height};
  b.previous = {prevX, y, prevX + button.width, y + button.height};
  return b;
}

int ScrollButtonAt(const ScrollButtons &b, int x, int y) {
  if (!b.shown) return 0;
  auto inside = [x, y](const Rect &r) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; };
  // The previous-tabs button wins on the edge the two share.
  if (inside(b.previous)) return -1;
  if (inside(b.next)) return 1;
  return 0;
}

int ScrollAfterClick(int hot, bool overflow, int scrollOffset, int count) {
  int offset = scrollOffset;
  if (hot < 0) --offset;
  if (hot > 0 && overflow) ++offset;
  return std::clamp(offset, 0, std::max(count, 0));
}

TabIndexChange ClassifyTabIndex(int current, int value, int count) {
  if (value == current) return TabIndexChange::Nothing;
  if (count <= 0) return TabIndexChange::NoTabs;
  if (value < -1 || value >= count) return TabIndexChange::Ignored;
  return TabIndexChange::Change;
}

int NearestShownTab(const std::vector<bool> &visible, int index) {
  const int count = static_cast<int>(visible.size());
  for (int i = std::min(index, count) - 1; i >= 0; --i) {
    if (visible[static_cast<size_t>(i)]) return i;
  }
  for (int i = std::max(index + 1, 0); i < count; ++i) {
    if (visible[static_cast<size_t>(i)]) return i;
  }
  return -1;
}

}  // namespace kwo
