#pragma once
// Where aligned controls go inside their parent's client rectangle: top
// ones first, then bottom, left, right, and client last; each takes its
// slice off what is left. Hidden controls take no space.
#include <functional>
#include <vector>

namespace ui {

enum class Align { None, Top, Bottom, Left, Right, Client };

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds &) const = default;
};

struct AlignedItem {
  Align align = Align::None;
  bool visible = true;
  Bounds bounds;  // current bounds, in the parent's coordinates
  // Adjusts a proposed width and height before the item takes its slice
  // (the control's own size limits); none leaves them as they are.
  std::function<void(int &width, int &height)> constrain{};
};

// New bounds for every item (unchanged for None and hidden ones). Among items
// of one alignment, the one nearer its edge goes first; ties keep list order.
std::vector<Bounds> AlignLayout(const Bounds &client, const std::vector<AlignedItem> &items);

}  // namespace ui
