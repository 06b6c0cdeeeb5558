// The input-window rectangle on the offscreen platform: drags of each
// handle through the mouse, the hot zone and its cursor, the band, drags
// that lose the mouse, and what the rectangle paints.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "display_app/views/my_control.h"
#include "platform/ui/color.h"
#include "platform/ui/panel.h"
#include "tests/support/ui/ui_fixtures.h"

namespace morvit {
namespace {

class MyControlTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 400, 300);
    workspace = new ui::Panel(form.get());
    workspace->setParentControl(form.get());
    workspace->setPlain();
    workspace->setColor(platform::RGB(0, 0, 0));
    workspace->setBounds(0, 0, 380, 280);
    rect = new TMyControl(nullptr);
    rect->setParentControl(workspace);
    rect->setColor(platform::RGB(32, 128, 32));
    reset();
    rect->OnDimensionsChange = [this](ui::Control *sender) {
      EXPECT_EQ(sender, rect);
      ++dimensionEvents;
    };
    rect->OnDragEnd = [this](ui::Control *) { ++dragEnds; };
    rect->OnMouseDown = [this](ui::Control *, ui::MouseButton, ui::ShiftState, int, int) { ++mouseDowns; };
    form->show();
    QApplication::setActiveWindow(form.get());
    testsupport::processEvents();
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  // L, T, R, B = 16, 16, 144, 112.
  void reset() {
    rect->setImageX(16);
    rect->setImageY(16);
    rect->setImageWidth(128);
    rect->setImageHeight(96);
    dimensionEvents = dragEnds = mouseDowns = 0;
  }
  void drag(QPoint from, QPoint delta) {
    QTest::mouseMove(rect, from);
    QTest::mousePress(rect, Qt::LeftButton, {}, from);
    QTest::mouseMove(rect, from + delta);
    QTest::mouseRelease(rect, Qt::LeftButton, {}, from + delta);
  }
  QRect fields() const { return {rect->imageX(), rect->imageY(), rect->imageWidth(), rect->imageHeight()}; }

  std::unique_ptr<ui::Form> form;
  ui::Panel *workspace = nullptr;
  TMyControl *rect = nullptr;
  int dimensionEvents = 0;
  int dragEnds = 0;
  int mouseDowns = 0;
};

TEST_F(MyControlTest, EachHandleDraggedSetsTheFieldsAndTellsEachSetter) {
  EXPECT_EQ(rect->geometry(), QRect(14, 14, 132, 100));
  struct Case {
    QPoint grab;  // in the control; a handle, or the middle for a move
    QPoint delta;
    QRect expect;  // X, Y, W, H
    int events;
  } cases[] = {
      {{60, 50}, {0, 0}, {16, 16, 128, 96}, 2},
      {{129, 50}, {-300, 0}, {-156, 16, 172, 96}, 2},
      {{66, 97}, {0, -96}, {16, 16, 128, 0}, 2},
      {{129, 97}, {8, 4}, {16, 16, 136, 100}, 4},
      {{2, 2}, {200, 150}, {144, 112, 72, 54}, 4},
      {{129, 2}, {4, -4}, {16, 12, 132, 100}, 4},
  };
  rect->setSelected(true);
  for (const Case &c : cases) {
    reset();
    drag(c.grab, c.delta);
    EXPECT_EQ(fields(), c.expect) << c.grab.x() << "," << c.grab.y();
    EXPECT_EQ(dimensionEvents, c.events) << c.grab.x() << "," << c.grab.y();
    EXPECT_EQ(dragEnds, 1);
    EXPECT_FALSE(rect->dragging());
    EXPECT_FALSE(rect->bandShown());
  }
  // The control's bounds keep the 2-pixel margin.
  EXPECT_EQ(rect->geometry(), QRect(14, 10, 136, 104));
}

TEST_F(MyControlTest, HotZoneAndCursorFollowTheMouseOnlyWhenSelected) {
  rect->setSelected(true);
  QTest::mouseMove(rect, QPoint(129, 97));
  EXPECT_EQ(rect->hotZone(), hzBottomRight);
  EXPECT_EQ(rect->cursor().shape(), Qt::SizeFDiagCursor);
  QTest::mouseMove(rect, QPoint(66, 2));
  EXPECT_EQ(rect->cursor().shape(), Qt::SizeVerCursor);
  QTest::mouseMove(rect, QPoint(60, 50));
  EXPECT_EQ(rect->hotZone(), hzNone);
  EXPECT_EQ(rect->cursor().shape(), Qt::ArrowCursor);

  rect->setSelected(false);
  QTest::mouseMove(rect, QPoint(129, 97));
  EXPECT_EQ(rect->hotZone(), hzNone);
  EXPECT_EQ(rect->cursor().shape(), Qt::ArrowCursor);

  // Pressed at a corner while unselected, it moves.
  drag(QPoint(1, 1), QPoint(10, 5));
  EXPECT_EQ(fields(), QRect(26, 21, 128, 96));
  EXPECT_EQ(mouseDowns, 1);
}

