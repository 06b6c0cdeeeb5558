#pragma once
// The data-set navigator's rules without any drawing: how its row of
// buttons shares the width, which buttons a data set's state enables, and
// where the keyboard mark moves.
#include <array>
#include <cstddef>
#include <vector>

namespace kwo {

// The buttons, in row order.
enum class TNavigateBtn {
  nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh
};
inline constexpr int kNavigatorButtonCount = 10;
inline constexpr int kNavigatorMinButtonWidth = 20;
inline constexpr int kNavigatorMinButtonHeight = 18;

struct NavigatorButtonPlace {
  int left = 0;
  int width = 0;
  bool visible = false;
  bool operator==(const NavigatorButtonPlace &) const = default;
};

struct NavigatorGeometry {
  int width = 0;   // the navigator's width after the layout
  int height = 0;  // and its height
  int buttonWidth = 0;
  std::vector<NavigatorButtonPlace> buttons;  // one per entry of visible
};

// The smallest size that fits the visible buttons (at least one counts):
// n x 20 by 18; with no alignment the width is also cut to a multiple of n.
void NavigatorMinSize(int &width, int &height, bool aligned, std::size_t visibleCount);

// Lays the row out in width x height. Unaligned, the width shrinks to n
// equal buttons; aligned, the pixels left over go one each to buttons spread
// along the row. Hidden buttons are parked right of the navigator.
NavigatorGeometry NavigatorLayout(int width, int height, bool aligned, const std::vector<bool> &visible);

// What the buttons' enabling depends on.
struct NavigatorState {
  bool enabled = false;  // the navigator's own Enabled
  bool active = false;   // its link sees an open, enabled data set
  bool bof = true;
  bool eof = true;
  bool canModify = false;
  bool editing = false;
};

// Enabled per button, indexed by TNavigateBtn.
std::array<bool, kNavigatorButtonCount> NavigatorEnabling(const NavigatorState &state);

// Where the keyboard mark goes from current on Left (back) or Right: the
// nearest visible button that way. Back stops at the first button, visible
// or not; forward stays put when no later button is visible.
int NavigatorFocusMove(int current, bool forward, const std::vector<bool> &visible);

}  // namespace kwo
