// The check and radio groups on the offscreen platform: item buttons laid
// out in columns, the item index and clicks, the keyboard in a radio group,
// the focus their items draw, and the look and theme they start with and
// pass on.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_group_box.h"
#include "skin_toolkit/controls/kwo_panel.h"
#include "skin_toolkit/controls/kwo_radio_group.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "tests/skin_toolkit/controls/panels_groups_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using testsupport::pressKey;

// --- Check and radio groups ---

TEST_F(PanelsGroupsTest, ItemButtonsFollowTheItemsAndLayOutInColumns) {
  auto *group = make<TkwoRadioGroup>(form.get());
  group->setItems({"a", "b", "c", "d", "e"});
  ASSERT_EQ(group->buttonCount(), 5);
  group->button(1)->setChecked(true);
  TkwoCheckBox *third = group->button(2);
  group->items().remove(4);
  group->items().remove(3);
  EXPECT_EQ(group->buttonCount(), 3);
  EXPECT_EQ(group->button(2), third);
  EXPECT_EQ(group->itemIndex(), 1);
  EXPECT_EQ(group->button(0)->caption(), "a");

  group->setItems({"1", "2", "3", "4", "5", "6", "7"});
  group->setColumns(2);
  EXPECT_EQ(group->button(0)->left(), 8);
  EXPECT_EQ(group->button(3)->left(), 8);
  EXPECT_EQ(group->button(4)->left(), (185 - 10) / 2 + 8);
  EXPECT_EQ(group->button(4)->top(), group->button(0)->top());
  EXPECT_LT(group->button(0)->top(), group->button(1)->top());

  group->setColumns(-1);
  EXPECT_EQ(group->columns(), 2);
  group->setColumns(0);  // lays out as one column
  EXPECT_EQ(group->columns(), 0);
  EXPECT_EQ(group->button(6)->left(), 8);
  group->setItems({"x", "y"});
  group->setBounds(0, 0, 120, 90);
  EXPECT_EQ(group->button(1)->left(), 8);
}

