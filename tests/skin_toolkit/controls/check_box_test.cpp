// The check box and the radio button on the offscreen platform: when their
// events fire and in which order, the space key, the auto size, the radio
// group on one parent, and their frames from a skin's pictures.
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <string>

#include "platform/ui/color.h"
#include "platform/ui/panel.h"
#include "skin_toolkit/controls/kwo_check_box.h"
#include "tests/skin_toolkit/controls/buttons_skin_fixture.h"
#include "tests/skin_toolkit/controls/controls_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

using S = TkwoUIStyle;
using platform::RGB;

// --- Check box ---

TEST_F(ControlsTest, CheckBoxTellsOfEveryChangeButTheSameValueAndLoading) {
  auto *box = make<TkwoCheckBox>(form.get());
  int clicks = 0;
  box->OnClick = [&](ui::Control *sender) {
    EXPECT_EQ(sender, box);
    ++clicks;
  };
  box->setChecked(false);
  EXPECT_EQ(clicks, 0);
  box->setChecked(true);
  EXPECT_EQ(clicks, 1);
  box->setChecked(true);
  EXPECT_EQ(clicks, 1);
  box->setState(TCheckBoxState::cbGrayed);  // unchecks
  EXPECT_FALSE(box->checked());
  EXPECT_EQ(box->state(), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(clicks, 2);
  {
    ui::LoadingGuard loading(*form);
    box->setChecked(true);
  }
  EXPECT_TRUE(box->checked());
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(box->state(), TCheckBoxState::cbChecked);

  // The user's click toggles and tells once.
  form->show();
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(box->checked());
  EXPECT_EQ(clicks, 3);
  // Disabled and checked: the third frame.
  box->setChecked(true);
  box->setEnabled(false);
  EXPECT_EQ(box->pictureFrame(), 3);
}

TEST_F(ControlsTest, SpaceTogglesACheckBoxOnly) {
  auto *box = make<TkwoCheckBox>(form.get());
  auto *radio = make<TkwoRadioButton>(form.get());
  radio->setTop(40);
  int boxClicks = 0, radioClicks = 0;
  box->OnClick = [&](ui::Control *) { ++boxClicks; };
  radio->OnClick = [&](ui::Control *) { ++radioClicks; };
  focusOn(box);
  ASSERT_TRUE(box->hasFocus());
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_TRUE(box->checked());
  EXPECT_EQ(boxClicks, 1);
  focusOn(radio);
  ASSERT_TRUE(radio->hasFocus());
  QTest::keyClick(radio, Qt::Key_Space);
  EXPECT_FALSE(radio->checked());
  EXPECT_EQ(radioClicks, 0);
}

TEST_F(ControlsTest, AutoSizeFollowsCaptionFontAndLook) {
  auto *box = make<TkwoCheckBox>(form.get());
  auto expected = [&] {
    const QFontMetrics m(box->font());
    const Size s = CheckAutoSize(box->pictureSize(), m.horizontalAdvance(box->caption()), m.height());
    return QSize(s.width, s.height);
  };
  box->setCaption(QStringLiteral("启用定时计划"));
  EXPECT_EQ(box->size(), expected());
  const int narrow = box->width();
  box->setCaption(QStringLiteral("启用定时计划 and a longer text"));
  EXPECT_GT(box->width(), narrow);
  EXPECT_EQ(box->size(), expected());
  ui::Font big;
  big.height = 30;
  box->setControlFont(big);
  EXPECT_EQ(box->size(), expected());
  box->setUIStyle(TkwoUIStyle::MacOS);
  EXPECT_EQ(box->size(), expected());
  // Bounds from outside keep their place only; painting changes nothing.
  box->setBounds(7, 9, 300, 80);
  EXPECT_EQ(box->pos(), QPoint(7, 9));
  EXPECT_EQ(box->size(), expected());
  const QSize before = box->size();
  form->show();
  (void)box->grab();
  EXPECT_EQ(box->size(), before);
  box->setAutoSize(false);
  box->setBounds(7, 9, 300, 80);
  EXPECT_EQ(box->size(), QSize(300, 80));
}

// --- Radio button ---

TEST_F(ControlsTest, RadioButtonsUncheckTheirGroupOnTheSameParentOnly) {
  auto *panelA = make<ui::Panel>(form.get());
  auto *panelB = make<ui::Panel>(form.get());
  std::vector<TkwoRadioButton *> a;
  for (int i = 0; i < 3; ++i) a.push_back(make<TkwoRadioButton>(panelA));
  auto *otherGroup = make<TkwoRadioButton>(panelA);
  otherGroup->setGroupIndex(1);
  auto *elsewhere = make<TkwoRadioButton>(panelB);
  auto *plainBox = make<TkwoCheckBox>(panelA);
  for (TkwoRadioButton *r : {a[0], a[1], a[2], otherGroup, elsewhere}) {
    r->OnClick = [&, r](ui::Control *) { log.push_back(std::to_string(r->groupIndex()) + r->objectName().toStdString()); };
  }
  a[0]->setObjectName("a0");
  a[1]->setObjectName("a1");
  a[2]->setObjectName("a2");
  otherGroup->setObjectName("g1");
  elsewhere->setObjectName("b0");
  {
    ui::LoadingGuard loading(*form);
    a[0]->setChecked(true);
    otherGroup->setChecked(true);
    elsewhere->setChecked(true);
    plainBox->setChecked(true);
  }
  EXPECT_TRUE(log.empty());

  a[2]->setChecked(true);
  EXPECT_FALSE(a[0]->checked());
  EXPECT_FALSE(a[1]->checked());
  EXPECT_TRUE(a[2]->checked());
  EXPECT_TRUE(otherGroup->checked());
  EXPECT_TRUE(elsewhere->checked());
  EXPECT_TRUE(plainBox->checked());
  // Only the radio button that became checked tells.
  EXPECT_EQ(log, (std::vector<std::string>{"0a2"}));

  // Clicking a checked radio button changes and tells nothing; clicking an
  // unchecked one checks it.
  form->show();
  log.clear();
  QTest::mouseClick(a[2], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(a[2]->checked());
  EXPECT_TRUE(log.empty());
  QTest::mouseClick(a[1], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(a[1]->checked());
  EXPECT_FALSE(a[2]->checked());
  EXPECT_EQ(log, (std::vector<std::string>{"0a1"}));
  // Unchecking by code tells nothing.
  log.clear();
  a[1]->setChecked(false);
  EXPECT_TRUE(log.empty());
}

// --- Painted from the look's pictures ---

TEST_F(ButtonsSkinTest, CheckAndRadioShowTheirFrameRadioKeyedCheckOpaque) {
  TkwoFileTheme *theme = loadedTheme(false);
  auto *check = make<TkwoCheckBox>(theme, 10, 60);
  auto *radio = make<TkwoRadioButton>(theme, 10, 100);
  radio->setTransparent(true);
  struct Case {
    bool checked;
    bool enabled;
    int frame;
  };
  const Case cases[] = {{true, true, 1}, {false, true, 2}, {true, false, 3}, {false, false, 4}};
  for (const Case &c : cases) {
    check->setChecked(c.checked);
    check->setEnabled(c.enabled);
    const int y = (check->height() - 13) / 2;
    const QImage box = shown(*check);
    EXPECT_EQ(box.pixelColor(1 + 6, y + 6), kBoxFrames[static_cast<size_t>(c.frame - 1)]) << c.frame;
    EXPECT_EQ(box.pixelColor(1, y), kMagenta) << "the check box's picture is opaque";
  }
  // The radio picture's background colour (its bottom-left pixel) lets the
  // red form through; its magenta corner stays.
  const int y = (radio->height() - 13) / 2;
  const QImage r = shown(*radio);
  EXPECT_EQ(r.pixelColor(1 + 6, y + 6), kRed);
  EXPECT_EQ(r.pixelColor(1, y), kMagenta);
}

TEST_F(ButtonsSkinTest, RadioDoubleClickFiresOnlyOnDblClick) {
  auto *radio = make<TkwoRadioButton>(nullptr, 10, 60);
  radio->setChecked(true);
  int clicks = 0;
  int doubles = 0;
  radio->OnClick = [&](ui::Control *) { ++clicks; };
  radio->OnDblClick = [&](ui::Control *) { ++doubles; };
  QTest::mouseDClick(radio, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(radio->checked());
}

}  // namespace
}  // namespace kwo
