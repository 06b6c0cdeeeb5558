// Picture panels, the folding panel, group boxes and check and radio
// groups on the offscreen platform.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "color.h"
#include "controls/kwo_group_box.h"
#include "controls/kwo_image_panel.h"
#include "controls/kwo_panel.h"
#include "controls/kwo_radio_group.h"
#include "frames/kwo_form.h"
#include "rules/group_logic.h"
#include "rules/panel_logic.h"
#include "themes/builtin_pictures.h"
#include "themes/drawing.h"
#include "ui_fixtures.h"

namespace kwo {
namespace {

using testsupport::pressKey;

// A move with no button held, as mouse tracking delivers it.
void hover(QWidget *w, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(w, &move);
}

class PanelsGroupsTest : public testsupport::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<ui::Form>(nullptr);
    form->setBounds(100, 100, 500, 400);
  }
  void TearDown() override {
    form.reset();
    UiTest::TearDown();
  }
  template <typename T>
  T *make(ui::Control *parent) {
    auto *c = new T(form.get());
    c->setParentControl(parent);
    return c;
  }
  void showForm() {
    form->show();
    QApplication::setActiveWindow(form.get());
    testsupport::processEvents();
  }
  static QPixmap solid(int w, int h, QColor c) {
    QPixmap p(w, h);
    p.fill(c);
    return p;
  }

  std::unique_ptr<ui::Form> form;
};

// --- Picture panels ---

TEST_F(PanelsGroupsTest, AutoSizeTakesThePictureAlongTheSidesAlignLeavesFree) {
  struct Case {
    ui::Align align;
    bool width, height;  // taken from the picture
  } cases[] = {{ui::Align::None, true, true},
               {ui::Align::Top, false, true},
               {ui::Align::Left, true, false},
               {ui::Align::Client, false, false}};
  for (const Case &c : cases) {
    auto *host = make<ui::Panel>(form.get());
    host->setBounds(0, 0, 300, 200);
    auto *p = make<TkwoImagePanel>(host);
    p->setAlign(c.align);
    const QSize before = p->size();
    p->setPicture(solid(37, 23, Qt::red));
    EXPECT_EQ(p->size(), before) << "AutoSize is off";
    p->setAutoSize(true);
    EXPECT_EQ(p->width() == 37, c.width) << static_cast<int>(c.align);
    EXPECT_EQ(p->height() == 23, c.height) << static_cast<int>(c.align);
    delete host;
  }
}

TEST_F(PanelsGroupsTest, TiledPictureCoversTheClientAndATransparentPanelShowsItsParent) {
  auto *host = make<ui::Panel>(form.get());
  host->setPlain();
  host->setColor(platform::RGB(0, 0, 255));
  host->setBounds(0, 0, 200, 100);
  auto *tiled = make<TkwoImagePanel>(host);
  tiled->setBounds(0, 0, 40, 20);
  QPixmap tile(16, 16);
  tile.fill(Qt::green);
  tiled->setPicture(tile);
  tiled->setDrawStyle(TkwoDrawStyle::kwoTile);
  const QImage t = tiled->grab().toImage();
  for (QPoint at : {QPoint(1, 1), QPoint(17, 1), QPoint(33, 17), QPoint(39, 19)}) {
    EXPECT_EQ(t.pixelColor(at), QColor(Qt::green)) << at.x() << "," << at.y();
  }

  auto *clear = make<TkwoImagePanel>(host);
  clear->setBounds(100, 0, 50, 50);
  clear->setColor(platform::RGB(255, 0, 0));
  clear->setTransparent(true);
  const QImage h = host->grab().toImage();
  EXPECT_EQ(h.pixelColor(120, 20), QColor(0, 0, 255));
  clear->setTransparent(false);
  EXPECT_EQ(host->grab().toImage().pixelColor(120, 20), QColor(255, 0, 0));

  // The caption goes where Alignment says, centred vertically.
  auto *captioned = make<TkwoImagePanel>(host);
  captioned->setBounds(0, 50, 120, 40);
  captioned->setCaption(QStringLiteral("Hi"));
  struct Placement {
    ui::TextAlignment alignment;
    bool atLeft, atRight;
  } placements[] = {{ui::TextAlignment::Left, true, false},
                    {ui::TextAlignment::Right, false, true},
                    {ui::TextAlignment::Center, false, false}};
  for (const Placement &p : placements) {
    captioned->setAlignment(p.alignment);
    (void)captioned->grab();
    const QRect r = captioned->lastCaptionRect();
    EXPECT_EQ(r.left() == 0, p.atLeft);
    EXPECT_EQ(r.right() == 119, p.atRight);
    EXPECT_LE(std::abs(r.center().y() - 20), 1);
  }
}

