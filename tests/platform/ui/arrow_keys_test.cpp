// Arrow keys that the focused control leaves alone move the focus among its
// siblings in tab order; focus changes reach every control with the one
// that had the focus.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/ui/button.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/panel.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

using testsupport::pressKey;

// A control that takes the focus and no keys of its own.
class Focusable : public ui::Control {
 public:
  explicit Focusable(ui::Component *owner) : ui::Control(owner) { setFocusPolicy(Qt::StrongFocus); }
};

// Records the focus changes a control is told of.
class Watcher : public ui::Control {
 public:
  using ui::Control::Control;
  void focusChanged(ui::Control *focused, ui::Control *previous) override {
    seen.push_back({focused, previous});
    ui::Control::focusChanged(focused, previous);
  }
  std::vector<std::pair<ui::Control *, ui::Control *>> seen;
};

class ArrowKeysTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(50, 50, 400, 300);
    panel = new ui::Panel(form.get());
    panel->setParentControl(form.get());
    panel->setBounds(0, 0, 300, 200);
    for (int i = 0; i < 4; ++i) {
      auto *b = new Focusable(form.get());
      b->setParentControl(panel);
      b->setBounds(10, 10 + 30 * i, 80, 24);
      b->setCaption(QString("b%1").arg(i));
      buttons.push_back(b);
    }
    outside = new Focusable(form.get());
    outside->setParentControl(form.get());
    outside->setBounds(310, 10, 80, 24);
    form->show();
    QApplication::setActiveWindow(form.get());
    testsupport::processEvents();
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  // Presses the key where the focus is and tells which button has it then.
  int press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    pressKey(QApplication::focusWidget(), key, mods);
    testsupport::processEvents();
    for (size_t i = 0; i < buttons.size(); ++i) {
      if (buttons[i]->hasFocus()) return static_cast<int>(i);
    }
    return outside->hasFocus() ? 100 : -1;
  }

  std::unique_ptr<ui::Form> form;
  ui::Panel *panel = nullptr;
  std::vector<ui::Control *> buttons;
  ui::Control *outside = nullptr;
};

TEST_F(ArrowKeysTest, MovesAmongSiblingsInTabOrderAndWraps) {
  buttons[0]->setFocus();
  EXPECT_EQ(press(Qt::Key_Right), 1);
  EXPECT_EQ(press(Qt::Key_Down), 2);
  EXPECT_EQ(press(Qt::Key_Down), 3);
  EXPECT_EQ(press(Qt::Key_Right), 0);  // wraps, and stays inside the panel
  EXPECT_EQ(press(Qt::Key_Left), 3);
  EXPECT_EQ(press(Qt::Key_Up), 2);

  // Tab order, not the order of creation.
  QWidget::setTabOrder(buttons[2], buttons[0]);
  EXPECT_EQ(press(Qt::Key_Right), 0);
}

TEST_F(ArrowKeysTest, PassesOverSiblingsThatCannotTakeTheFocus) {
  buttons[1]->setEnabled(false);
  buttons[2]->setVisible(false);
  buttons[0]->setFocus();
  EXPECT_EQ(press(Qt::Key_Right), 3);
  EXPECT_EQ(press(Qt::Key_Left), 0);
  // Tab passing a control by does not keep the arrows away.
  buttons[3]->setFocusPolicy(Qt::ClickFocus);
  EXPECT_EQ(press(Qt::Key_Left), 3);
  // Alone among its siblings, the focus stays.
  buttons[0]->setEnabled(false);
  buttons[3]->setEnabled(false);
  outside->setFocus();
  EXPECT_EQ(press(Qt::Key_Right), 100);
}

TEST_F(ArrowKeysTest, ControlsThatTakeArrowsAndModifiersKeepTheFocus) {
  auto *edit = new ui::Edit(form.get());
  edit->setParentControl(panel);
  edit->setBounds(150, 10, 100, 24);
  edit->setFocus();
  testsupport::processEvents();
  pressKey(QApplication::focusWidget(), Qt::Key_Right);
  EXPECT_TRUE(edit->hasFocus() || edit->isAncestorOf(QApplication::focusWidget()));

  buttons[0]->setFocus();
  EXPECT_EQ(press(Qt::Key_Right, Qt::AltModifier), 0);
  EXPECT_EQ(press(Qt::Key_Right, Qt::ControlModifier), 0);

  // A push button leaves the arrows to the form.
  auto *button = new ui::Button(form.get());
  button->setParentControl(panel);
  button->setBounds(150, 50, 80, 24);
  QWidget::setTabOrder(buttons[3], button);
  buttons[3]->setFocus();
  press(Qt::Key_Right);
  EXPECT_TRUE(button->isAncestorOf(QApplication::focusWidget()) || button->hasFocus());
  // On to the next sibling in tab order: the edit.
  press(Qt::Key_Right);
  EXPECT_TRUE(edit->isAncestorOf(QApplication::focusWidget()) || edit->hasFocus());
}

TEST_F(ArrowKeysTest, FocusChangesNameTheControlThatHadTheFocus) {
  auto *watcher = new Watcher(form.get());
  watcher->setParentControl(form.get());
  buttons[0]->setFocus();
  testsupport::processEvents();
  watcher->seen.clear();
  press(Qt::Key_Right);
  ASSERT_FALSE(watcher->seen.empty());
  EXPECT_EQ(watcher->seen.back().first, buttons[1]);
  EXPECT_EQ(watcher->seen.back().second, buttons[0]);
}

}  // namespace
