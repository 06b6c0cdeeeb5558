// The size hook: setBounds and the parent's alignment pass every proposed
// size through the control's constrainSize before applying it, and the
// slices after a constrained control start where it really ends.
#include <gtest/gtest.h>

#include "platform/ui/align_layout.h"
#include "platform/ui/panel.h"

namespace {

using ui::Align;
using ui::AlignedItem;
using ui::Bounds;

// At most 40 pixels high, and a width that is a multiple of 10.
void snap(int &w, int &h) {
  w = w / 10 * 10;
  h = std::min(h, 40);
}

TEST(SizeHookTest, AlignLayoutPlacesTheConstrainedSize) {
  const Bounds client{0, 0, 205, 300};
  std::vector<AlignedItem> items = {
      {Align::Bottom, true, {0, 0, 50, 100}, snap},
      {Align::Right, true, {0, 0, 33, 10}, snap},
      {Align::Client, true, {0, 0, 1, 1}, nullptr},
  };
  const std::vector<Bounds> placed = AlignLayout(client, items);
  EXPECT_EQ(placed[0], (Bounds{0, 260, 200, 40})) << "bottom edge kept, width snapped";
  EXPECT_EQ(placed[1], (Bounds{175, 0, 30, 40})) << "right edge kept";
  EXPECT_EQ(placed[2], (Bounds{0, 0, 175, 260})) << "the rest starts where they end";
}

class SnappingPanel : public ui::Panel {
 public:
  using ui::Panel::Panel;

 protected:
  void constrainSize(int &w, int &h) override { snap(w, h); }
};

TEST(SizeHookTest, SetBoundsAndAlignmentRunTheHook) {
  ui::Panel parent(nullptr);
  parent.setBounds(0, 0, 205, 300);
  auto *child = new SnappingPanel(&parent);
  child->setParentControl(&parent);
  child->setBounds(3, 4, 57, 99);
  EXPECT_EQ(child->geometry(), QRect(3, 4, 50, 40));
  child->setAlign(Align::Top);
  EXPECT_EQ(child->width(), parent.clientRect().width() / 10 * 10);
  EXPECT_EQ(child->height(), 40);
}

}  // namespace