TEST_F(PanelsGroupsTest, DrawStylesPlaceThePictureAndTransparencyKeysItsBackground) {
  auto *host = make<ui::Panel>(form.get());
  host->setPlain();
  host->setColor(platform::RGB(255, 0, 0));
  host->setBounds(0, 0, 200, 100);
  // 10 x 10: green on the left half, yellow on the right.
  QImage halves(10, 10, QImage::Format_RGB32);
  halves.fill(Qt::yellow);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 5; ++x) halves.setPixelColor(x, y, Qt::green);
  }
  const QColor blue(0, 0, 255);
  const struct {
    TkwoDrawStyle style;
    QPoint at;
    QColor expect;
  } cases[] = {
      {TkwoDrawStyle::kwoNormal, {2, 2}, Qt::green},   {TkwoDrawStyle::kwoNormal, {7, 2}, Qt::yellow},
      {TkwoDrawStyle::kwoNormal, {20, 15}, blue},      {TkwoDrawStyle::kwoStretch, {15, 15}, Qt::green},
      {TkwoDrawStyle::kwoStretch, {25, 15}, Qt::yellow}, {TkwoDrawStyle::kwoTile, {12, 12}, Qt::green},
      {TkwoDrawStyle::kwoTile, {37, 17}, Qt::yellow},
  };
  auto *p = make<TkwoImagePanel>(host);
  p->setBounds(0, 0, 40, 20);
  p->setColor(platform::RGB(0, 0, 255));
  p->setPicture(QPixmap::fromImage(halves));
  for (const auto &c : cases) {
    p->setDrawStyle(c.style);
    EXPECT_EQ(p->grab().toImage().pixelColor(c.at), c.expect)
        << static_cast<int>(c.style) << " at " << c.at.x() << "," << c.at.y();
  }

  // Transparent, the picture's bottom-left colour (white here) lets the
  // parent through; opaque, it stays.
  QImage ring(10, 10, QImage::Format_RGB32);
  ring.fill(Qt::white);
  for (int y = 3; y < 7; ++y) {
    for (int x = 3; x < 7; ++x) ring.setPixelColor(x, y, Qt::green);
  }
  p->setDrawStyle(TkwoDrawStyle::kwoNormal);
  p->setPicture(QPixmap::fromImage(ring));
  p->setTransparent(true);
  QImage shot = host->grab().toImage();
  EXPECT_EQ(shot.pixelColor(1, 1), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::green));
  EXPECT_EQ(shot.pixelColor(30, 15), QColor(255, 0, 0));
  p->setTransparent(false);
  shot = host->grab().toImage();
  EXPECT_EQ(shot.pixelColor(1, 1), QColor(Qt::white));
  EXPECT_EQ(shot.pixelColor(30, 15), blue);
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

// --- Group boxes ---

