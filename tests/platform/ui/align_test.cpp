// Align layout: the pure placement, and controls laid out at once by
// setBounds, also while nothing is shown.
#include <gtest/gtest.h>

#include "platform/ui/align_layout.h"
#include "platform/ui/panel.h"
#include "platform/ui/row_layout.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

using ui::Align;
using ui::Bounds;

TEST(AlignLayoutTest, SlicesTheClientInOrderTopBottomLeftRightClient) {
  // Listed out of order on purpose: the order of the kinds is fixed.
  const std::vector<ui::AlignedItem> items{
      {Align::Client, true, {5, 5, 1, 1}},   {Align::Right, true, {0, 0, 30, 7}},
      {Align::Left, true, {0, 0, 20, 7}},    {Align::Bottom, true, {0, 0, 7, 10}},
      {Align::Top, true, {0, 0, 7, 15}},     {Align::None, true, {3, 4, 5, 6}},
      {Align::Left, false, {9, 9, 50, 50}},
  };
  const auto placed = ui::AlignLayout({10, 10, 200, 100}, items);
  ASSERT_EQ(placed.size(), items.size());
  EXPECT_EQ(placed[4], (Bounds{10, 10, 200, 15}));   // top
  EXPECT_EQ(placed[3], (Bounds{10, 100, 200, 10}));  // bottom
  EXPECT_EQ(placed[2], (Bounds{10, 25, 20, 75}));    // left
  EXPECT_EQ(placed[1], (Bounds{180, 25, 30, 75}));   // right
  EXPECT_EQ(placed[0], (Bounds{30, 25, 150, 75}));   // client
  EXPECT_EQ(placed[5], (Bounds{3, 4, 5, 6}));        // none: untouched
  EXPECT_EQ(placed[6], (Bounds{9, 9, 50, 50}));      // hidden: untouched, no space
}

TEST(AlignLayoutTest, NearerTheEdgeGoesFirstAndNothingGoesNegative) {
  // Two top items: the one higher up stays on top whatever the list order.
  const auto placed = ui::AlignLayout(
      {0, 0, 50, 30}, {{Align::Top, true, {0, 40, 1, 20}}, {Align::Top, true, {0, 0, 1, 20}},
                       {Align::Client, true, {0, 0, 1, 1}}});
  EXPECT_EQ(placed[1], (Bounds{0, 0, 50, 20}));
  EXPECT_EQ(placed[0], (Bounds{0, 20, 50, 20}));
  // The client gets what is left, never a negative size.
  EXPECT_EQ(placed[2], (Bounds{0, 40, 50, 0}));
}

TEST(RowLayoutTest, WrapsOnlyWhenAllowed) {
  const std::vector<ui::RowItem> items{{40, 20, true}, {40, 30, true}, {10, 10, false}, {40, 20, true}};
  const auto wrapped = ui::LayOutInRows(items, 0, 0, 100, true);
  EXPECT_EQ(wrapped.bounds[0], (Bounds{0, 0, 40, 20}));
  EXPECT_EQ(wrapped.bounds[1], (Bounds{40, 0, 40, 30}));
  EXPECT_EQ(wrapped.bounds[3], (Bounds{0, 30, 40, 20}));
  EXPECT_EQ(wrapped.height, 50);
  const auto single = ui::LayOutInRows(items, 0, 0, 100, false);
  EXPECT_EQ(single.bounds[3], (Bounds{80, 0, 40, 20}));
  EXPECT_EQ(single.height, 30);
}

class AlignControlsTest : public testsupport::UiTest {};

QRect boundsOf(const ui::Control &c) { return c.boundsRect(); }

