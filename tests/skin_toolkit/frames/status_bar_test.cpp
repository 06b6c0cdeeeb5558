// The skinned status bar: its colour, grip and mouse, and the size grip on
// the offscreen platform, where the window system cannot size a window
// itself.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <functional>
#include <memory>

#include "platform/ui/form.h"
#include "skin_toolkit/frames/kwo_form.h"
#include "skin_toolkit/frames/kwo_status_bar.h"
#include "tests/skin_toolkit/frames/form_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;

TEST_F(ToolkitTest, StatusBarColourGripAndMouse) {
  auto form = makeForm(300, 200);
  auto *frame = new TkwoForm(form.get());
  frame->setUIStyle(S::MacOS);
  auto *bar = new TkwoStatusBar(form.get());
  bar->setParentControl(frame);
  EXPECT_EQ(bar->uiStyle(), S::MacOS);
  EXPECT_EQ(bar->panelColor(), platform::RGB(231, 231, 231));
  bar->setPanelColor(platform::RGB(1, 2, 3));
  EXPECT_EQ(bar->color(), platform::RGB(1, 2, 3));
  bar->setUIStyle(S::WinXP);
  EXPECT_EQ(bar->panelColor(), platform::RGB(239, 235, 222));
  ASSERT_EQ(bar->height(), 19);

  // Sizeable form: the box and the grip lines, no strip above a 19-high bar.
  StatusGripPlan plan = bar->gripPlan();
  EXPECT_EQ(plan.fills.size(), 1u);
  EXPECT_EQ(plan.lines.size(), 4u);

  int presses = 0;
  bar->OnMouseDown = [&](ui::Control *, ui::MouseButton, ui::ShiftState, int, int) { ++presses; };
  form->show();
  QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(presses, 1);

  // Maximised: the box stays, the lines go, and the mouse reaches nothing.
  form->setWindowState(ui::WindowState::Maximized);
  EXPECT_TRUE(bar->mouseBlocked());
  plan = bar->gripPlan();
  EXPECT_EQ(plan.fills.size(), 1u);
  EXPECT_TRUE(plan.lines.empty());
  QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(presses, 1);
  form->hide();

  // A fixed border: nothing of the bar's own.
  auto fixed = makeForm(300, 200);
  fixed->setBorderStyle(ui::BorderStyle::Dialog);
  auto *plainBar = new TkwoStatusBar(fixed.get());
  plainBar->setParentControl(fixed.get());
  EXPECT_EQ(plainBar->gripPlan(), StatusGripPlan{});
}

// --- The size grip ---

class BarsTest : public testsupport::UiTest {};

class GripTest : public BarsTest {
 protected:
  void SetUp() override {
    BarsTest::SetUp();
    build();
  }
  void TearDown() override {
    form.reset();
    BarsTest::TearDown();
  }

  // A fresh skinned form, as the main window has it: the bar in the frame.
  void build() {
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 80, 300, 200);
    frame = new TkwoForm(form.get());
    bar = new TkwoStatusBar(form.get());
    bar->setParentControl(frame);
  }

  // A left-button drag on the bar from press by delta, the button held
  // throughout, then released.
  void drag(QPoint press, QPoint delta) {
    const QPoint global = bar->mapToGlobal(press);
    QTest::mousePress(bar, Qt::LeftButton, {}, press);
    QMouseEvent move(QEvent::MouseMove, QPointF(press + delta), QPointF(global + delta), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, press + delta);
  }
  QPoint grip() const { return {bar->width() - 4, bar->height() - 4}; }

  std::unique_ptr<ui::Form> form;
  TkwoForm *frame = nullptr;
  TkwoStatusBar *bar = nullptr;
};

TEST_F(GripTest, DragOnTheGripSizesTheFormWhereThePlatformCannot) {
  form->show();
  const QRect start = form->geometry();
  drag(grip(), QPoint(30, 20));
  EXPECT_EQ(form->geometry(), QRect(start.topLeft(), start.size() + QSize(30, 20)));
  EXPECT_FALSE(form->moveArmed());
  // After the release a move sizes nothing.
  const QRect after = form->geometry();
  QMouseEvent move(QEvent::MouseMove, QPointF(grip()), QPointF(bar->mapToGlobal(grip()) + QPoint(50, 50)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(bar, &move);
  EXPECT_EQ(form->geometry(), after);
  // The form's limits hold during the drag.
  form->setConstraints({130, 50, 0, 0});
  drag(grip(), QPoint(-1000, -1000));
  EXPECT_EQ(form->size(), QSize(130, 50));
}

TEST_F(GripTest, OnlyTheGripOfASizeableFormSizes) {
  const struct {
    const char *name;
    std::function<void(ui::Form &, TkwoStatusBar &)> setUp;
    bool outsideGrip;
  } cases[] = {
      {"press beside the grip", [](ui::Form &, TkwoStatusBar &) {}, true},
      {"grip switched off", [](ui::Form &, TkwoStatusBar &bar) { bar.setSizeGrip(false); }, false},
      {"fixed border", [](ui::Form &form, TkwoStatusBar &) { form.setBorderStyle(ui::BorderStyle::Dialog); }, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    build();
    c.setUp(*form, *bar);
    form->show();
    const QRect start = form->geometry();
    drag(c.outsideGrip ? QPoint(10, 10) : grip(), QPoint(30, 20));
    EXPECT_EQ(form->geometry(), start);
  }
}

}  // namespace
}  // namespace kwo