TEST_F(PanelsGroupsTest, ItemIndexChecksAndTheGroupTellsOfItemClicks) {
  auto *group = make<TkwoRadioGroup>(form.get());
  int clicks = 0;
  group->OnClick = [&](ui::Control *sender) {
    EXPECT_EQ(sender, group);
    ++clicks;
  };
  group->setItems({"a", "b", "c"});
  EXPECT_EQ(group->itemIndex(), -1);
  group->setItemIndex(2);
  EXPECT_EQ(group->itemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  group->setItemIndex(5);
  group->setItemIndex(-2);
  EXPECT_EQ(group->itemIndex(), 2);
  group->setItemIndex(0);
  EXPECT_FALSE(group->button(2)->checked());
  EXPECT_EQ(clicks, 2);
  group->setItemIndex(-1);
  EXPECT_EQ(group->itemIndex(), -1);
  EXPECT_EQ(clicks, 2);  // unchecking tells nothing
  {
    ui::LoadingGuard loading(*form);
    group->setItemIndex(1);
  }
  EXPECT_EQ(group->itemIndex(), 1);
  EXPECT_EQ(clicks, 2);

  showForm();
  QTest::mouseClick(group->button(2), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(group->itemIndex(), 2);
  EXPECT_EQ(clicks, 3);
  QTest::mouseClick(group->button(2), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, 3);  // already checked

  // A check group tells of every change of an item.
  auto *checks = make<TkwoCheckGroup>(form.get());
  checks->setBounds(200, 0, 185, 105);
  int checkClicks = 0;
  checks->OnClick = [&](ui::Control *) { ++checkClicks; };
  checks->setItems({"p", "q"});
  checks->button(0)->setChecked(true);
  checks->button(0)->setChecked(false);
  checks->button(1)->setChecked(true);
  EXPECT_EQ(checkClicks, 3);
}

TEST_F(PanelsGroupsTest, TabIntoARadioGroupFocusesTheCheckedItemAndArrowsCheckAsTheyMove) {
  auto *before = make<TkwoCheckBox>(form.get());
  before->setBounds(0, 200, 90, 17);
  auto *group = make<TkwoRadioGroup>(form.get());
  group->setItems({"a", "b", "c"});
  group->setItemIndex(1);
  int clicks = 0;
  group->OnClick = [&](ui::Control *) { ++clicks; };
  showForm();

  before->setFocus(Qt::OtherFocusReason);
  pressKey(QApplication::focusWidget(), Qt::Key_Tab);
  testsupport::processEvents();
  EXPECT_TRUE(group->button(1)->hasFocus());
  EXPECT_EQ(group->itemIndex(), 1);
  EXPECT_EQ(clicks, 0);

  pressKey(QApplication::focusWidget(), Qt::Key_Down);
  testsupport::processEvents();
  EXPECT_TRUE(group->button(2)->hasFocus());
  EXPECT_EQ(group->itemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  pressKey(QApplication::focusWidget(), Qt::Key_Down);  // wraps
  testsupport::processEvents();
  EXPECT_EQ(group->itemIndex(), 0);
  pressKey(QApplication::focusWidget(), Qt::Key_Up);
  testsupport::processEvents();
  EXPECT_EQ(group->itemIndex(), 2);
  EXPECT_EQ(clicks, 3);

  // Shift+Tab leaves the group backwards instead of coming back to it.
  pressKey(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  testsupport::processEvents();
  EXPECT_TRUE(before->hasFocus());

  // Focus from elsewhere onto an item checks nothing; with no item checked
  // the group keeps the focus.
  group->button(0)->setFocus(Qt::OtherFocusReason);
  testsupport::processEvents();
  EXPECT_EQ(group->itemIndex(), 2);
  group->setItemIndex(-1);
  before->setFocus(Qt::OtherFocusReason);
  pressKey(QApplication::focusWidget(), Qt::Key_Tab);
  testsupport::processEvents();
  EXPECT_TRUE(group->hasFocus());
  EXPECT_EQ(group->itemIndex(), -1);
}

// An item shows its dotted focus rectangle in the font colour: a check item
// whenever it has the focus, a radio item only when it is also checked.
TEST_F(PanelsGroupsTest, GroupItemsDrawTheirFocusByTheirOwnRule) {
  auto *checks = make<TkwoCheckGroup>(form.get());
  auto *radios = make<TkwoRadioGroup>(form.get());
  radios->setBounds(200, 0, 185, 105);
  auto *elsewhere = make<TkwoCheckBox>(form.get());
  elsewhere->setBounds(0, 300, 90, 17);
  for (TkwoCheckGroup *g : {checks, static_cast<TkwoCheckGroup *>(radios)}) {
    g->setItems({"a", "b"});
    g->setFontColor(platform::RGB(0, 0, 255));
  }
  showForm();
  const auto blueCount = [](TkwoCheckBox *item) {
    const QImage image = item->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == QColor(0, 0, 255) ? 1 : 0;
    }
    return n;
  };
  const struct {
    const char *what;
    TkwoCheckGroup *group;
    bool checked, focused, drawn;
  } cases[] = {
      {"check item, focused", checks, false, true, true},
      {"check item, checked, focus elsewhere", checks, true, false, false},
      {"radio item, focused, not checked", radios, false, true, false},
      {"radio item, checked and focused", radios, true, true, true},
      {"radio item, checked, focus elsewhere", radios, true, false, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    TkwoCheckBox *item = c.group->button(0);
    elsewhere->setFocus(Qt::OtherFocusReason);
    item->setChecked(false);
    testsupport::processEvents();
    const int plain = blueCount(item);
    item->setChecked(c.checked);
    if (c.focused) item->setFocus(Qt::OtherFocusReason);
    testsupport::processEvents();
    ASSERT_EQ(item->hasFocus(), c.focused);
    // The rectangle's dots add to the caption's own blue.
    EXPECT_EQ(blueCount(item) > plain + 5, c.drawn);
  }

  // A radio item checked while its group holds the focus shows it, and
  // stops when the focus leaves the group.
  TkwoCheckBox *item = radios->button(1);
  radios->setItemIndex(-1);
  elsewhere->setFocus(Qt::OtherFocusReason);
  testsupport::processEvents();
  const int plain = blueCount(item);
  radios->setFocus(Qt::OtherFocusReason);
  testsupport::processEvents();
  ASSERT_TRUE(radios->hasFocus());
  radios->setItemIndex(1);
  testsupport::processEvents();
  EXPECT_GT(blueCount(item), plain + 5);
  elsewhere->setFocus(Qt::OtherFocusReason);
  testsupport::processEvents();
  EXPECT_EQ(blueCount(item), plain);
}

TEST_F(PanelsGroupsTest, GroupsStartInTheLookOfTheirForm) {
  auto *frame = make<TkwoForm>(form.get());
  frame->setUIStyle(TkwoUIStyle::BlueGlass);
  auto *group = make<TkwoRadioGroup>(form.get());
  auto *panel = make<TkwoPanel>(form.get());
  auto *box = make<TkwoGroupBox>(form.get());
  EXPECT_EQ(group->uiStyle(), TkwoUIStyle::BlueGlass);
  EXPECT_EQ(panel->uiStyle(), TkwoUIStyle::BlueGlass);
  EXPECT_EQ(box->uiStyle(), TkwoUIStyle::BlueGlass);
  group->setItems({"a"});
  EXPECT_EQ(group->button(0)->uiStyle(), TkwoUIStyle::BlueGlass);
}

// The group hands its look, colour, cursor and transparency to its items;
// items take the focus by click only, the group by Tab; re-enabling the
// group re-enables an item disabled on its own.
TEST_F(PanelsGroupsTest, GroupsPassTheirThemeToItemsWhichTakeClickFocus) {
  auto *group = make<TkwoRadioGroup>(form.get());
  group->setItems({"a", "b"});
  EXPECT_EQ(group->focusPolicy(), Qt::TabFocus);
  for (int i = 0; i < group->buttonCount(); ++i) EXPECT_EQ(group->button(i)->focusPolicy(), Qt::ClickFocus) << i;

  group->setItemCursor(Qt::PointingHandCursor);
  group->setColor(platform::RGB(1, 2, 3));
  group->button(1)->setCursor(Qt::ArrowCursor);
  group->button(1)->setTransparent(true);
  group->setUIStyle(TkwoUIStyle::BlueGlass);
  for (int i = 0; i < group->buttonCount(); ++i) {
    TkwoCheckBox *b = group->button(i);
    EXPECT_EQ(b->uiStyle(), TkwoUIStyle::BlueGlass) << i;
    EXPECT_EQ(b->color(), platform::RGB(1, 2, 3)) << i;
    EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor) << i;
    EXPECT_EQ(b->transparent(), group->transparent()) << i;
  }

  group->button(0)->setEnabled(false);
  group->setEnabled(false);
  group->setEnabled(true);
  EXPECT_TRUE(group->button(0)->isEnabled());
  EXPECT_TRUE(group->button(1)->isEnabled());

  // The same under a disabled parent, where nothing reads as enabled
  // until the parent is enabled again.
  auto *host = make<ui::Panel>(form.get());
  group->setParentControl(host);
  group->button(0)->setEnabled(false);
  host->setEnabled(false);
  group->setEnabled(false);
  group->setEnabled(true);
  host->setEnabled(true);
  EXPECT_TRUE(group->isEnabled());
  EXPECT_TRUE(group->button(0)->isEnabled());
  EXPECT_TRUE(group->button(1)->isEnabled());

  // A box inside another passes it on in turn.
  auto *outer = make<TkwoGroupBox>(host);
  auto *inner = make<TkwoGroupBox>(outer);
  auto *deep = make<TkwoCheckBox>(inner);
  deep->setEnabled(false);
  host->setEnabled(false);
  outer->setEnabled(false);
  outer->setEnabled(true);
  host->setEnabled(true);
  EXPECT_TRUE(deep->isEnabled());
}

}  // namespace
}  // namespace kwo
