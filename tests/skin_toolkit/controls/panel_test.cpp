// The folding panel on the offscreen platform: its push/pop button folding
// and unfolding it in steps, the hot frame, the remembered height, and its
// border, bar and caption in the look of its style.
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_panel.h"
#include "skin_toolkit/rules/panel_logic.h"
#include "skin_toolkit/themes/builtin_pictures.h"
#include "skin_toolkit/themes/drawing.h"
#include "tests/skin_toolkit/controls/panels_groups_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

// A move with no button held, as mouse tracking delivers it.
void hover(QWidget *w, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(w, &move);
}

// --- Folding panel ---

TEST_F(PanelsGroupsTest, PanelButtonFoldsInStepsAndUnfoldsBack) {
  showForm();
  auto *p = make<TkwoPanel>(form.get());
  p->setBounds(10, 10, 200, 100);
  ASSERT_EQ(p->barHeight(), 20);  // DeepBlue
  std::vector<int> heights;
  int pushes = 0, pops = 0;
  p->OnResize = [&](ui::Control *) { heights.push_back(p->height()); };
  p->OnPush = [&](ui::Control *) { ++pushes; };
  p->OnPop = [&](ui::Control *) { ++pops; };
  const QPoint button(200 - 12, 10);
  QTest::mouseMove(p, button);
  QTest::mouseClick(p, Qt::LeftButton, {}, button);
  EXPECT_EQ(heights, (std::vector<int>{85, 70, 55, 40, 25, 20}));
  EXPECT_EQ(pushes, 1);
  EXPECT_FALSE(p->unfolded());
  EXPECT_EQ(p->fullHeight(), 100);

  heights.clear();
  QTest::mouseClick(p, Qt::LeftButton, {}, button);
  EXPECT_EQ(heights, (std::vector<int>{35, 50, 65, 80, 95, 100}));
  EXPECT_EQ(pops, 1);
  EXPECT_TRUE(p->unfolded());

  // A click outside the button folds nothing.
  QTest::mouseClick(p, Qt::LeftButton, {}, QPoint(20, 50));
  EXPECT_TRUE(p->unfolded());
}

