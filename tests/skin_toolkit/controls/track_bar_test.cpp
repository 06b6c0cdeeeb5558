// The track bar on the offscreen platform: corrected values, OnChange
// against the last reported position, the bar's repeat, the slider drag,
// the keys and the looks' pictures.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "skin_toolkit/controls/kwo_track_bar.h"
#include "skin_toolkit/rules/track_bar_logic.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/theme_source.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using testsupport::pressKey;

class TrackBarTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 400, 200);
    bar = new TkwoTrackBar(form.get());
    bar->setParentControl(form.get());
    bar->setUIStyle(TkwoUIStyle::WinXP);
    bar->setBounds(10, 10, 110, 30);
    bar->OnChange = [this](ui::Control *sender) {
      EXPECT_EQ(sender, bar);
      reported.push_back(bar->position());
    };
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  void showForm() {
    form->show();
    QApplication::setActiveWindow(form.get());
    testsupport::processEvents();
  }
  // A point on the bar's middle line.
  QPoint at(int x) const { return QPoint(x, bar->height() / 2); }

  std::unique_ptr<ui::Form> form;
  TkwoTrackBar *bar = nullptr;
  std::vector<int> reported;
};

TEST_F(TrackBarTest, WinXPPicturesFixTheThicknessAndTheSliderPlacement) {
  EXPECT_EQ(bar->height(), 21);
  EXPECT_EQ(bar->sliderRect().size(), QSize(11, 21));
  bar->setMax(99);
  bar->setPosition(99);
  EXPECT_EQ(bar->sliderRect().topLeft(), QPoint(99, 0));
  bar->setPosition(50);
  EXPECT_EQ(bar->sliderRect().left(), 50);

  bar->setOrientation(TkwoProgressBarOrientation::kwoVertical);
  bar->setBounds(10, 10, 30, 111);
  EXPECT_EQ(bar->width(), 22);
  EXPECT_EQ(bar->sliderRect().size(), QSize(22, 11));
  EXPECT_EQ(bar->sliderRect().top(), 50);
}

TEST_F(TrackBarTest, RangeCorrectionsAndOnChangeOnlyForANewPosition) {
  struct Step {
    int min, max, position;
    int expectMin, expectMax, expectPosition;
  } steps[] = {
      {0, 10, 5, 0, 10, 5},     // reported: 5
      {0, 10, 5, 0, 10, 5},     // the same value: nothing
      {0, 10, 50, 0, 10, 10},   // clamped: 10
      {0, 10, 10, 0, 10, 10},   // clamped to the same: nothing
      {0, -4, 10, 0, 0, 0},     // Max below Min becomes Min; Position follows: 0
      {7, 3, 0, 3, 3, 3},       // Min above Max becomes Max; Position follows: 3
      {-3, 3, -9, -3, 3, -3},   // reported: -3
  };
  for (const Step &s : steps) {
    bar->setMax(s.max);
    bar->setMin(s.min);
    bar->setMax(s.max);
    bar->setPosition(s.position);
    EXPECT_EQ(bar->min(), s.expectMin) << s.min << ".." << s.max;
    EXPECT_EQ(bar->max(), s.expectMax) << s.min << ".." << s.max;
    EXPECT_EQ(bar->position(), s.expectPosition) << s.min << ".." << s.max;
  }
  EXPECT_EQ(reported, (std::vector<int>{5, 10, 0, 3, -3}));

  bar->setMax(10);
  bar->setPageSize(20);
  bar->setLineSize(-1);
  EXPECT_EQ(bar->pageSize(), 2);
  EXPECT_EQ(bar->lineSize(), 1);
  bar->setPageSize(10);
  EXPECT_EQ(bar->pageSize(), 10);
}

TEST_F(TrackBarTest, BarPressStepsAPageAndRepeatsThreePagesUntilReleased) {
  bar->setMax(100);
  bar->setPageSize(10);
  showForm();
  QTest::mousePress(bar, Qt::LeftButton, {}, at(105));
  EXPECT_EQ(bar->position(), 10);
  EXPECT_TRUE(bar->repeating());
  EXPECT_TRUE(bar->hasFocus());
  ASSERT_TRUE(testsupport::waitFor([&] { return bar->position() >= 40; }, 2000));
  EXPECT_EQ(reported[1] - reported[0], 30);  // three pages a tick
  QTest::mouseRelease(bar, Qt::LeftButton, {}, at(105));
  EXPECT_FALSE(bar->repeating());
  const int released = bar->position();
  QTest::qWait(250);
  EXPECT_EQ(bar->position(), released);

  // The value under the press limits the step: before the slider, down to
  // the value at the press.
  bar->setPosition(50);
  QTest::mousePress(bar, Qt::LeftButton, {}, at(47));
  EXPECT_EQ(bar->position(), 42);  // round((47 - 5) x 100 / 99) = 42 > 50 - 10
  QTest::mouseRelease(bar, Qt::LeftButton, {}, at(47));
}