TEST_F(AlignControlsTest, HiddenPanelIsLaidOutAtOnceAndClientResizesOnce) {
  ui::Panel panel(nullptr);
  panel.setPlain();
  panel.setVisible(false);

  auto *top = new ui::Panel(&panel);
  top->setHeight(20);
  top->setAlign(Align::Top);
  top->setParentControl(&panel);
  auto *bottom = new ui::Panel(&panel);
  bottom->setHeight(19);
  bottom->setAlign(Align::Bottom);
  bottom->setParentControl(&panel);
  auto *left = new ui::Panel(&panel);
  left->setWidth(97);
  left->setVisible(false);
  left->setAlign(Align::Left);
  left->setParentControl(&panel);
  auto *client = new ui::Panel(&panel);
  client->setAlign(Align::Client);
  client->setParentControl(&panel);

  int clientResizes = 0;
  QSize sizeSeen;
  client->OnResize = [&](ui::Control *sender) {
    ++clientResizes;
    sizeSeen = sender->size();
  };

  panel.setBounds(0, 0, 300, 200);

  EXPECT_EQ(boundsOf(*top), QRect(0, 0, 300, 20));
  EXPECT_EQ(boundsOf(*bottom), QRect(0, 181, 300, 19));
  EXPECT_EQ(boundsOf(*client), QRect(0, 20, 300, 161));
  EXPECT_EQ(clientResizes, 1);
  EXPECT_EQ(sizeSeen, QSize(300, 161));
  EXPECT_FALSE(panel.isVisible());
  EXPECT_TRUE(panel.isHidden());

  // Showing it later: Qt's own resize to the same size fires nothing more.
  ui::Form form(nullptr);
  form.setBounds(0, 0, 400, 300);
  panel.setParentControl(&form);
  EXPECT_TRUE(panel.isHidden());
  form.show();
  panel.setVisible(true);
  ASSERT_TRUE(testsupport::waitFor([&] { return client->isVisible(); }));
  testsupport::processEvents();
  EXPECT_EQ(clientResizes, 1);
  panel.setParentControl(nullptr);

  // Showing the left child takes its slice off the client.
  left->setVisible(true);
  EXPECT_EQ(boundsOf(*left), QRect(0, 20, 97, 161));
  EXPECT_EQ(boundsOf(*client), QRect(97, 20, 203, 161));
  EXPECT_EQ(clientResizes, 2);

  // The same bounds again: no resize.
  panel.setBounds(0, 0, 300, 200);
  EXPECT_EQ(clientResizes, 2);
}

TEST_F(AlignControlsTest, BevelsAndBorderInsetTheClient) {
  struct Case {
    ui::Bevel outer;
    ui::Bevel inner;
    int bevelWidth;
    int borderWidth;
    int inset;
  };
  const Case cases[] = {
      {ui::Bevel::None, ui::Bevel::Lowered, 1, 0, 1},  // the main window's panel
      {ui::Bevel::Lowered, ui::Bevel::None, 1, 0, 1},
      {ui::Bevel::Raised, ui::Bevel::Lowered, 1, 0, 2},
      {ui::Bevel::Raised, ui::Bevel::None, 2, 3, 5},
      {ui::Bevel::None, ui::Bevel::None, 4, 0, 0},
  };
  for (const Case &c : cases) {
    ui::Panel panel(nullptr);
    panel.setBevelOuter(c.outer);
    panel.setBevelInner(c.inner);
    panel.setBevelWidth(c.bevelWidth);
    panel.setBorderWidth(c.borderWidth);
    panel.setBounds(0, 0, 120, 80);
    auto *child = new ui::Panel(&panel);
    child->setAlign(Align::Client);
    child->setParentControl(&panel);
    const int i = c.inset;
    EXPECT_EQ(boundsOf(*child), QRect(i, i, 120 - 2 * i, 80 - 2 * i)) << "inset " << i;
    EXPECT_EQ(panel.clientRect(), QRect(i, i, 120 - 2 * i, 80 - 2 * i));
  }
}

TEST_F(AlignControlsTest, ChangingAChildsSizeOrAlignRelaysTheSiblings) {
  ui::Panel panel(nullptr);
  panel.setPlain();
  panel.setBounds(0, 0, 100, 100);
  auto *top = new ui::Panel(&panel);
  top->setParentControl(&panel);
  top->setHeight(10);
  auto *client = new ui::Panel(&panel);
  client->setAlign(Align::Client);
  client->setParentControl(&panel);
  EXPECT_EQ(boundsOf(*client), QRect(0, 0, 100, 100));

  top->setAlign(Align::Top);
  EXPECT_EQ(boundsOf(*client), QRect(0, 10, 100, 90));
  top->setHeight(30);
  EXPECT_EQ(boundsOf(*top), QRect(0, 0, 100, 30));
  EXPECT_EQ(boundsOf(*client), QRect(0, 30, 100, 70));

  // An aligned child freed: the rest close the gap.
  delete top;
  EXPECT_EQ(boundsOf(*client), QRect(0, 0, 100, 100));
}

}  // namespace