TEST_F(PanelsGroupsTest, GroupBoxThemesChildrenFirstAndPassesEnabledOn) {
  auto *box = make<TkwoGroupBox>(form.get());
  EXPECT_EQ(box->size(), QSize(185, 105));
  auto *inner = make<TkwoCheckBox>(box);
  auto *client = make<ui::Panel>(box);
  client->setAlign(ui::Align::Client);
  const int h = 11;  // the 8-point font
  EXPECT_EQ(client->geometry(), QRect(3, h + 5, 185 - 6, 105 - h - 8));

  box->setUIStyle(TkwoUIStyle::WinXP);
  EXPECT_EQ(inner->uiStyle(), TkwoUIStyle::WinXP);
  EXPECT_EQ(box->borderColor(), platform::RGB(104, 104, 104));
  EXPECT_EQ(box->controlFont().color, platform::RGB(2, 70, 207));

  box->setEnabled(false);
  EXPECT_FALSE(inner->isEnabled());
  EXPECT_FALSE(client->isEnabled());
  box->setEnabled(true);
  EXPECT_TRUE(inner->isEnabled());
  EXPECT_TRUE(client->isEnabled());

  // A parent's disabling leaves a child the program disabled alone.
  auto *host = make<ui::Panel>(form.get());
  box->setParentControl(host);
  inner->setEnabled(false);
  host->setEnabled(false);
  host->setEnabled(true);
  EXPECT_FALSE(inner->isEnabled());
  EXPECT_TRUE(client->isEnabled());
}

TEST_F(PanelsGroupsTest, GroupFrameLeavesTheTopOpenForTheCaptionOnly) {
  auto *box = make<TkwoGroupBox>(form.get());
  box->setColor(platform::RGB(255, 255, 255));
  const QColor border(0, 0, 0);
  const int y = 11 / 2 + 1;
  box->setCaption(QStringLiteral("Caption"));
  QImage img = box->grab().toImage();
  EXPECT_EQ(img.pixelColor(1, y), border);        // the stub at the left corner
  EXPECT_NE(img.pixelColor(3, y), border);        // open before the caption
  EXPECT_EQ(img.pixelColor(150, y), border);      // the line after it
  EXPECT_EQ(img.pixelColor(184, 60), border);     // the right side
  box->setCaption(QString());
  img = box->grab().toImage();
  EXPECT_EQ(img.pixelColor(3, y), border);        // closed without a caption
  EXPECT_EQ(img.pixelColor(40, y), border);
}

TEST_F(PanelsGroupsTest, GroupFrameTopLineRowAndAGreyCaptionWhenDisabled) {
  auto *box = make<TkwoGroupBox>(form.get());
  box->setBounds(0, 0, 200, 100);
  box->setColor(platform::RGB(255, 255, 255));
  box->setBorderColor(platform::RGB(255, 0, 0));
  box->setCaption(QStringLiteral("Caption text"));
  const int w = QFontMetrics(box->font()).horizontalAdvance(box->caption());
  const int y = GroupFrameLineY(FontPixelHeight(box->controlFont().size, box->controlFont().height), 0);
  const QColor red(255, 0, 0);
  QImage img = box->grab().toImage();
  // Red at left..left + 2, none from there to the caption's end + 6, red
  // from left + caption + 7 to the right corner.
  for (int x = 0; x < 200; ++x) {
    const bool expectRed = x <= 2 || x >= w + 7;
    EXPECT_EQ(img.pixelColor(x, y) == red, expectRed) << x;
  }
  // The caption in the (blue) font colour; disabled, in grey: every inked
  // pixel then has equal red, green and blue.
  box->setUIStyle(TkwoUIStyle::WinXP);
  box->setBorderColor(platform::RGB(255, 0, 0));
  const QRect caption(5, 0, w, y + 4);
  const auto inked = [&](const QImage &image, bool grey) {
    int n = 0;
    for (int yy = caption.top(); yy <= caption.bottom(); ++yy) {
      for (int xx = caption.left(); xx <= caption.right(); ++xx) {
        const QColor c = image.pixelColor(xx, yy);
        if (c == QColor(255, 255, 255) || c == red) continue;
        n += (c.red() == c.green() && c.green() == c.blue()) == grey ? 1 : 0;
      }
    }
    return n;
  };
  img = box->grab().toImage();
  EXPECT_GT(inked(img, false), 10);
  EXPECT_EQ(inked(img, true), 0);
  box->setEnabled(false);
  img = box->grab().toImage();
  EXPECT_EQ(inked(img, false), 0);
  EXPECT_GT(inked(img, true), 10);
}

