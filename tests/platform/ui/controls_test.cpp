// Controls and components: ownership and removal notices, the own Visible
// flag, the ordered child list, colours and fonts from the parent, timers,
// the application's exception guard and key hook.
#include <QKeyEvent>
#include <QPainter>
#include <QTest>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

#include "platform/ui/application.h"
#include "platform/ui/color.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/timer.h"
#include "tests/support/ui/ui_fixtures.h"

namespace {

using testsupport::UiTest;

class ControlsTest : public UiTest {};

TEST_F(ControlsTest, OwnerFreesWhatItStillOwnsAndWatchersAreTold) {
  auto *owner = new ui::Panel(nullptr);
  auto *owned = new ui::Timer(owner);
  auto *child = new ui::Panel(owner);
  EXPECT_EQ(owner->componentCount(), 2);
  QPointer<ui::Timer> ownedWatch(owned);
  QPointer<ui::Panel> childWatch(child);

  // A reference that is not owned is cleared when its target goes.
  ui::Panel holder(nullptr);
  auto *menu = new ui::PopupMenu(nullptr);
  holder.setPopupMenu(menu);
  delete menu;
  EXPECT_EQ(holder.popupMenu(), nullptr);

  // Freed by hand: it leaves its owner's list.
  delete owned;
  EXPECT_EQ(owner->componentCount(), 1);
  delete owner;
  EXPECT_TRUE(childWatch.isNull());
  EXPECT_TRUE(ownedWatch.isNull());
}

class DestroyProbe : public ui::Panel {
 public:
  DestroyProbe(ui::Component *owner, bool *sawDestroying) : ui::Panel(owner), saw_(sawDestroying) {}
  ~DestroyProbe() override {
    beginDestroy();
    *saw_ = isDestroying();
  }

