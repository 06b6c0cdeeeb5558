// The data-set navigator on an in-memory data set: what a click does and in
// which order, the enabling as the set moves and edits, the held repeat of
// Prior and Next, errors, hints, keys, the layout and destruction orders.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "skin_toolkit/controls/db_navigator.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "tests/support/ui/event_order.h"
#include "tests/support/ui/mem_data_set.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using B = TNavigateBtn;
using testsupport::EventOrder;
using testsupport::MemDataSet;

QStringList records(int n) {
  QStringList list;
  for (int i = 0; i < n; ++i) list << QString("r%1").arg(i);
  return list;
}

QString buttonName(B b) {
  static const char *names[] = {"first", "prior", "next", "last", "insert",
                                "delete", "edit", "post", "cancel", "refresh"};
  return names[static_cast<int>(b)];
}

class NavigatorTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 400, 200);
    set = new MemDataSet(form.get(), records(5));
    set->setLog(&log);
    source = new ui::DataSource(form.get());
    source->setDataSet(set);
    nav = new TkwoDBNavigator(form.get());
    nav->setParentControl(form.get());
    nav->setDataSource(source);
    nav->BeforeAction = [this](TkwoDBNavigator *, B b) { log.add("before:" + buttonName(b)); };
    nav->OnClick = [this](TkwoDBNavigator *, B b) { log.add("click:" + buttonName(b)); };
    form->show();
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }

  TkwoNavButton *btn(B b) const { return nav->button(b); }
  void press(B b) { QTest::mousePress(btn(b), Qt::LeftButton, {}, QPoint(5, 5)); }
  void release(B b) { QTest::mouseRelease(btn(b), Qt::LeftButton, {}, QPoint(5, 5)); }
  void click(B b) { QTest::mouseClick(btn(b), Qt::LeftButton, {}, QPoint(5, 5)); }
  // Which buttons are enabled, as ten 0/1 digits in row order.
  QString enabling() const {
    QString s;
    for (int i = 0; i < kNavigatorButtonCount; ++i) s += nav->button(static_cast<B>(i))->isEnabled() ? '1' : '0';
    return s;
  }

  std::unique_ptr<ui::Form> form;
  MemDataSet *set = nullptr;
  ui::DataSource *source = nullptr;
  TkwoDBNavigator *nav = nullptr;
  EventOrder log;
};

TEST_F(NavigatorTest, BuildsTenButtonsWithGlyphsAndDefaultHints) {
  EXPECT_EQ(nav->size(), QSize(250, 30));
  EXPECT_EQ(nav->dataSource(), source);
  const QImage strip = BuiltInBitmap("DBNAV_BUTTON");
  for (int i = 0; i < kNavigatorButtonCount; ++i) {
    TkwoNavButton *b = nav->button(static_cast<B>(i));
    EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(b->toolTip(), TkwoDBNavigator::defaultHints().at(i));
    EXPECT_EQ(b->repeats(), i == 1 || i == 2);
    EXPECT_EQ(b->height(), 30);
    const QImage frame = ExtractBitmapFrame(strip, kNavigatorButtonCount, i + 1);
    EXPECT_EQ(b->glyph().isNull(), frame.isNull()) << i;
    if (frame.isNull()) continue;
    const QImage glyph = b->glyph().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(glyph.size(), frame.size());
    EXPECT_EQ(qAlpha(glyph.pixel(0, 0)), 0) << "keyed on the top-left pixel";
    for (int y = 0; y < frame.height(); ++y) {
      for (int x = 0; x < frame.width(); ++x) {
        if (frame.pixel(x, y) != frame.pixel(0, 0)) {
          EXPECT_EQ(glyph.pixel(x, y) | 0xFF000000u, frame.pixel(x, y) | 0xFF000000u) << i;
        }
      }
    }
  }
  EXPECT_EQ(TkwoDBNavigator::defaultHints().size(), kNavigatorButtonCount);
  EXPECT_TRUE(nav->wantsKey(Qt::Key_Left, {}));
  EXPECT_TRUE(nav->wantsKey(Qt::Key_Right, {}));
  EXPECT_FALSE(nav->wantsKey(Qt::Key_Space, {}));
}