// --- Check and radio groups ---

TEST_F(PanelsGroupsTest, ItemButtonsFollowTheItemsAndLayOutInColumns) {
  auto *group = make<TkwoRadioGroup>(form.get());
  group->setItems({"a", "b", "c", "d", "e"});
  ASSERT_EQ(group->buttonCount(), 5);
  group->button(1)->setChecked(true);
  TkwoCheckBox *third = group->button(2);
  group->items().remove(4);
  group->items().remove(3);
  EXPECT_EQ(group->buttonCount(), 3);
  EXPECT_EQ(group->button(2), third);
  EXPECT_EQ(group->itemIndex(), 1);
  EXPECT_EQ(group->button(0)->caption(), "a");

  group->setItems({"1", "2", "3", "4", "5", "6", "7"});
  group->setColumns(2);
  EXPECT_EQ(group->button(0)->left(), 8);
  EXPECT_EQ(group->button(3)->left(), 8);
  EXPECT_EQ(group->button(4)->left(), (185 - 10) / 2 + 8);
  EXPECT_EQ(group->button(4)->top(), group->button(0)->top());
  EXPECT_LT(group->button(0)->top(), group->button(1)->top());

  group->setColumns(-1);
  EXPECT_EQ(group->columns(), 2);
  group->setColumns(0);  // lays out as one column
  EXPECT_EQ(group->columns(), 0);
  EXPECT_EQ(group->button(6)->left(), 8);
  group->setItems({"x", "y"});
  group->setBounds(0, 0, 120, 90);
  EXPECT_EQ(group->button(1)->left(), 8);
}

