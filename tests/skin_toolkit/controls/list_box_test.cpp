// The skinned list box: its items, its two-line frame and the look's
// border colour; and the list box underneath keeping indexes in bounds.
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "skin_toolkit/controls/kwo_list_box.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/rules/scroll_bar_logic.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

class ListBoxTest : public testsupport::UiTest {};

TEST_F(ListBoxTest, ItemsAndIndexesStayInBounds) {
  TkwoListBox list(nullptr);
  list.addItem("b");
  list.insertItem(-5, "a");
  list.insertItem(99, "c");
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.item(0), "a");
  EXPECT_EQ(list.item(2), "c");
  EXPECT_EQ(list.item(3), "");
  EXPECT_EQ(list.item(-1), "");

  EXPECT_EQ(list.itemIndex(), -1);
  list.setItemIndex(1);
  EXPECT_EQ(list.itemIndex(), 1);
  list.setItemIndex(7);
  EXPECT_EQ(list.itemIndex(), -1);

  list.deleteItem(3);
  list.deleteItem(-1);
  EXPECT_EQ(list.count(), 3);
  list.deleteItem(0);
  EXPECT_EQ(list.item(0), "b");
  list.clear();
  EXPECT_EQ(list.count(), 0);
}

TEST_F(ListBoxTest, TwoLineFrameInTheLooksBorderColourAndTheListColour) {
  TkwoListBox list(nullptr);
  EXPECT_EQ(list.borderWidth(), 2);
  EXPECT_FALSE(list.borderSingle());
  list.setUIStyle(TkwoUIStyle::DeepBlue);
  EXPECT_EQ(list.borderColor(), GetBuiltInThemeColor(TkwoUIStyle::DeepBlue, tiControlBorderColor));
  list.setUIStyle(TkwoUIStyle::BlueGlass);
  EXPECT_EQ(list.borderColor(), GetBuiltInThemeColor(TkwoUIStyle::BlueGlass, tiControlBorderColor));

  list.setBorderColor(platform::RGB(200, 0, 0));
  list.setColor(platform::RGB(0, 0, 200));
  list.setBounds(0, 0, 100, 60);
  list.addItem("Screen");
  // The list widget sits two pixels in.
  EXPECT_EQ(list.widget()->geometry(), QRect(2, 2, 96, 56));
  const QImage image = list.grab().toImage();
  for (QPoint p : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 59), QPoint(99, 59), QPoint(50, 0)}) {
    EXPECT_EQ(image.pixelColor(p), QColor(200, 0, 0)) << p.x() << "," << p.y();
  }
  for (QPoint p : {QPoint(1, 1), QPoint(98, 1), QPoint(1, 58), QPoint(98, 58), QPoint(1, 30)}) {
    EXPECT_EQ(image.pixelColor(p), QColor(0, 0, 200)) << p.x() << "," << p.y();
  }
  // The list's own background is the same Color.
  EXPECT_EQ(image.pixelColor(90, 50), QColor(0, 0, 200));
}

// A shown form with a list box and a skinned bar beside it, as a window
// places them.
class ListBoxScrollTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(50, 50, 400, 400);
    list = new TkwoListBox(form.get());
    list->setParentControl(form.get());
    list->setBounds(10, 10, 200, 150);
    bar = new TkwoScrollBar(form.get());
    bar->setParentControl(form.get());
    bar->setUIStyle(TkwoUIStyle::BlueGlass);
    form->show();
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  void fill(int rows) {
    for (int i = 0; i < rows; ++i) list->addItem(QString::number(i));
    testsupport::processEvents();
  }
  QScrollBar *native() const { return list->widget()->verticalScrollBar(); }
  // The skinned bar mirrors the native one.
  void expectInStep() const {
    EXPECT_EQ(bar->max(), native()->maximum());
    EXPECT_EQ(bar->min(), native()->minimum());
    EXPECT_EQ(bar->position(), native()->value());
  }

  std::unique_ptr<ui::Form> form;
  TkwoListBox *list = nullptr;
  TkwoScrollBar *bar = nullptr;
};

TEST_F(ListBoxScrollTest, TheBarLiesOverTheListsRightEdge) {
  list->setVScrollBar(bar);
  EXPECT_TRUE(bar->vertical());
  EXPECT_EQ(bar->geometry(), QRect(10 + 200 - bar->width() - 2, 11, bar->width(), 148));
  list->setBounds(30, 40, 150, 100);
  EXPECT_EQ(bar->geometry(), QRect(30 + 150 - bar->width() - 2, 41, bar->width(), 98));
  // A bar wider than the list starts at the list's left.
  list->setBounds(30, 40, bar->width() - 1, 100);
  EXPECT_EQ(bar->left(), 30);
}

TEST_F(ListBoxScrollTest, AListThatFitsHidesAndDisablesTheBar) {
  list->setVScrollBar(bar);
  fill(2);
  EXPECT_FALSE(bar->visible());
  EXPECT_FALSE(bar->isEnabled());
  EXPECT_EQ(bar->lineButton(), 0);

  fill(100);
  EXPECT_TRUE(bar->visible());
  EXPECT_TRUE(bar->isEnabled());
  expectInStep();
  EXPECT_GT(native()->maximum(), 0);
  // The skinned thumb takes the native thumb's length.
  EXPECT_GE(bar->lineButton(), kMinLineButton);

  // Cleared: hidden at once, before any deferred layout.
  list->clear();
  EXPECT_FALSE(bar->visible());
  EXPECT_FALSE(bar->isEnabled());
  EXPECT_EQ(bar->lineButton(), 0);
}

