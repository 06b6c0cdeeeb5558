// The scroll bar: its layout by look and orientation, the thumb's length,
// the values it keeps in its track, and the arrows' repeat.
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "platform/ui/form.h"
#include "skin_toolkit/controls/kwo_scroll_bar.h"
#include "skin_toolkit/themes/drawing.h"
#include "skin_toolkit/themes/file_theme.h"
#include "skin_toolkit/themes/theme_source.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using Orientation = TkwoProgressBarOrientation;

class ScrollBarTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(50, 50, 700, 600);
    form->show();
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  TkwoScrollBar *makeBar(TkwoUIStyle style, Orientation orientation, int left, int top, int w, int h) {
    auto *bar = new TkwoScrollBar(form.get());
    bar->setParentControl(form.get());
    bar->setUIStyle(style);
    bar->setOrientation(orientation);
    bar->setBounds(left, top, w, h);
    return bar;
  }
  // A DeepBlue lying bar whose track is 200 pixels long.
  TkwoScrollBar *bar200() { return makeBar(TkwoUIStyle::DeepBlue, Orientation::kwoHorizontal, 0, 0, 232, 16); }
  static int thumbLength(const TkwoScrollBar &bar) {
    const QRect r = bar.track()->sliderRect();
    return bar.vertical() ? r.height() : r.width();
  }

  std::unique_ptr<ui::Form> form;
};

TEST_F(ScrollBarTest, LooksAndOrientationsLayTheBarOut) {
  const struct {
    TkwoUIStyle style;
    Orientation orientation;
    int w, h;
    QSize bar;
    int track;  // the track's length
  } cases[] = {
      {TkwoUIStyle::BlueGlass, Orientation::kwoVertical, 40, 470, {17, 470}, 437},
      {TkwoUIStyle::BlueGlass, Orientation::kwoHorizontal, 518, 40, {518, 17}, 486},
      {TkwoUIStyle::DeepBlue, Orientation::kwoVertical, 40, 470, {16, 470}, 437},
      {TkwoUIStyle::DeepBlue, Orientation::kwoHorizontal, 518, 40, {518, 16}, 486},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.style) << " " << static_cast<int>(c.orientation));
    TkwoScrollBar *bar = makeBar(c.style, c.orientation, 10, 20, c.w, c.h);
    EXPECT_EQ(bar->boundsRect(), QRect(QPoint(10, 20), c.bar));
    const int thickness = BuiltInImageSize(c.style, tiScrollBarButtonImage).width / 6;
    const bool standing = c.orientation == Orientation::kwoVertical;
    EXPECT_EQ(standing ? bar->width() : bar->height(), thickness);
    EXPECT_EQ(bar->decreaseButton()->pos(), QPoint(0, 0));
    if (standing) {
      EXPECT_EQ(bar->track()->top(), bar->decreaseButton()->height());
      EXPECT_EQ(bar->track()->height(), c.track);
      EXPECT_EQ(bar->increaseButton()->geometry().bottom(), c.h - 1);
    } else {
      EXPECT_EQ(bar->track()->left(), bar->decreaseButton()->width());
      EXPECT_EQ(bar->track()->width(), c.track);
      EXPECT_EQ(bar->increaseButton()->geometry().right(), c.w - 1);
    }
    EXPECT_EQ(bar->track()->orientation(), c.orientation);
    EXPECT_EQ(bar->color(), GetBuiltInThemeColor(c.style, tiScrollBarBackgroundColor));
    EXPECT_EQ(bar->track()->color(), bar->color());
    delete bar;
  }
}

TEST_F(ScrollBarTest, NoSizeHidesTheBarAndItsPartsFollowItsVisibility) {
  TkwoScrollBar *bar = bar200();
  EXPECT_TRUE(bar->track()->visible());
  bar->setVisible(false);
  EXPECT_FALSE(bar->track()->visible());
  EXPECT_FALSE(bar->increaseButton()->visible());
  EXPECT_FALSE(bar->decreaseButton()->visible());
  bar->setVisible(true);
  EXPECT_TRUE(bar->track()->visible());
  EXPECT_TRUE(bar->decreaseButton()->isVisible());

  bar->setBounds(0, 0, 0, 16);
  EXPECT_FALSE(bar->visible());
  EXPECT_FALSE(bar->track()->visible());
}