TEST_F(MyControlTest, TheBandShowsTheNewRectangleWhileTheControlStays) {
  rect->setSelected(true);
  QTest::mouseMove(rect, QPoint(129, 97));
  QTest::mousePress(rect, Qt::LeftButton, {}, QPoint(129, 97));
  QTest::mouseMove(rect, QPoint(139, 77));
  ASSERT_TRUE(rect->dragging());
  EXPECT_TRUE(rect->bandShown());
  const auto corners = rect->bandCorners();
  EXPECT_EQ(corners[0], (PlanePoint{16, 16}));
  EXPECT_EQ(corners[1], (PlanePoint{154, 92}));
  EXPECT_EQ(fields(), QRect(16, 16, 128, 96));
  // Moves during the drag keep the zone.
  EXPECT_EQ(rect->hotZone(), hzBottomRight);
  QTest::mouseRelease(rect, Qt::LeftButton, {}, QPoint(139, 77));
  EXPECT_EQ(fields(), QRect(16, 16, 138, 76));
}

TEST_F(MyControlTest, ADragThatLosesTheMouseAppliesNothing) {
  struct Loss {
    const char *what;
    std::function<void()> take;
  } losses[] = {
      {"hidden", [this] { rect->setVisible(false); }},
      {"grab taken", [this] {
         workspace->grabMouse();
         QTest::mouseMove(rect, QPoint(70, 60));
         workspace->releaseMouse();
       }},
      {"other input", [this] { QTest::mouseMove(workspace, QPoint(300, 250)); }},
      {"window deactivated", [this] {
         ui::Form other(nullptr);
         other.setBounds(600, 100, 100, 100);
         other.show();
         QApplication::setActiveWindow(&other);
         testsupport::processEvents();
         QApplication::setActiveWindow(form.get());
         testsupport::processEvents();
       }},
      {"application deactivated", [] {
         QEvent deactivate(QEvent::ApplicationDeactivate);
         QApplication::sendEvent(qApp, &deactivate);
       }},
  };
  for (const Loss &loss : losses) {
    rect->setVisible(true);
    reset();
    QTest::mouseMove(rect, QPoint(60, 50));
    QTest::mousePress(rect, Qt::LeftButton, {}, QPoint(60, 50));
    QTest::mouseMove(rect, QPoint(80, 70));
    ASSERT_TRUE(rect->dragging()) << loss.what;
    loss.take();
    EXPECT_FALSE(rect->dragging()) << loss.what;
    EXPECT_FALSE(rect->bandShown()) << loss.what;
    rect->setVisible(true);
    QTest::mouseRelease(rect, Qt::LeftButton, {}, QPoint(90, 80));
    EXPECT_EQ(fields(), QRect(16, 16, 128, 96)) << loss.what;
    EXPECT_EQ(dimensionEvents, 0) << loss.what;
    EXPECT_EQ(dragEnds, 0) << loss.what;
  }

  // Freed during a drag.
  QTest::mousePress(rect, Qt::LeftButton, {}, QPoint(60, 50));
  ASSERT_TRUE(rect->dragging());
  delete rect;
  rect = nullptr;
  testsupport::processEvents();
}

TEST_F(MyControlTest, OtherButtonsTellOnlyAndADoubleClickDragsOnce) {
  QTest::mouseClick(rect, Qt::RightButton, {}, QPoint(60, 50));
  EXPECT_EQ(mouseDowns, 1);
  EXPECT_EQ(dragEnds, 0);
  EXPECT_EQ(dimensionEvents, 0);

  // A double click as the platform delivers it: press, release, press,
  // double click, release.
  const QPoint p(60, 50);
  QTest::mousePress(rect, Qt::LeftButton, {}, p);
  QTest::mouseRelease(rect, Qt::LeftButton, {}, p);
  QTest::mousePress(rect, Qt::LeftButton, {}, p);
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(p), QPointF(rect->mapToGlobal(p)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(rect, &dbl);
  EXPECT_FALSE(rect->dragging());
  QTest::mouseRelease(rect, Qt::LeftButton, {}, p + QPoint(5, 5));
  EXPECT_EQ(mouseDowns, 3);
  EXPECT_EQ(dragEnds, 1);
  EXPECT_EQ(fields(), QRect(16, 16, 128, 96));
}

TEST_F(MyControlTest, PaintsTheColourInsideTheParentInTheMarginAndMaroonWhenSelected) {
  const QColor fill(32, 128, 32), black(0, 0, 0), maroon(128, 0, 0);
  QImage img = workspace->grab().toImage();
  EXPECT_EQ(img.pixelColor(100, 80), fill);
  EXPECT_EQ(img.pixelColor(15, 60), black);   // margin
  EXPECT_EQ(img.pixelColor(16, 60), black);   // outline
  EXPECT_EQ(img.pixelColor(14, 14), black);   // no handle
  rect->setSelected(true);
  img = workspace->grab().toImage();
  EXPECT_EQ(img.pixelColor(100, 80), fill);
  EXPECT_EQ(img.pixelColor(15, 30), black);
  EXPECT_EQ(img.pixelColor(16, 30), maroon);  // outline
  EXPECT_EQ(img.pixelColor(14, 14), maroon);  // top-left handle
  EXPECT_EQ(img.pixelColor(145, 113), maroon);  // bottom-right handle
}

}  // namespace
}  // namespace morvit