TEST_F(ListBoxScrollTest, WheelAndKeysMoveTheBarToTheTopRow) {
  list->setVScrollBar(bar);
  fill(100);
  QWidget *viewport = list->widget()->viewport();
  QWheelEvent wheel(QPointF(20, 20), viewport->mapToGlobal(QPointF(20, 20)), {}, QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(viewport, &wheel);
  testsupport::processEvents();
  EXPECT_GT(native()->value(), 0);
  expectInStep();

  list->widget()->setFocus();
  QTest::keyClick(list->widget(), Qt::Key_End);
  testsupport::processEvents();
  EXPECT_EQ(native()->value(), native()->maximum());
  expectInStep();
  QTest::keyClick(list->widget(), Qt::Key_Home);
  testsupport::processEvents();
  EXPECT_EQ(bar->position(), 0);
}

TEST_F(ListBoxScrollTest, MovingTheSkinnedThumbScrollsTheList) {
  list->setVScrollBar(bar);
  fill(100);
  int changes = 0;
  QObject::connect(native(), &QScrollBar::valueChanged, [&changes] { ++changes; });
  // A drag of the thumb halfway down the track.
  TkwoScrollTrackBar *track = bar->track();
  const QRect thumb = track->sliderRect();
  QTest::mousePress(track, Qt::LeftButton, {}, thumb.center());
  const QPointF to(thumb.center().x(), track->height() / 2);
  QMouseEvent move(QEvent::MouseMove, to, track->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(track, &move);
  QTest::mouseRelease(track, Qt::LeftButton, {}, QPoint(thumb.center().x(), track->height() / 2));
  testsupport::processEvents();
  EXPECT_GT(native()->value(), 0);
  expectInStep();
  // One scroll for the one move: the resync does not echo back.
  EXPECT_EQ(changes, 1);
}

TEST_F(ListBoxScrollTest, PositionsPastSixteenBitsReachTheList) {
  list->setBounds(10, 10, 200, 100);
  list->setVScrollBar(bar);
  fill(70000);
  ASSERT_GT(native()->maximum(), 69990);
  bar->setPosition(69990);
  EXPECT_EQ(native()->value(), 69990);
  expectInStep();
}

TEST_F(ListBoxScrollTest, HidingAndDisablingTheListTakeTheBarAlong) {
  list->setVScrollBar(bar);
  fill(100);
  ASSERT_TRUE(bar->visible());
  list->setVisible(false);
  EXPECT_FALSE(bar->visible());
  list->setVisible(true);
  testsupport::processEvents();
  EXPECT_TRUE(bar->visible());

  list->setEnabled(false);
  EXPECT_FALSE(bar->visible());
  EXPECT_FALSE(bar->isEnabled());
  list->setEnabled(true);
  EXPECT_TRUE(bar->visible());
  EXPECT_TRUE(bar->isEnabled());
}

TEST_F(ListBoxScrollTest, ReplacingTheBarRestoresTheOldOne) {
  list->setVScrollBar(bar);
  fill(2);
  ASSERT_FALSE(bar->isEnabled());
  auto *other = new TkwoScrollBar(form.get());
  other->setParentControl(form.get());
  list->setVScrollBar(other);
  EXPECT_EQ(list->vScrollBar(), other);
  EXPECT_EQ(bar->lineButton(), 0);
  EXPECT_EQ(bar->max(), 100);
  EXPECT_TRUE(bar->isEnabled());
  EXPECT_FALSE(bar->OnChange);
  // The released bar no longer moves the list, nor follows it.
  fill(100);
  bar->setPosition(50);
  EXPECT_EQ(native()->value(), other->position());

  // A bar destroyed while assigned leaves the list without one.
  delete other;
  EXPECT_EQ(list->vScrollBar(), nullptr);
  list->addItem("more");
}

TEST_F(ListBoxScrollTest, AListDestroyedBeforeItsBarLetsTheBarGo) {
  list->setVScrollBar(bar);
  fill(100);
  delete list;
  list = nullptr;
  EXPECT_FALSE(bar->OnChange);
  EXPECT_TRUE(bar->isEnabled());
  bar->setPosition(5);
  EXPECT_EQ(bar->position(), 5);
}

TEST_F(ListBoxScrollTest, TheBarTakesTheListsLook) {
  list->setVScrollBar(bar);
  list->setUIStyle(TkwoUIStyle::DeepBlue);
  EXPECT_EQ(bar->uiStyle(), TkwoUIStyle::DeepBlue);
  // No skin loaded: FromThemeFile shows as DeepBlue.
  list->setUIStyle(TkwoUIStyle::FromThemeFile);
  EXPECT_EQ(bar->uiStyle(), TkwoUIStyle::DeepBlue);
  list->setUIStyle(TkwoUIStyle::WinXP);
  EXPECT_EQ(bar->uiStyle(), TkwoUIStyle::WinXP);
}

}  // namespace
}  // namespace kwo