TEST_F(ScrollBarTest, ThumbLengthFromLineButtonOrPageSize) {
  const struct {
    const char *what;
    int lineButton, pageSize;
    int storedLineButton, thumb;
  } cases[] = {
      {"a short LineButton is raised to 18", 5, 2, 18, 18},
      {"LineButton as given", 120, 2, 120, 120},
      {"LineButton the whole track", 200, 2, 200, 200},
      {"LineButton longer than the track is ignored", 201, 50, 0, 100},
      {"half the track for PageSize 50", 0, 50, 0, 100},
      {"PageSize below 10 counts as 10", 0, 5, 0, 20},
      {"PageSize past Max is refused: 2 counts as 10", 0, 150, 0, 20},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    TkwoScrollBar *bar = bar200();
    ASSERT_EQ(bar->trackLength(), 200);
    bar->setPageSize(c.pageSize);
    bar->setLineButton(c.lineButton);
    EXPECT_EQ(bar->lineButton(), c.storedLineButton);
    EXPECT_EQ(thumbLength(*bar), c.thumb);
    EXPECT_EQ(bar->track()->sliderImage().width(), c.thumb);
    delete bar;
  }
}

TEST_F(ScrollBarTest, LargeChangeIsPageSizeButLeavesTheThumbUntilTheNextLayout) {
  TkwoScrollBar *bar = bar200();
  EXPECT_EQ(bar->pageSize(), 2);
  EXPECT_EQ(bar->largeChange(), 2);
  bar->setPageSize(50);
  EXPECT_EQ(thumbLength(*bar), 100);
  bar->setLargeChange(30);
  EXPECT_EQ(bar->pageSize(), 30);
  EXPECT_EQ(thumbLength(*bar), 100);
  bar->setBounds(0, 0, 232, 16);  // same size: no layout
  EXPECT_EQ(thumbLength(*bar), 100);
  bar->setBounds(0, 0, 432, 16);  // a 400-pixel track
  EXPECT_EQ(thumbLength(*bar), 120);

  // Both refuse a page past Max.
  bar->setMax(10);
  bar->setPageSize(5);
  bar->setPageSize(20);
  EXPECT_EQ(bar->pageSize(), 5);
  bar->setLargeChange(20);
  EXPECT_EQ(bar->largeChange(), 5);
  EXPECT_EQ(thumbLength(*bar), 40);  // the refused page left 10 % of 400
}

TEST_F(ScrollBarTest, ChangesComeFromTheTrackAndRangeClamps) {
  TkwoScrollBar *bar = bar200();
  std::vector<ui::Control *> senders;
  bar->OnChange = [&](ui::Control *sender) { senders.push_back(sender); };
  bar->setPosition(40);
  ASSERT_EQ(senders.size(), 1u);
  EXPECT_EQ(senders[0], bar->track());
  bar->setPosition(40);
  EXPECT_EQ(senders.size(), 1u);

  bar->setMin(20);
  bar->setMax(5);  // below Min: Max becomes Min, Position follows
  EXPECT_EQ(bar->max(), 20);
  EXPECT_EQ(bar->position(), 20);
  EXPECT_EQ(senders.size(), 2u);
  bar->setPosition(-100);
  EXPECT_EQ(bar->position(), 20);
}

TEST_F(ScrollBarTest, HeldArrowsStepBySmallChangeUntilReleasedDisabledOrGone) {
  TkwoScrollBar *bar = bar200();
  bar->setMax(50);
  bar->setSmallChange(20);
  TkwoImageButton *up = bar->increaseButton();
  TkwoImageButton *down = bar->decreaseButton();
  const QPoint inside(4, 4);

  // A press shorter than one interval changes nothing.
  QTest::mousePress(up, Qt::LeftButton, {}, inside);
  QTest::mouseRelease(up, Qt::LeftButton, {}, inside);
  EXPECT_EQ(bar->position(), 0);

  QTest::mousePress(up, Qt::LeftButton, {}, inside);
  EXPECT_EQ(up->repeatTimer().interval(), 100);
  up->repeatTimer().tick();
  EXPECT_EQ(bar->position(), 20);
  up->repeatTimer().tick();
  up->repeatTimer().tick();
  EXPECT_EQ(bar->position(), 50);  // clamped at Max
  QTest::mouseRelease(up, Qt::LeftButton, {}, inside);
  up->repeatTimer().tick();
  EXPECT_EQ(bar->position(), 50);

  QTest::mousePress(down, Qt::LeftButton, {}, inside);
  down->repeatTimer().tick();
  EXPECT_EQ(bar->position(), 30);
  down->setEnabled(false);
  down->repeatTimer().tick();
  EXPECT_EQ(bar->position(), 30);
  down->setEnabled(true);

  // Destroyed while held: the repeat goes with it.
  QTest::mousePress(down, Qt::LeftButton, {}, inside);
  delete bar;
  testsupport::processEvents();
}