TEST_F(PanelsGroupsTest, ItemIndexChecksAndTheGroupTellsOfItemClicks) {
  auto *group = make<TkwoRadioGroup>(form.get());
  int clicks = 0;
  group->OnClick = [&](ui::Control *sender) {
    EXPECT_EQ(sender, group);
    ++clicks;
  };
  group->setItems({"a", "b", "c"});
  EXPECT_EQ(group->itemIndex(), -1);
  group->setItemIndex(2);
  EXPECT_EQ(group->itemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  group->setItemIndex(5);
  group->setItemIndex(-2);
  EXPECT_EQ(group->itemIndex(), 2);
  group->setItemIndex(0);
  EXPECT_FALSE(group->button(2)->checked());
  EXPECT_EQ(clicks, 2);
  group->setItemIndex(-1);
  EXPECT_EQ(group->itemIndex(), -1);
  EXPECT_EQ(clicks, 2);  // unchecking tells nothing
  {
    ui::LoadingGuard loading(*form);
    group->setItemIndex(1);
  }
  EXPECT_EQ(group->itemIndex(), 1);
  EXPECT_EQ(clicks, 2);

  showForm();
  QTest::mouseClick(group->button(2), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(group->itemIndex(), 2);
  EXPECT_EQ(clicks, 3);
  QTest::mouseClick(group->button(2), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, 3);  // already checked

  // A check group tells of every change of an item.
  auto *checks = make<TkwoCheckGroup>(form.get());
  checks->setBounds(200, 0, 185, 105);
  int checkClicks = 0;
  checks->OnClick = [&](ui::Control *) { ++checkClicks; };
  checks->setItems({"p", "q"});
  checks->button(0)->setChecked(true);
  checks->button(0)->setChecked(false);
  checks->button(1)->setChecked(true);
  EXPECT_EQ(checkClicks, 3);
}

TEST_F(PanelsGroupsTest, TabIntoARadioGroupFocusesTheCheckedItemAndArrowsCheckAsTheyMove) {
  auto *before = make<TkwoCheckBox>(form.get());
  before->setBounds(0, 200, 90, 17);
  auto *group = make<TkwoRadioGroup>(form.get());
  group->setItems({"a", "b", "c"});
  group->setItemIndex(1);
  int clicks = 0;
  group->OnClick = [&](ui::Control *) { ++clicks; };
  showForm();

  before->setFocus(Qt::OtherFocusReason);
  pressKey(QApplication::focusWidget(), Qt::Key_Tab);
  testsupport::processEvents();
  EXPECT_TRUE(group->button(1)->hasFocus());
  EXPECT_EQ(group->itemIndex(), 1);
  EXPECT_EQ(clicks, 0);

  pressKey(QApplication::focusWidget(), Qt::Key_Down);
  testsupport::processEvents();
  EXPECT_TRUE(group->button(2)->hasFocus());
  EXPECT_EQ(group->itemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  pressKey(QApplication::focusWidget(), Qt::Key_Down);  // wraps
  testsupport::processEvents();
  EXPECT_EQ(group->itemIndex(), 0);
  pressKey(QApplication::focusWidget(), Qt::Key_Up);
  testsupport::processEvents();
  EXPECT_EQ(group->itemIndex(), 2);
  EXPECT_EQ(clicks, 3);

  // Shift+Tab leaves the group backwards instead of coming back to it.
  pressKey(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  testsupport::processEvents();
  EXPECT_TRUE(before->hasFocus());

  // Focus from elsewhere onto an item checks nothing; with no item checked
  // the group keeps the focus.
  group->button(0)->setFocus(Qt::OtherFocusReason);
  testsupport::processEvents();
  EXPECT_EQ(group->itemIndex(), 2);
  group->setItemIndex(-1);
  before->setFocus(Qt::OtherFocusReason);
  pressKey(QApplication::focusWidget(), Qt::Key_Tab);
  testsupport::processEvents();
  EXPECT_TRUE(group->hasFocus());
  EXPECT_EQ(group->itemIndex(), -1);
}

// An item shows its dotted focus rectangle in the font colour: a check item
// whenever it has the focus, a radio item only when it is also checked.
TEST_F(PanelsGroupsTest, GroupItemsDrawTheirFocusByTheirOwnRule) {
  auto *checks = make<TkwoCheckGroup>(form.get());
  auto *radios = make<TkwoRadioGroup>(form.get());
  radios->setBounds(200, 0, 185, 105);
  auto *elsewhere = make<TkwoCheckBox>(form.get());
  elsewhere->setBounds(0, 300, 90, 17);
  for (TkwoCheckGroup *g : {checks, static_cast<TkwoCheckGroup *>(radios)}) {
    g->setItems({"a", "b"});
    g->setFontColor(platform::RGB(0, 0, 255));
  }
  showForm();
  const auto blueCount = [](TkwoCheckBox *item) {
    const QImage image = item->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == QColor(0, 0, 255) ? 1 : 0;
    }
    return n;
  };
  const struct {
    const char *what;
    TkwoCheckGroup *group;
    bool checked, focused, drawn;
  } cases[] = {
      {"check item, focused", checks, false, true, true},
      {"check item, checked, focus elsewhere", checks, true, false, false},
      {"radio item, focused, not checked", radios, false, true, false},
      {"radio item, checked and focused", radios, true, true, true},
      {"radio item, checked, focus elsewhere", radios, true, false, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    TkwoCheckBox *item = c.group->button(0);
    elsewhere->setFocus(Qt::OtherFocusReason);
    item->setChecked(false);
    testsupport::processEvents();
    const int plain = blueCount(item);
    item->setChecked(c.checked);
    if (c.focused) item->setFocus(Qt::OtherFocusReason);
    testsupport::processEvents();
    ASSERT_EQ(item->hasFocus(), c.focused);
    // The rectangle's dots add to the caption's own blue.
    EXPECT_EQ(blueCount(item) > plain + 5, c.drawn);
  }

  // A radio item checked while its group holds the focus shows it, and
  // stops when the focus leaves the group.
  TkwoCheckBox *item = radios->button(1);
  radios->setItemIndex(-1);
  elsewhere->setFocus(Qt::OtherFocusReason);
  testsupport::processEvents();
  const int plain = blueCount(item);
  radios->setFocus(Qt::OtherFocusReason);
  testsupport::processEvents();
  ASSERT_TRUE(radios->hasFocus());
  radios->setItemIndex(1);
  testsupport::processEvents();
  EXPECT_GT(blueCount(item), plain + 5);
  elsewhere->setFocus(Qt::OtherFocusReason);
  testsupport::processEvents();
  EXPECT_EQ(blueCount(item), plain);
}

TEST_F(PanelsGroupsTest, GroupsStartInTheLookOfTheirForm) {
  auto *frame = make<TkwoForm>(form.get());
  frame->setUIStyle(TkwoUIStyle::BlueGlass);
  auto *group = make<TkwoRadioGroup>(form.get());
  auto *panel = make<TkwoPanel>(form.get());
  auto *box = make<TkwoGroupBox>(form.get());
  EXPECT_EQ(group->uiStyle(), TkwoUIStyle::BlueGlass);
  EXPECT_EQ(panel->uiStyle(), TkwoUIStyle::BlueGlass);
  EXPECT_EQ(box->uiStyle(), TkwoUIStyle::BlueGlass);
  group->setItems({"a"});
  EXPECT_EQ(group->button(0)->uiStyle(), TkwoUIStyle::BlueGlass);
}

// The group hands its look, colour, cursor and transparency to its items;
// items take the focus by click only, the group by Tab; re-enabling the
// group re-enables an item disabled on its own.
TEST_F(PanelsGroupsTest, GroupsPassTheirThemeToItemsWhichTakeClickFocus) {
  auto *group = make<TkwoRadioGroup>(form.get());
  group->setItems({"a", "b"});
  EXPECT_EQ(group->focusPolicy(), Qt::TabFocus);
  for (int i = 0; i < group->buttonCount(); ++i) EXPECT_EQ(group->button(i)->focusPolicy(), Qt::ClickFocus) << i;

  group->setItemCursor(Qt::PointingHandCursor);
  group->setColor(platform::RGB(1, 2, 3));
  group->button(1)->setCursor(Qt::ArrowCursor);
  group->button(1)->setTransparent(true);
  group->setUIStyle(TkwoUIStyle::BlueGlass);
  for (int i = 0; i < group->buttonCount(); ++i) {
    TkwoCheckBox *b = group->button(i);
    EXPECT_EQ(b->uiStyle(), TkwoUIStyle::BlueGlass) << i;
    EXPECT_EQ(b->color(), platform::RGB(1, 2, 3)) << i;
    EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor) << i;
    EXPECT_EQ(b->transparent(), group->transparent()) << i;
  }

  group->button(0)->setEnabled(false);
  group->setEnabled(false);
  group->setEnabled(true);
  EXPECT_TRUE(group->button(0)->isEnabled());
  EXPECT_TRUE(group->button(1)->isEnabled());

  // The same under a disabled parent, where nothing reads as enabled
  // until the parent is enabled again.
  auto *host = make<ui::Panel>(form.get());
  group->setParentControl(host);
  group->button(0)->setEnabled(false);
  host->setEnabled(false);
  group->setEnabled(false);
  group->setEnabled(true);
  host->setEnabled(true);
  EXPECT_TRUE(group->isEnabled());
  EXPECT_TRUE(group->button(0)->isEnabled());
  EXPECT_TRUE(group->button(1)->isEnabled());

  // A box inside another passes it on in turn.
  auto *outer = make<TkwoGroupBox>(host);
  auto *inner = make<TkwoGroupBox>(outer);
  auto *deep = make<TkwoCheckBox>(inner);
  deep->setEnabled(false);
  host->setEnabled(false);
  outer->setEnabled(false);
  outer->setEnabled(true);
  host->setEnabled(true);
  EXPECT_TRUE(deep->isEnabled());
}

}  // namespace
}  // namespace kwo