TEST_F(TrackBarTest, RepeatStopsOnDisableHideAndDestruction) {
  bar->setMax(1000);
  bar->setPageSize(1);
  showForm();
  QTest::mousePress(bar, Qt::LeftButton, {}, at(105));
  ASSERT_TRUE(bar->repeating());
  bar->setEnabled(false);
  EXPECT_FALSE(bar->repeating());
  bar->setEnabled(true);

  QTest::mousePress(bar, Qt::LeftButton, {}, at(105));
  ASSERT_TRUE(bar->repeating());
  bar->setVisible(false);
  EXPECT_FALSE(bar->repeating());
  bar->setVisible(true);

  QTest::mousePress(bar, Qt::LeftButton, {}, at(105));
  ASSERT_TRUE(bar->repeating());
  delete bar;
  bar = nullptr;
  QTest::qWait(250);  // no tick reaches the freed bar
}

TEST_F(TrackBarTest, SliderDragFollowsTheMouseAndEndsOnRelease) {
  bar->setMax(10);
  showForm();
  int downs = 0;
  bar->OnMouseDown = [&](ui::Control *, ui::MouseButton, ui::ShiftState, int x, int) {
    ++downs;
    EXPECT_EQ(x, 3);  // in the bar's coordinates
  };
  QTest::mousePress(bar, Qt::LeftButton, {}, at(3));
  EXPECT_TRUE(bar->dragging());
  EXPECT_EQ(downs, 1);
  QTest::mouseMove(bar, at(20));
  EXPECT_EQ(bar->position(), 2);  // 1.5 rounds to 2
  QTest::mouseMove(bar, at(300));
  EXPECT_EQ(bar->position(), 10);  // clamped
  QTest::mouseMove(bar, at(-50));
  EXPECT_EQ(bar->position(), 0);
  QTest::mouseRelease(bar, Qt::LeftButton, {}, at(-50));
  EXPECT_FALSE(bar->dragging());
  EXPECT_FALSE(bar->repeating());
  EXPECT_EQ(reported, (std::vector<int>{2, 10, 0}));
}

TEST_F(TrackBarTest, KeysStepByLineAndPageWithoutOverflow) {
  bar->setMin(std::numeric_limits<int>::min());
  bar->setMax(std::numeric_limits<int>::max());
  bar->setPageSize(1000);
  bar->setLineSize(7);
  showForm();
  bar->setFocus();
  struct Key {
    int key;
    int64_t expect;
  } keys[] = {
      {Qt::Key_End, std::numeric_limits<int>::max()},
      {Qt::Key_PageDown, std::numeric_limits<int>::max()},
      {Qt::Key_Right, std::numeric_limits<int>::max()},
      {Qt::Key_Left, std::numeric_limits<int>::max() - 7},
      {Qt::Key_PageUp, std::numeric_limits<int>::max() - 1007},
      {Qt::Key_Home, std::numeric_limits<int>::min()},
      {Qt::Key_Up, std::numeric_limits<int>::min()},
      {Qt::Key_PageUp, std::numeric_limits<int>::min()},
      {Qt::Key_Down, std::numeric_limits<int>::min() + 7},
  };
  for (const Key &k : keys) {
    pressKey(bar, k.key);
    EXPECT_EQ(bar->position(), k.expect) << k.key;
    EXPECT_TRUE(bar->hasFocus()) << "the arrows stay the bar's";
  }
  EXPECT_FALSE(bar->tickPositions().empty());
  (void)bar->grab();
}

TEST_F(TrackBarTest, MacOSMakesItTransparentAndScrollTrackBarsKeepTheirPictures) {
  EXPECT_FALSE(bar->transparent());
  bar->setUIStyle(TkwoUIStyle::MacOS);
  EXPECT_TRUE(bar->transparent());
  bar->setUIStyle(TkwoUIStyle::DeepBlue);
  EXPECT_TRUE(bar->transparent());

  QPixmap own(30, 6);
  own.fill(Qt::red);
  bar->setBarImage(own);
  EXPECT_EQ(bar->barImage().size(), QSize(45, 4));  // the look's, at once

  auto *scroll = new TkwoScrollTrackBar(form.get());
  scroll->setParentControl(form.get());
  scroll->setBarImage(own);
  QPixmap thumb(9, 14);
  thumb.fill(Qt::blue);
  scroll->setSliderImage(thumb);
  scroll->refitSlider();
  scroll->setBounds(0, 100, 200, 10);
  EXPECT_EQ(scroll->barImage().size(), QSize(30, 6));
  EXPECT_EQ(scroll->sliderRect().size(), QSize(9, 14));
  EXPECT_EQ(scroll->height(), 14);
}

