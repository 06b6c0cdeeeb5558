// The picture panel on the offscreen platform: its auto size, the tiled
// picture, the draw styles and transparency.
#include <QImage>
#include <gtest/gtest.h>

#include "platform/ui/color.h"
#include "skin_toolkit/controls/kwo_image_panel.h"
#include "tests/skin_toolkit/controls/panels_groups_fixture.h"
#include "tests/support/ui/ui_fixtures.h"

namespace kwo {
namespace {

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

}  // namespace
}  // namespace kwo