 private:
  bool *saw_;
};

TEST_F(ControlsTest, LoadingGuardKeepsChangeEventsQuietAndLoadedRunsOnce) {
  ui::Panel root(nullptr);
  auto *list = new ui::ListView(&root);
  list->setParentControl(&root);
  int changes = 0;
  list->OnChange = [&](ui::ListView *, int) { ++changes; };
  {
    ui::LoadingGuard guard(root);
    EXPECT_TRUE(list->isLoading());
    list->addItem("a");
    list->setItemIndex(0);
  }
  EXPECT_FALSE(list->isLoading());
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(list->itemIndex(), 0);
  list->setItemIndex(-1);
  EXPECT_EQ(changes, 1);

  bool sawDestroying = false;
  delete new DestroyProbe(nullptr, &sawDestroying);
  EXPECT_TRUE(sawDestroying);
}

TEST_F(ControlsTest, ReparentingKeepsVisibleAndChildOrderIsOurs) {
  ui::Form first(nullptr);
  ui::Form second(nullptr);
  first.setBounds(0, 0, 200, 100);
  second.setBounds(0, 0, 200, 100);
  first.show();
  second.show();

  auto *shown = new ui::Panel(&first);
  auto *hidden = new ui::Panel(&first);
  hidden->setVisible(false);
  shown->setParentControl(&first);
  hidden->setParentControl(&first);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_TRUE(hidden->isHidden());

  // Qt hides a shown widget when it changes parents; our flag brings it back.
  shown->setParentControl(&second);
  hidden->setParentControl(&second);
  EXPECT_TRUE(shown->visible());
  EXPECT_FALSE(shown->isHidden());
  EXPECT_TRUE(shown->isVisible());
  EXPECT_FALSE(hidden->visible());
  EXPECT_TRUE(hidden->isHidden());
  EXPECT_EQ(first.controlCount(), 0);
  ASSERT_EQ(second.controlCount(), 2);
  EXPECT_EQ(second.control(0), shown);
  EXPECT_EQ(second.control(1), hidden);

  // Visible set while unparented holds once parented.
  auto *later = new ui::Panel(&first);
  later->setVisible(false);
  later->setParentControl(&second);
  EXPECT_TRUE(later->isHidden());

  later->sendToBack();
  EXPECT_EQ(second.control(0), later);
  shown->bringToFront();
  EXPECT_EQ(second.control(2), shown);
  EXPECT_EQ(second.control(3), nullptr);
  EXPECT_EQ(second.control(-1), nullptr);

  // A control cannot become its own descendant.
  auto *inner = new ui::Panel(&first);
  inner->setParentControl(shown);
  shown->setParentControl(inner);
  EXPECT_EQ(shown->parentControl(), &second);
}

TEST_F(ControlsTest, ColourAndFontFollowTheParentUntilSetOwn) {
  EXPECT_EQ(ui::toQColor(0x00332211), QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(ui::toQColor(platform::clAppWorkSpace), QColor(171, 171, 171));
  EXPECT_FALSE(ui::toQColor(platform::clNone).isValid());

  ui::Panel parent(nullptr);
  auto *child = new ui::Panel(&parent);
  child->setParentColor(true);
  child->setParentControl(&parent);
  parent.setColor(0x00E7E7E7);
  EXPECT_EQ(child->color(), 0x00E7E7E7);
  child->setColor(platform::clWindow);
  EXPECT_FALSE(child->parentColor());
  parent.setColor(0x000000FF);
  EXPECT_EQ(child->color(), platform::clWindow);

  ui::Font font;
  font.name = "Tahoma";
  font.height = 13;
  font.bold = true;
  font.color = 0x00FFFFFF;
  parent.setControlFont(font);
  EXPECT_EQ(child->controlFont(), font);
  EXPECT_EQ(child->font().pixelSize(), 13);
  EXPECT_TRUE(child->font().bold());

  ui::Font points;
  points.size = 10;
  EXPECT_EQ(ui::toQFont(points).pointSize(), 10);
}

TEST_F(ControlsTest, TimersWithoutAPositiveIntervalNeverFire) {
  struct Case {
    int interval;
    bool fires;
  };
  for (const Case c : {Case{0, false}, Case{-5, false}, Case{20, true}}) {
    ui::Timer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](ui::Timer *) { ++ticks; };
    timer.setInterval(c.interval);
    timer.setEnabled(true);
    EXPECT_EQ(timer.running(), c.fires) << c.interval;
    QTest::qWait(100);
    if (c.fires) {
      EXPECT_GE(ticks, 1) << c.interval;
    } else {
      EXPECT_EQ(ticks, 0) << c.interval;
    }
    // A stopped timer's tick does nothing.
    timer.stop();
    const int before = ticks;
    timer.tick();
    EXPECT_EQ(ticks, before);
  }
}

TEST_F(ControlsTest, TimerFreedInsideItsOwnTickFiresNoMore) {
  auto *timer = new ui::Timer(nullptr);
  timer->setInterval(5);
  int ticks = 0;
  timer->OnTimer = [&](ui::Timer *t) {
    ++ticks;
    delete t;
  };
  QPointer<ui::Timer> watch(timer);
  ASSERT_TRUE(testsupport::waitFor([&] { return watch.isNull(); }, 2000));
  QTest::qWait(30);
  EXPECT_EQ(ticks, 1);
}

TEST_F(ControlsTest, ExceptionFromAHandlerIsShownAndTheLoopGoesOn) {
  testsupport::MessageBoxScript boxes;
  boxes.answer(ui::IDOK);
  ui::Application *app = ui::Application::instance();
  ASSERT_NE(app, nullptr);

  ui::Timer failing(nullptr);
  failing.setInterval(5);
  failing.OnTimer = [](ui::Timer *t) {
    t->stop();
    throw std::runtime_error("x");
  };
  ASSERT_TRUE(testsupport::waitFor([&] { return !boxes.shown().empty(); }, 2000));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "x");
  EXPECT_EQ(boxes.shown()[0].caption, app->title());

  // The next event still runs.
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  EXPECT_TRUE(testsupport::waitFor([&] { return ran; }, 2000));

  // A handler run through a control's event (a click) is caught alike.
  app->setTitle("Morvit");
  boxes.answer(ui::IDOK);
  ui::Panel panel(nullptr);
  panel.OnResize = [](ui::Control *) { throw std::logic_error("resize failed"); };
  QTimer::singleShot(0, [&] { panel.setBounds(0, 0, 50, 50); });
  ASSERT_TRUE(testsupport::waitFor([&] { return boxes.shown().size() == 2; }, 2000));
  EXPECT_EQ(boxes.shown()[1].text, "resize failed");
  EXPECT_EQ(boxes.shown()[1].caption, "Morvit");
  app->setTitle(QString());
}