// The bar's strip, ticks, focus rectangle and slider against the frames cut
// from the look's own pictures, lying and standing.
TEST_F(TrackBarTest, PaintsTheStripTicksFocusAndSliderFromTheLooksPictures) {
  showForm();
  bar->setTabStop(false);  // no focus frame until the end
  bar->setColor(platform::RGB(10, 200, 30));
  bar->setParentColor(false);
  bar->setMin(0);
  bar->setMax(255);
  bar->setFrequency(16);
  bar->setPosition(0);
  const ThemeSource look = ThemeSource::resolve(nullptr, TkwoUIStyle::WinXP);
  const QImage picture = look.image(tiTrackBarBarImage);
  const QImage slider = look.image(tiTrackBarSliderImage);
  ASSERT_FALSE(picture.isNull());
  const QColor background(10, 200, 30);
  const QColor black(0, 0, 0);
  // What the strip shows for a picture pixel: Color where it is keyed.
  const auto shown = [&](QColor c) { return c.rgb() == kKeyColor ? background : c; };

  for (bool lying : {true, false}) {
    SCOPED_TRACE(lying ? "horizontal" : "vertical");
    if (lying) {
      bar->setBounds(10, 10, 300, 30);
    } else {
      bar->setOrientation(TkwoProgressBarOrientation::kwoVertical);
      bar->setBounds(10, 10, 30, 300);
    }
    // The strip runs along the bar; standing, it is turned left.
    const QImage strip = lying ? picture : RotateBitmapLeft(picture);
    const QImage end = ExtractBitmapFrame(picture, 3, 3);
    const QImage image = bar->grab().toImage();
    const int thickness = picture.height();
    const int across = ((lying ? bar->height() : bar->width()) - thickness) / 2;
    const int length = lying ? bar->width() : bar->height();
    const QRect sliderAt = bar->sliderRect();
    for (int t = 0; t < thickness; ++t) {
      // The end cap lies at the far end, clear of the slider at Min.
      for (int k = 0; k < end.width(); ++k) {
        const int along = length - end.width() + k;
        const QPoint p = lying ? QPoint(along, across + t) : QPoint(across + t, along);
        const QPoint q = lying ? QPoint(picture.width() - end.width() + k, t)
                               : QPoint(t, strip.height() - 1 - (picture.width() - end.width() + k));
        if (sliderAt.contains(p)) continue;
        EXPECT_EQ(image.pixelColor(p), shown(strip.pixelColor(q))) << p.x() << "," << p.y();
      }
    }
    // Ticks where the rule puts them: bottom edge lying, both edges standing.
    const int extent = lying ? bar->width() : bar->height();
    const int sliderExtent = lying ? sliderAt.width() : sliderAt.height();
    const std::vector<int> ticks = TrackTickPositions(0, 255, 16, extent, sliderExtent);
    ASSERT_EQ(ticks, bar->tickPositions());
    for (int p : ticks) {
      if (lying) {
        if (sliderAt.contains(p, bar->height() - 1)) continue;
        EXPECT_EQ(image.pixelColor(p, bar->height() - 1), black) << p;
        EXPECT_EQ(image.pixelColor(p, bar->height() - 3), black) << p;
      } else {
        if (sliderAt.contains(0, p)) continue;
        EXPECT_EQ(image.pixelColor(0, p), black) << p;
        EXPECT_EQ(image.pixelColor(bar->width() - 1, p), black) << p;
      }
    }
    // Between two ticks the edge shows Color.
    const int between = (ticks[ticks.size() - 2] + ticks.back()) / 2;
    EXPECT_EQ(lying ? image.pixelColor(between, bar->height() - 1) : image.pixelColor(0, between), background);
    // No focus, no dotted frame.
    EXPECT_EQ(image.pixelColor(lying ? length - 2 : 0, lying ? 0 : length - 2), background);
  }

  // Focused: a dotted frame in the font colour.
  bar->setOrientation(TkwoProgressBarOrientation::kwoHorizontal);
  bar->setBounds(10, 10, 300, 30);
  ui::Font f = bar->controlFont();
  f.color = platform::RGB(200, 0, 0);
  bar->setControlFont(f);
  bar->setTabStop(true);
  bar->setFocus();
  ASSERT_TRUE(bar->hasFocus());
  const QImage focused = bar->grab().toImage();
  int dots = 0;
  for (int x = 100; x < 290; ++x) dots += focused.pixelColor(x, 0) == QColor(200, 0, 0) ? 1 : 0;
  EXPECT_GT(dots, 40);
  EXPECT_LT(dots, 190);

  // The lying slider is keyed on its bottom-left pixel: what is not the key
  // shows the picture.
  const QRect s = bar->sliderRect();
  const QColor key = slider.pixelColor(0, slider.height() - 1);
  for (int y = 0; y < slider.height(); ++y) {
    for (int x = 0; x < slider.width(); ++x) {
      const QColor c = slider.pixelColor(x, y);
      if (c == key) continue;
      EXPECT_EQ(focused.pixelColor(s.left() + x, s.top() + y), c) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace kwo