TEST_F(PanelsGroupsTest, PanelFoldsOnlyOnAReleaseOverTheDrawnButton) {
  showForm();
  auto *p = make<TkwoPanel>(form.get());
  p->setBounds(10, 10, 200, 100);
  int pushes = 0;
  p->OnPush = [&](ui::Control *) { ++pushes; };
  const QPoint button(200 - 12, 10);

  // Over the button, then a press and release below the bar.
  hover(p, button);
  EXPECT_TRUE(p->buttonHot());
  QTest::mousePress(p, Qt::LeftButton, {}, button);
  QMouseEvent move(QEvent::MouseMove, QPointF(100, 60), p->mapToGlobal(QPointF(100, 60)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(p, &move);
  EXPECT_FALSE(p->buttonHot());
  QTest::mouseRelease(p, Qt::LeftButton, {}, QPoint(100, 60));
  EXPECT_EQ(pushes, 0);
  EXPECT_TRUE(p->unfolded());

  // Hot, then the panel takes the whole client: the button is gone, and a
  // release where it was neither folds nor throws (a throw from the mouse
  // would end in an error box).
  hover(p, button);
  ASSERT_TRUE(p->buttonHot());
  p->setAlign(ui::Align::Client);
  testsupport::MessageBoxScript boxes;
  EXPECT_NO_THROW(QTest::mouseClick(p, Qt::LeftButton, {}, QPoint(p->width() - 12, 10)));
  EXPECT_TRUE(boxes.shown().empty());
  EXPECT_EQ(pushes, 0);
  EXPECT_TRUE(p->unfolded());
}

TEST_F(PanelsGroupsTest, PanelButtonShowsItsHotFrameFromTheLastMouseSeen) {
  showForm();
  auto *p = make<TkwoPanel>(form.get());
  p->setBounds(10, 10, 200, 100);
  const QImage strip = KeyedImage(BuiltInBitmap(kPanelButtonImageName), kKeyColor);
  const int fw = strip.width() / kPanelButtonFrameCount;
  const Point at = PanelButtonOrigin(p->width(), p->barHeight());
  const auto shownFrame = [&] {
    const QImage shot = p->grab().toImage();
    for (int frame = 1; frame <= kPanelButtonFrameCount; ++frame) {
      const QImage expect = ExtractBitmapFrame(strip, kPanelButtonFrameCount, frame);
      bool same = true;
      for (int y = 0; y < expect.height() && same; ++y) {
        for (int x = 0; x < fw && same; ++x) {
          const QColor e = expect.pixelColor(x, y);
          if (e.alpha() == 0) continue;
          same = shot.pixelColor(at.x + x, at.y + y) == e;
        }
      }
      if (same) return frame;
    }
    return 0;
  };
  EXPECT_EQ(shownFrame(), 1);
  hover(p, QPoint(200 - 12, 10));
  EXPECT_EQ(shownFrame(), 2);
  hover(p, QPoint(100, 60));
  EXPECT_EQ(shownFrame(), 1);
}

TEST_F(PanelsGroupsTest, FoldedPanelRemembersANewHeightAndTheInsetsFollowTheBar) {
  auto *p = make<TkwoPanel>(form.get());
  p->setBounds(0, 0, 150, 100);
  auto *child = make<ui::Panel>(p);
  child->setAlign(ui::Align::Client);
  EXPECT_EQ(child->geometry(), QRect(3, 23, 144, 74));
  p->setUIStyle(TkwoUIStyle::WinXP);
  EXPECT_EQ(p->barHeight(), 21);
  EXPECT_EQ(child->geometry(), QRect(3, 24, 144, 73));
  EXPECT_EQ(p->color(), platform::clWhite);
  EXPECT_EQ(p->borderColor(), platform::RGB(104, 104, 104));
  EXPECT_EQ(p->captionFontColor(), platform::RGB(0, 0, 0));

  p->push();
  EXPECT_EQ(p->height(), 21);
  p->setFullHeight(150);
  EXPECT_EQ(p->height(), 21);
  p->pop();
  EXPECT_EQ(p->height(), 150);

  // Resizing an unfolded panel changes what a pop restores.
  p->setHeight(120);
  EXPECT_EQ(p->fullHeight(), 120);
}

TEST_F(PanelsGroupsTest, AlignedPanelShowsNoButtonAndRefusesToFold) {
  auto *host = make<ui::Panel>(form.get());
  host->setBounds(0, 0, 300, 200);
  auto *p = make<TkwoPanel>(host);
  p->setAlign(ui::Align::Left);
  EXPECT_FALSE(p->buttonShown());
  const int h = p->height();
  EXPECT_THROW(p->push(), std::logic_error);
  EXPECT_EQ(p->height(), h);
  EXPECT_TRUE(p->unfolded());
  p->setAlign(ui::Align::Top);
  EXPECT_TRUE(p->buttonShown());
}

TEST_F(PanelsGroupsTest, ReleaseDuringTheFoldIsIgnoredAndAPanelFreedMidFoldStopsIt) {
  showForm();
  auto *p = make<TkwoPanel>(form.get());
  p->setBounds(10, 10, 200, 100);
  int pushes = 0, pops = 0, nested = 0;
  p->OnPush = [&](ui::Control *) { ++pushes; };
  p->OnPop = [&](ui::Control *) { ++pops; };
  p->OnResize = [&](ui::Control *) {
    if (!p->animating()) return;
    // Input arriving between the steps: another release on the button.
    ++nested;
    QTest::mouseClick(p, Qt::LeftButton, {}, QPoint(188, 10));
    p->pop();
    p->push();
  };
  p->push();
  EXPECT_GT(nested, 0);
  EXPECT_EQ(pushes, 1);
  EXPECT_EQ(pops, 0);
  EXPECT_EQ(p->height(), 20);

  // Something handled between the steps frees the panel.
  auto *doomed = make<TkwoPanel>(form.get());
  doomed->setBounds(10, 150, 200, 100);
  int doomedPushes = 0;
  doomed->OnPush = [&](ui::Control *) { ++doomedPushes; };
  QTimer::singleShot(0, form.get(), [doomed] { delete doomed; });
  doomed->push();
  EXPECT_EQ(doomedPushes, 0);
  testsupport::processEvents();
}

TEST_F(PanelsGroupsTest, PanelDrawsItsBorderBarAndCaptionInTheLookOfItsStyle) {
  const TkwoUIStyle styles[] = {TkwoUIStyle::MacOS, TkwoUIStyle::WinXP, TkwoUIStyle::DeepBlue,
                                TkwoUIStyle::Protein, TkwoUIStyle::BlueGlass};
  for (TkwoUIStyle style : styles) {
    SCOPED_TRACE(static_cast<int>(style));
    auto *p = make<TkwoPanel>(form.get());
    p->setUIStyle(style);
    p->setBounds(0, 0, 200, 100);
    p->setCaption(QStringLiteral("HHHH"));
    QImage bar;
    GetBuiltInThemeImage(style, tiSideChannelBarImage, bar, 0, 0);
    ASSERT_FALSE(bar.isNull());
    ASSERT_EQ(p->barHeight(), bar.height());
    const QImage shot = p->grab().toImage();
    const QColor border = ui::toQColor(p->borderColor());
    for (QPoint at : {QPoint(0, 50), QPoint(199, 50), QPoint(100, 99), QPoint(0, 0), QPoint(199, 0)}) {
      EXPECT_EQ(shot.pixelColor(at), border) << at.x() << "," << at.y();
    }
    EXPECT_EQ(shot.pixelColor(100, bar.height() + 10), QColor(Qt::white));
    // The bar picture stretched across, between the border's sides; the
    // caption in its own colour at x 10.
    for (int y = 0; y < bar.height(); ++y) {
      EXPECT_EQ(shot.pixelColor(1, y), bar.pixelColor(0, y)) << y;
      EXPECT_EQ(shot.pixelColor(150, y), bar.pixelColor(0, y)) << y;
    }
    // Smoothed text: the inked pixel nearest the caption colour comes
    // close to it, closer than any pixel of the bar itself.
    const QColor caption = ui::toQColor(p->captionFontColor());
    const auto distance = [&](QColor c) {
      return std::abs(c.red() - caption.red()) + std::abs(c.green() - caption.green()) +
             std::abs(c.blue() - caption.blue());
    };
    int nearest = 3 * 255;
    int barNearest = 3 * 255;
    for (int y = 0; y < bar.height(); ++y) {
      barNearest = std::min(barNearest, distance(bar.pixelColor(0, y)));
      for (int x = 10; x < 60; ++x) nearest = std::min(nearest, distance(shot.pixelColor(x, y)));
    }
    EXPECT_LE(nearest, 90);
    EXPECT_LT(nearest, barNearest);
    EXPECT_EQ(shot.pixelColor(8, bar.height() / 2), bar.pixelColor(0, bar.height() / 2)) << "text starts at 10";
    delete p;
  }
}

}  // namespace
}  // namespace kwo