TEST_F(NavigatorTest, EnablingFollowsTheSet) {
  EXPECT_EQ(enabling(), "0000000000") << "closed";
  set->setActive(true);
  EXPECT_EQ(enabling(), "0011111001") << "open on the first of five";
  for (int i = 0; i < 4; ++i) click(B::nbNext);
  EXPECT_EQ(enabling(), "1111111001") << "on the last by Next";
  click(B::nbNext);
  EXPECT_EQ(enabling(), "1100111001") << "one more Next";
  click(B::nbEdit);
  EXPECT_EQ(enabling(), "1100110111") << "editing";
  click(B::nbCancel);
  set->setReadOnly(true);
  set->setActive(false);
  set->setActive(true);
  EXPECT_EQ(enabling(), "0011000000") << "read-only, on the first";
  source->setEnabled(false);
  EXPECT_EQ(enabling(), "0000000000") << "source disabled";
  source->setEnabled(true);
  set->setReadOnly(false);
  nav->setEnabled(false);
  nav->setEnabled(true);
  EXPECT_EQ(enabling(), "0011111001") << "navigator re-enabled";
  nav->setEnabled(false);
  EXPECT_EQ(enabling(), "0000000000");
  nav->setEnabled(true);

  // One record, then none.
  click(B::nbLast);
  for (int i = 0; i < 4; ++i) {
    click(B::nbFirst);
    set->remove();
  }
  EXPECT_EQ(set->recordCount(), 1);
  click(B::nbFirst);
  EXPECT_EQ(enabling(), "0011111001") << "one record, BOF";
  set->remove();
  EXPECT_EQ(enabling(), "0000101001") << "empty";
}

TEST_F(NavigatorTest, ClickLogsBeforeActionOperationAndClick) {
  nav->buttonAction(B::nbNext);  // closed: only OnClick
  nav->setDataSource(nullptr);
  nav->buttonAction(B::nbFirst);
  EXPECT_EQ(log.joined(), "click:next click:first");
  nav->setDataSource(source);
  set->setActive(true);
  log.clear();
  click(B::nbNext);
  click(B::nbInsert);
  click(B::nbPost);
  EXPECT_EQ(log.joined(), "before:next op:next click:next before:insert op:insert click:insert "
                          "before:post op:post click:post");
  EXPECT_EQ(set->recordCount(), 6);
}

TEST_F(NavigatorTest, DeleteAsksFirst) {
  set->setActive(true);
  {
    testsupport::MessageBoxScript boxes;
    boxes.answer(ui::IDCANCEL).answer(ui::IDOK);
    click(B::nbDelete);
    EXPECT_EQ(set->records(), records(5));
    click(B::nbDelete);
    EXPECT_EQ(set->records(), records(5).mid(1));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, "删除记录？");
    EXPECT_EQ(boxes.shown()[0].caption, ui::Application::instance()->title());
    EXPECT_EQ(boxes.shown()[0].flags, ui::MB_OKCANCEL | ui::MB_ICONQUESTION);
  }
  nav->setConfirmDelete(false);
  testsupport::MessageBoxScript none;
  click(B::nbDelete);
  EXPECT_EQ(set->recordCount(), 3);
}

TEST_F(NavigatorTest, HeldNextRepeatsThenStopsAtTheEnd) {
  set->setActive(true);
  TkwoNavButton *next = btn(B::nbNext);
  press(B::nbNext);
  EXPECT_TRUE(next->repeatTimer().running());
  EXPECT_EQ(next->repeatTimer().interval(), TkwoNavButton::kFirstRepeatMs);
  next->tick();
  EXPECT_EQ(next->repeatTimer().interval(), TkwoNavButton::kRepeatMs);
  EXPECT_EQ(set->recNo(), 1);
  for (int i = 0; i < 3; ++i) next->tick();
  EXPECT_EQ(set->recNo(), 4);
  EXPECT_TRUE(next->isEnabled());
  next->tick();  // EOF: Next disables itself, and nothing stays held
  EXPECT_TRUE(set->eof());
  EXPECT_FALSE(next->isEnabled());
  EXPECT_FALSE(next->repeatTimer().running());
  EXPECT_FALSE(next->pressed());

  set->first();
  ASSERT_TRUE(next->isEnabled());
  next->tick();
  EXPECT_EQ(set->recNo(), 0) << "a re-enabled Next steps by itself";
  release(B::nbNext);  // the release never reached it: no click either
  EXPECT_EQ(set->recNo(), 0);

  // Buttons without the repeat do not tick.
  press(B::nbLast);
  EXPECT_FALSE(btn(B::nbLast)->repeatTimer().running());
  release(B::nbLast);
}

TEST_F(NavigatorTest, FailedRepeatShowsTheErrorAndLetsGo) {
  set->setActive(true);
  TkwoNavButton *next = btn(B::nbNext);
  press(B::nbNext);
  set->failOn(ui::DataSetOperation::Next);
  testsupport::MessageBoxScript boxes;
  boxes.answer(ui::IDOK);
  QMetaObject::invokeMethod(next, "tick", Qt::QueuedConnection);
  QApplication::processEvents();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "failed: next");
  EXPECT_FALSE(next->repeatTimer().running());
  EXPECT_FALSE(next->pressed());
  EXPECT_EQ(set->recNo(), 0);
  release(B::nbNext);
  click(B::nbNext);
  EXPECT_EQ(set->recNo(), 1);
}

TEST_F(NavigatorTest, HintsReplaceDefaultsPerEntry) {
  nav->setHints({"", "back", ""});
  EXPECT_EQ(nav->hints().count(), 3);
  EXPECT_EQ(btn(B::nbFirst)->toolTip(), "第一条记录");
  EXPECT_EQ(btn(B::nbPrior)->toolTip(), "back");
  nav->setHints(TkwoDBNavigator::defaultHints());
  EXPECT_EQ(nav->hints().count(), 0);
  EXPECT_EQ(btn(B::nbPrior)->toolTip(), "前一条记录");
}