TEST_F(ScrollBarTest, SettingsAppliedWhileHiddenEqualThoseAppliedWhileShown) {
  const auto monitorSequence = [](TkwoScrollBar *bar, bool vertical) {
    bar->setOrientation(vertical ? Orientation::kwoVertical : Orientation::kwoHorizontal);
    bar->setUIStyle(TkwoUIStyle::BlueGlass);
    if (vertical) {
      bar->setBounds(518, 0, 17, 470);
    } else {
      bar->setBounds(0, 470, 518, 17);
    }
    bar->setMin(0);
    bar->setMax(vertical ? 314 : 266);
    bar->setLineButton(vertical ? 261 : 320);
    bar->setLargeChange(vertical ? 34 : 34);
    bar->setPageSize(vertical ? 34 : 34);
    bar->setSmallChange(vertical ? 470 : 518);
    bar->setPosition(100);
  };
  for (bool vertical : {false, true}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    auto *hidden = new TkwoScrollBar(form.get());
    hidden->setVisible(false);
    hidden->setParentControl(form.get());
    monitorSequence(hidden, vertical);
    hidden->setVisible(true);
    auto *shown = new TkwoScrollBar(form.get());
    shown->setParentControl(form.get());
    monitorSequence(shown, vertical);
    testsupport::processEvents();

    EXPECT_EQ(hidden->boundsRect(), shown->boundsRect());
    EXPECT_EQ(hidden->track()->boundsRect(), shown->track()->boundsRect());
    EXPECT_EQ(hidden->track()->sliderRect(), shown->track()->sliderRect());
    EXPECT_EQ(hidden->increaseButton()->boundsRect(), shown->increaseButton()->boundsRect());
    EXPECT_EQ(hidden->decreaseButton()->boundsRect(), shown->decreaseButton()->boundsRect());
    EXPECT_EQ(hidden->lineButton(), shown->lineButton());
    EXPECT_EQ(hidden->position(), 100);
    EXPECT_EQ(shown->position(), 100);
    EXPECT_EQ(thumbLength(*shown), vertical ? 261 : 320);
    delete hidden;
    delete shown;
  }
}

// The arrows are the six frames of the look's arrow picture, standing as
// drawn or turned left when lying; the thumb's caps are the frames of its
// picture, lying as drawn or turned right when standing. Colour, look and
// skin reach the parts.
TEST_F(ScrollBarTest, ArrowsAndThumbComeFromTheLooksFramesTurnedForTheOrientation) {
  const auto same = [](const QImage &a, const QImage &b) {
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
  };
  for (TkwoUIStyle style : {TkwoUIStyle::WinXP, TkwoUIStyle::BlueGlass}) {
    const ThemeSource look = ThemeSource::resolve(nullptr, style);
    const QImage arrows = look.image(tiScrollBarButtonImage);
    const QImage thumb = look.image(tiScrollBarSliderImage);
    for (Orientation o : {Orientation::kwoVertical, Orientation::kwoHorizontal}) {
      const bool standing = o == Orientation::kwoVertical;
      SCOPED_TRACE(standing ? "vertical" : "horizontal");
      TkwoScrollBar *bar = standing ? makeBar(style, o, 0, 0, 40, 300) : makeBar(style, o, 0, 0, 300, 40);
      const auto arrow = [&](int frame) {
        const QImage f = ExtractBitmapFrame(arrows, 6, frame);
        return standing ? f : RotateBitmapLeft(f);
      };
      EXPECT_TRUE(same(bar->decreaseButton()->picNormal().toImage(), arrow(1)));
      EXPECT_TRUE(same(bar->decreaseButton()->picMouseOn().toImage(), arrow(2)));
      EXPECT_TRUE(same(bar->increaseButton()->picNormal().toImage(), arrow(4)));
      EXPECT_TRUE(same(bar->increaseButton()->picMouseDown().toImage(), arrow(6)));

      // The thumb starts with the first cap.
      const QImage cap = standing ? RotateBitmapRight(ExtractBitmapFrame(thumb, 3, 1)) : ExtractBitmapFrame(thumb, 3, 1);
      const QImage shown = bar->track()->sliderImage().toImage();
      ASSERT_FALSE(shown.isNull());
      EXPECT_TRUE(same(shown.copy(0, 0, cap.width(), cap.height()), cap));

      EXPECT_EQ(bar->color(), look.color(tiScrollBarBackgroundColor));
      EXPECT_EQ(bar->track()->color(), bar->color());
      EXPECT_EQ(bar->track()->uiStyle(), style);
      delete bar;
    }
  }

  // A skin given to the bar reaches its parts; its going leaves DeepBlue.
  auto theme = std::make_unique<TkwoFileTheme>(form.get());
  TkwoScrollBar *bar = bar200();
  bar->setUIStyle(TkwoUIStyle::FromThemeFile);
  bar->setFileTheme(theme.get());
  EXPECT_EQ(bar->track()->fileTheme(), theme.get());
  EXPECT_EQ(bar->decreaseButton()->fileTheme(), theme.get());
  EXPECT_EQ(bar->track()->uiStyle(), TkwoUIStyle::FromThemeFile);
  theme.reset();
  EXPECT_EQ(bar->track()->fileTheme(), nullptr);
  EXPECT_EQ(bar->uiStyle(), TkwoUIStyle::DeepBlue);
}

}  // namespace
}  // namespace kwo
