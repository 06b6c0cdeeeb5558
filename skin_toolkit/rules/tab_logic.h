#pragma once
// The tab strip's rules without any drawing: the strip's sizes for a look,
// the row of tabs (widths, clipping, what is drawn and where), the hit test
// of a click, the two scroll buttons, and the choice of the page that
// follows a hidden tab. Every table is sized to the tabs.
#include <vector>

#include "skin_toolkit/rules/geometry.h"
#include "skin_toolkit/themes/theme_table.h"

namespace kwo {

struct TabStripMetrics {
  int tabHeight = 0;     // height of the tab picture: the clickable height
  int barHeight = 0;     // height of the bar under the tabs
  int stripHeight = 0;   // tabs and bar
  Size scrollButton;     // one frame of the four-frame scroll button picture
  bool operator==(const TabStripMetrics &) const = default;
};

// The sizes given by the pictures a strip loaded: the tab picture (its
// height is the tab's), the bar under the tabs and the four-frame scroll
// button picture, each whole. A missing picture counts as 0 x 0.
TabStripMetrics TabStripMetricsFor(ImageSize tabPicture, ImageSize barPicture, ImageSize scrollButtonPicture);
// The same for the look's built-in pictures (the DeepBlue ones for looks
// without built-in pictures).
TabStripMetrics TabStripMetricsFor(TkwoUIStyle style);

// A tab's width: its caption's width + 20, 80 for an empty caption, at
// least 15.
int TabWidth(int textWidth, bool emptyCaption);

struct TabRowInput {
  std::vector<int> textWidths;     // per tab, the caption's width
  std::vector<bool> emptyCaption;  // per tab
  std::vector<bool> visible;       // per tab; missing entries count as shown
  int width = 0;                   // the strip's width
  int leftMargin = 10;
  int scrollButtonWidth = 0;
  int scrollOffset = 0;            // leading shown tabs scrolled out of view
  int tabIndex = -1;
  int tabHeight = 0;
};

struct DrawnTab {
  int index = 0;
  Rect rect;             // the active tab lies one pixel lower
  bool active = false;
  bool clipped = false;  // cut at the scroll buttons; caption left-aligned
  bool operator==(const DrawnTab &) const = default;
};

struct TabRow {
  // Per tab: the width the hit test uses; 0 hidden, -1 not reached.
  std::vector<int> widths;
  std::vector<DrawnTab> drawn;
  int firstDisplayed = 0;  // the first tab after the scrolled-out ones
  int lastFull = -1;       // the last tab drawn in full
  bool overflow = false;   // the scroll buttons are shown
};

// Lays the row out from leftMargin: the last tab may reach width - 10, the
// others width - 2 x scroll button width - 2. The first tab that passes its
// limit is clipped to the space left of the scroll buttons (an inactive one
// records the clipped width) and no later tab is drawn.
TabRow LayoutTabRow(const TabRowInput &input);

// Raises the scroll offset until the selected tab is drawn in full, as a
// click on a clipped tab does; the offset stays when the selection is not
// a tab. Never lowers the offset, and stops once no tab is left to scroll.
int EnsureTabShown(TabRowInput input);

// The tab under (x, y), or -1: walks the displayed tabs from leftMargin;
// a tab is hit strictly inside (left < x < right, 0 < y < tabHeight), so a
// click on the boundary between two tabs hits neither.
int TabAt(const TabRow &row, int leftMargin, int tabHeight, int x, int y);

struct ScrollButtons {
  bool shown = false;
  Rect previous;  // the previous-tabs button
  Rect next;      // the next-tabs button
};

// Shown while the tabs overflow or are scrolled. The next-tabs button sits
// at width - 2 - button width, the previous one left of it; both at
// (height - button height) / 2 - 2 when the strip is more than button
// height + 4 high, else at 0.
ScrollButtons PlaceScrollButtons(int width, int height, Size button, bool overflow, int scrollOffset);

// -1 on the previous-tabs button, 1 on the next-tabs button (edges
// included), else 0.
int ScrollButtonAt(const ScrollButtons &buttons, int x, int y);

// The scroll offset after a click on a scroll button (hot -1 or 1): one
// back, or one on while the tabs overflow, kept within 0..count.
int ScrollAfterClick(int hot, bool overflow, int scrollOffset, int count);

enum class TabIndexChange {
  Nothing,       // the same index
  NoTabs,        // no tabs: the index becomes -1
  Ignored,       // outside -1..count-1: repaint only
  Change,        // a new index
};
TabIndexChange ClassifyTabIndex(int current, int value, int count);

// The page to show when the tab at index is hidden: the nearest earlier
// shown tab, else the nearest later one, else -1.
int NearestShownTab(const std::vector<bool> &visible, int index);

}  // namespace kwo
