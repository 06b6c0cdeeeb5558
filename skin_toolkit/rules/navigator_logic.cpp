#include "skin_toolkit/rules/navigator_logic.h"

#include <algorithm>

namespace kwo {

namespace {

std::size_t CountVisible(const std::vector<bool> &visible) {
  return static_cast<std::size_t>(std::count(visible.begin(), visible.end(), true));
}

}  // namespace

void NavigatorMinSize(int &width, int &height, bool aligned, std::size_t visibleCount) {
  const int n = static_cast<int>(std::clamp<std::size_t>(visibleCount, 1, kNavigatorButtonCount * 1000));
  width = std::max(width, n * kNavigatorMinButtonWidth);
  height = std::max(height, kNavigatorMinButtonHeight);
  if (!aligned) width = width / n * n;
}

NavigatorGeometry NavigatorLayout(int width, int height, bool aligned, const std::vector<bool> &visible) {
  NavigatorGeometry g;
  const std::size_t shown = CountVisible(visible);
  NavigatorMinSize(width, height, aligned, shown);
  const int n = static_cast<int>(std::max<std::size_t>(shown, 1));
  g.buttonWidth = width / n;
  const int total = n * g.buttonWidth;
  if (!aligned) width = total;
  g.width = width;
  g.height = height;
  // The remainder is spread like a line drawn across the row.
  const int r = width - total;
  int t = n / 2;
  int x = 0;
  g.buttons.reserve(visible.size());
  for (bool isVisible : visible) {
    if (!isVisible) {
      g.buttons.push_back({width + 1, g.buttonWidth, false});
      continue;
    }
    int extra = 0;
    if (r != 0 && t - r < 0) {
      extra = 1;
      t = t - r + n;
    } else if (r != 0) {
      t -= r;
    }
    g.buttons.push_back({x, g.buttonWidth + extra, true});
    x += g.buttonWidth + extra;
  }
  return g;
}

std::array<bool, kNavigatorButtonCount> NavigatorEnabling(const NavigatorState &s) {
  std::array<bool, kNavigatorButtonCount> on{};
  if (!(s.enabled && s.active)) return on;
  auto set = [&on](TNavigateBtn b, bool value) { on[static_cast<std::size_t>(b)] = value; };
  set(TNavigateBtn::nbFirst, !s.bof);
  set(TNavigateBtn::nbPrior, !s.bof);
  set(TNavigateBtn::nbNext, !s.eof);
  set(TNavigateBtn::nbLast, !s.eof);
  set(TNavigateBtn::nbDelete, s.canModify && !(s.bof && s.eof));
  set(TNavigateBtn::nbInsert, s.canModify);
  set(TNavigateBtn::nbEdit, s.canModify && !s.editing);
  set(TNavigateBtn::nbPost, s.canModify && s.editing);
  set(TNavigateBtn::nbCancel, s.canModify && s.editing);
  set(TNavigateBtn::nbRefresh, s.canModify);
  return on;
}

int NavigatorFocusMove(int current, bool forward, const std::vector<bool> &visible) {
  const int count = static_cast<int>(visible.size());
  if (count == 0) return 0;
  current = std::clamp(current, 0, count - 1);
  if (forward) {
    for (int i = current + 1; i < count; ++i) {
      if (visible[static_cast<std::size_t>(i)]) return i;
    }
    return current;
  }
  for (int i = current - 1; i > 0; --i) {
    if (visible[static_cast<std::size_t>(i)]) return i;
  }
  return 0;
}

}  // namespace kwo