TEST_F(ControlsTest, KeyHookBelongsToWhoeverInstalledIt) {
  ui::Application *app = ui::Application::instance();
  int first = 0;
  int second = 0;
  const int a = 0, b = 0;
  EXPECT_TRUE(app->installMessageHook(&a, [&](QKeyEvent &) { return ++first, true; }));
  EXPECT_FALSE(app->installMessageHook(&b, [&](QKeyEvent &) { return ++second, true; }));
  app->removeMessageHook(&b);  // not b's to remove
  EXPECT_TRUE(app->hasMessageHook());

  ui::Form form(nullptr);
  auto *panel = new ui::Panel(&form);
  panel->setParentControl(&form);
  int keys = 0;
  struct KeyCounter : QObject {
    int *count;
    bool eventFilter(QObject *, QEvent *e) override {
      if (e->type() == QEvent::KeyPress) ++*count;
      return false;
    }
  } counter;
  counter.count = &keys;
  form.installEventFilter(&counter);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
  QApplication::sendEvent(&form, &press);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(keys, 0);  // handled: consumed

  app->removeMessageHook(&a);
  EXPECT_FALSE(app->hasMessageHook());
  QKeyEvent again(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
  QApplication::sendEvent(&form, &again);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(keys, 1);
  EXPECT_EQ(second, 0);
}

TEST_F(ControlsTest, StatusBarPanelsAndOwnerDrawingResetTheFontColour) {
  ui::StatusBar bar(nullptr);
  bar.setBounds(0, 0, 400, 19);
  ui::Font font = bar.controlFont();
  font.color = 0x000000FF;  // red
  bar.setControlFont(font);
  bar.addPanel({64, "", true});
  bar.addPanel({64, "", true});
  bar.addPanel({128, "text", false});
  bar.setPanelText(7, "ignored");
  EXPECT_EQ(bar.panel(7).text, "");
  EXPECT_EQ(bar.panelRect(1).left(), bar.panelRect(0).right() + 3);
  EXPECT_EQ(bar.panelRect(2).right(), 399);

  std::vector<QColor> pens;
  std::vector<int> drawn;
  bar.OnDrawPanel = [&](ui::StatusBar *, int index, QPainter &painter, const QRect &) {
    pens.push_back(painter.pen().color());
    drawn.push_back(index);
    painter.setPen(Qt::green);  // must not leak into the next panel
  };
  bar.grab();
  EXPECT_EQ(drawn, (std::vector<int>{0, 1}));
  ASSERT_EQ(pens.size(), 2u);
  EXPECT_EQ(pens[0], QColor(255, 0, 0));
  EXPECT_EQ(pens[1], QColor(255, 0, 0));
}

TEST_F(ControlsTest, ImageListDrawsByIndexAndGreysDisabled) {
  ui::ImageList images(nullptr);
  images.setSize(4, 4);
  QPixmap red(4, 4);
  red.fill(Qt::red);
  EXPECT_EQ(images.add(red), 0);
  QImage canvas(8, 4, QImage::Format_ARGB32);
  canvas.fill(Qt::white);
  {
    QPainter p(&canvas);
    images.draw(p, 0, 0, 0, true);
    images.draw(p, 4, 0, 0, false);
    images.draw(p, 4, 0, 5, true);  // no such picture: nothing
  }
  EXPECT_EQ(QColor(canvas.pixel(1, 1)), QColor(255, 0, 0));
  const QColor grey(canvas.pixel(5, 1));
  EXPECT_EQ(grey.red(), grey.green());
  EXPECT_EQ(grey.green(), grey.blue());
}

TEST_F(ControlsTest, ListViewTellsOfSelectionChanges) {
  ui::ListView view(nullptr);
  std::vector<int> seen;
  view.OnChange = [&](ui::ListView *, int index) { seen.push_back(index); };
  view.addItem("Pellmar Screen1", 0);
  view.setItemIndex(0);
  view.setItemIndex(0);  // no change
  view.setItemIndex(5);  // out of range: nothing selected
  view.clearItems();
  view.addItem("again", 0);
  view.setItemIndex(0);
  EXPECT_EQ(seen, (std::vector<int>{0, -1, 0}));
  EXPECT_EQ(view.item(0).caption, "again");
  EXPECT_EQ(view.item(3).caption, "");
}

}  // namespace