TEST_F(NavigatorTest, ArrowsMoveTheMarkOverVisibleButtons) {
  nav->setTabStop(true);
  TkwoDBNavigator::ButtonSet shown;
  shown.fill(true);
  shown[1] = shown[2] = false;
  nav->setVisibleButtons(shown);
  EXPECT_FALSE(btn(B::nbPrior)->isVisible());
  QApplication::setActiveWindow(form.get());
  nav->setFocus();
  testsupport::pressKey(nav, Qt::Key_Right);
  EXPECT_EQ(nav->focusedButton(), B::nbLast);
  testsupport::pressKey(nav, Qt::Key_Left);
  EXPECT_EQ(nav->focusedButton(), B::nbFirst);
  shown[0] = false;
  nav->setVisibleButtons(shown);
  testsupport::pressKey(nav, Qt::Key_Left);
  EXPECT_EQ(nav->focusedButton(), B::nbFirst) << "stops at the first even when hidden";
  set->setActive(true);
  nav->setFocus();
  press(B::nbRefresh);
  release(B::nbRefresh);
  EXPECT_EQ(nav->focusedButton(), B::nbRefresh);
  testsupport::pressKey(nav, Qt::Key_Right);
  EXPECT_EQ(nav->focusedButton(), B::nbRefresh);
  log.clear();
  testsupport::pressKey(nav, Qt::Key_Space);
  EXPECT_EQ(log.joined(), "before:refresh op:refresh click:refresh");
}

TEST_F(NavigatorTest, SizeFitsTheVisibleButtons) {
  nav->setWidth(205);
  EXPECT_EQ(nav->width(), 200);
  EXPECT_EQ(btn(B::nbRefresh)->geometry(), QRect(180, 0, 20, 30));
  nav->setAlign(ui::Align::Top);
  form->setBounds(100, 100, 205 + (form->width() - form->clientRect().width()), 200);
  EXPECT_EQ(nav->width(), 205);
  EXPECT_EQ(btn(B::nbPrior)->width(), 21);
  EXPECT_EQ(btn(B::nbNext)->width(), 20);
  nav->setAlign(ui::Align::None);
  TkwoDBNavigator::ButtonSet none{};
  nav->setVisibleButtons(none);
  nav->setBounds(0, 0, 3, 3);
  EXPECT_EQ(nav->size(), QSize(20, 18));
}

// The pixels where two pictures of the same size differ, as a bounding box.
QRect differences(const QImage &a, const QImage &b) {
  QRect box;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

TEST_F(NavigatorTest, FocusedButtonShowsTheMarkOnlyWhileTheNavigatorHasFocus) {
  set->setActive(true);
  nav->setTabStop(true);
  TkwoNavButton *last = btn(B::nbLast);
  const QImage plain = last->grab().toImage();
  const QImage plainFirst = btn(B::nbFirst)->grab().toImage();
  QApplication::setActiveWindow(form.get());
  nav->setFocus();
  ASSERT_TRUE(nav->hasFocus());
  testsupport::pressKey(nav, Qt::Key_Right);
  testsupport::pressKey(nav, Qt::Key_Right);
  testsupport::pressKey(nav, Qt::Key_Right);
  ASSERT_EQ(nav->focusedButton(), B::nbLast);
  EXPECT_TRUE(differences(plainFirst, btn(B::nbFirst)->grab().toImage()).isNull()) << "only the marked button";
  const QImage marked = last->grab().toImage();
  const QRect box = differences(plain, marked);
  EXPECT_EQ(box, last->rect().adjusted(3, 3, -3, -3)) << "a rectangle 3 pixels inside the edges";
  form->setFocus();
  EXPECT_TRUE(differences(plain, last->grab().toImage()).isNull()) << "no mark without the focus";
}

TEST(NavigatorLifetimeTest, AnyDestructionOrderIsClean) {
  // 0 navigator, 1 source, 2 data set: every order of the three.
  int order[] = {0, 1, 2};
  do {
    ui::Form form(nullptr);
    auto *set = new MemDataSet(&form, records(2));
    auto *source = new ui::DataSource(&form);
    source->setDataSet(set);
    auto *nav = new TkwoDBNavigator(&form);
    nav->setParentControl(&form);
    nav->setDataSource(source);
    set->setActive(true);
    QPointer<TkwoDBNavigator> navAlive(nav);
    for (int which : order) {
      if (which == 0) delete nav;
      if (which == 1) delete source;
      if (which == 2) delete set;
      if (!navAlive.isNull()) {
        EXPECT_FALSE(nav->button(B::nbNext)->isEnabled());
        EXPECT_NO_THROW(nav->buttonAction(B::nbNext));
      }
    }
  } while (std::next_permutation(std::begin(order), std::end(order)));
}

}  // namespace
}  // namespace kwo
